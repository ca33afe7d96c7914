#pragma once
// Host API stand-in: an ordered list of float values.
#include <vornexhost/ValueArray.h>

class MFloatArray : public vornexhost::ValueArray<float> {
public:
    using ValueArray::ValueArray;
};
