#pragma once
// Host API stand-in: an ordered list of MObject values.
#include <maya/MObject.h>
#include <vornexhost/ValueArray.h>

class MObjectArray : public vornexhost::ValueArray<MObject> {
public:
    using ValueArray::ValueArray;
};
