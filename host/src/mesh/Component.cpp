#include <vornexhost/Component.h>

namespace vornexhost {

bool componentIndices(const MObject& component, MFn::Type type, int count, std::vector<int>& out) {
    const auto* c = dynamic_cast<const Component*>(component.impl().get());
    if (!c || c->type != type)
        return false;
    out.clear();
    for (int index : c->indices)
        if (index >= 0 && index < count)
            out.push_back(index);
    return true;
}

} // namespace vornexhost
