#pragma once
// Host API stand-in: an ordered list of MDagPath values.
#include <maya/MDagPath.h>
#include <vornexhost/ValueArray.h>

class MDagPathArray : public vornexhost::ValueArray<MDagPath> {
public:
    using ValueArray::ValueArray;
};
