#pragma once
// A set of mesh components (vertices, edges or faces by index), as MObject hands them around.
#include <vornexhost/Object.h>

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

} // namespace vornexhost
