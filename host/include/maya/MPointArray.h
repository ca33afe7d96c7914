#pragma once
// Host API stand-in: an ordered list of MPoint values.
#include <maya/MPoint.h>
#include <vornexhost/ValueArray.h>

class MPointArray : public vornexhost::ValueArray<MPoint> {
public:
    using ValueArray::ValueArray;
};
