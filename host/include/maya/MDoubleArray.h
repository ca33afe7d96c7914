#pragma once
// Host API stand-in: an ordered list of double values.
#include <vornexhost/ValueArray.h>

class MDoubleArray : public vornexhost::ValueArray<double> {
public:
    using ValueArray::ValueArray;
};
