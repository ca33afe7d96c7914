#pragma once
// Host API stand-in: an ordered list of MPlug values.
#include <maya/MPlug.h>
#include <vornexhost/ValueArray.h>

class MPlugArray : public vornexhost::ValueArray<MPlug> {
public:
    using ValueArray::ValueArray;
};
