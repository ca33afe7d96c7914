#pragma once
// Host API stand-in: ordered list of strings.
#include <maya/MString.h>
#include <vornexhost/ValueArray.h>

class MStringArray : public vornexhost::ValueArray<MString> {
public:
    using ValueArray::ValueArray;

    MStatus remove(unsigned int index);
    MStatus insert(const MString& item, unsigned int index);
};
