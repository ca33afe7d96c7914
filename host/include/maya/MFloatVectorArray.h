#pragma once
// Host API stand-in: an ordered list of MFloatVector values.
#include <maya/MFloatVector.h>
#include <vornexhost/ValueArray.h>

class MFloatVectorArray : public vornexhost::ValueArray<MFloatVector> {
public:
    using ValueArray::ValueArray;
};
