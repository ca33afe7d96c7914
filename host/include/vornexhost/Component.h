#pragma once
// A set of mesh components (vertices, edges or faces by index), as MObject hands them around.
#include <vornexhost/Object.h>

#include <maya/MObject.h>

#include <vector>

namespace vornexhost {

class Component : public Object {
public:
    Component(MFn::Type componentType, std::vector<int> componentIndices)
        : type(componentType), indices(std::move(componentIndices)) {}
    MFn::Type apiType() const override { return type; }

    MFn::Type type;
    std::vector<int> indices;
};

// The indices of `component` when it holds components of `type`: those in [0, count), in the
// component's order. False (and `out` untouched) for a null handle or another kind.
bool componentIndices(const MObject& component, MFn::Type type, int count, std::vector<int>& out);

} // namespace vornexhost
