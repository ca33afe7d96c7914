#pragma once
#include "Shared/Graphics/Scene/LeafNode.h"
#include "Shared/Graphics/Scene/NamedValues.h"

namespace vx {

// Shared base of geometry leaves: the influence nodes (the joints whose skin weights deform
// the geometry, in the order of the skin records' bone indices; one reference each) and the
// named values.
class UtilGeometryNode : public LeafNode, public NamedValueHolder {
public:
    ~UtilGeometryNode() override;
    const SceneNodeType* getType() const override = 0;
    NamedValueTable& namedValues() override { return m_namedValues; }
    const NamedValueTable& namedValues() const override { return m_namedValues; }

    // Appends and takes a reference; false for null.
    bool addInfluenceObject(SceneNode* node);
    // Asserts "index < m_influenceObjects.size()".
    SceneNode* influenceObject(std::size_t index) const;
    std::size_t influenceCount() const { return m_influenceObjects.size(); }
    const NodeList& influenceObjects() const { return m_influenceObjects; }
    void clearInfluenceObjects();

    bool remapLinks(Scene& scene, const NodeIdMap& idMap) override;
    void releaseCrossLinks() override { clearInfluenceObjects(); }

protected:
    // After the SceneNode part: influence count and identifiers. The presence byte, the
    // object and the named values follow in the subclasses.
    bool readInfluences(InStream& in, Scene& scene);
    void writeInfluences(OutStream& out, Scene& scene) const;

    NodeList m_influenceObjects; // one reference per entry
    NamedValueTable m_namedValues;
};

} // namespace vx
