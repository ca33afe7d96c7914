#include <vornexhost/Node.h>
#include <vornexhost/SceneRevision.h>

namespace vornexhost {

Node::Node(Scene& scene, const NodeType& type, std::string nodeName)
    : m_scene(&scene), m_type(&type), m_name(std::move(nodeName)) {}

const Attribute* Node::findAttribute(std::string_view attributeName) const {
    if (const Attribute* a = m_type->find(attributeName))
        return a;
    const auto it = m_dynamicByName.find(std::string(attributeName));
    return it == m_dynamicByName.end() ? nullptr : it->second;
}

unsigned Node::attributeCount() const {
    return static_cast<unsigned>(m_type->allAttributes().size() + m_dynamicAll.size());
}

const Attribute* Node::attributeAt(unsigned index) const {
    const auto& all = m_type->allAttributes();
    if (index < all.size())
        return all[index];
    index -= static_cast<unsigned>(all.size());
    return index < m_dynamicAll.size() ? m_dynamicAll[index] : nullptr;
}

Attribute* Node::addDynamic(std::shared_ptr<Attribute> attribute, Attribute* parent) {
    touchScene();
    attribute->dynamic = true;
    Attribute* raw = attribute.get();
    if (parent) {
        attribute->parent = parent;
        attribute->childIndex = static_cast<unsigned>(parent->children.size());
        parent->children.push_back(std::move(attribute));
        // Keep children after their parent's earlier children in the attribute order.
        auto at = m_dynamicAll.begin();
        for (; at != m_dynamicAll.end(); ++at)
            if (*at == parent)
                break;
        if (at != m_dynamicAll.end()) {
            ++at;
            while (at != m_dynamicAll.end() && (*at)->parent && (*at)->top() == parent->top())
                ++at;
        }
        m_dynamicAll.insert(at, raw);
    } else {
        attribute->topIndex = m_type->topCount() + static_cast<unsigned>(m_dynamic.size());
        m_dynamic.push_back(std::move(attribute));
        m_dynamicAll.push_back(raw);
    }
    m_dynamicByName.emplace(raw->longName, raw);
    m_dynamicByName.emplace(raw->shortName, raw);
    for (const auto& c : raw->children) {
        m_dynamicAll.push_back(c.get());
        m_dynamicByName.emplace(c->longName, c.get());
        m_dynamicByName.emplace(c->shortName, c.get());
    }
    return raw;
}

bool Node::ownsAttribute(const Attribute* attribute) const {
    if (!attribute)
        return false;
    const Attribute* top = attribute->top();
    if (top->topIndex < m_type->topCount())
        return m_type->top(top->topIndex) == top;
    const unsigned i = top->topIndex - m_type->topCount();
    return i < m_dynamic.size() && m_dynamic[i].get() == top;
}

PlugStore& Node::topStore(const Attribute& top) {
    // Every write of a stored value asks for its store here.
    touchScene();
    if (m_values.size() <= top.topIndex)
        m_values.resize(top.topIndex + 1);
    return m_values[top.topIndex];
}

const PlugStore* Node::findTopStore(const Attribute& top) const {
    return top.topIndex < m_values.size() ? &m_values[top.topIndex] : nullptr;
}

} // namespace vornexhost
