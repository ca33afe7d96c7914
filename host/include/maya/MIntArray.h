#pragma once
// Host API stand-in: an ordered list of int values.
#include <vornexhost/ValueArray.h>

class MIntArray : public vornexhost::ValueArray<int> {
public:
    using ValueArray::ValueArray;
};
