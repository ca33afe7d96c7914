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

    // Appends and takes a reference; false for null.
    bool addInfluenceObject(SceneNode* node);
    // Asserts "index < m_influenceObjects.size()".
    SceneNode* influenceObject(std::size_t index) const;
    std::size_t influenceCount() const { return m_influenceObjects.size(); }
    const NodeList& influenceObjects() const { return m_influenceObjects; }
    void clearInfluenceObjects();

    // After the name and parents: influence count and identifiers, a presence byte and the
    // shared mesh or spline object, the named values.
    bool read(InStream& in, Scene& scene, std::uint32_t version) override;
    void write(OutStream& out, Scene& scene) override;
    bool remapLinks(Scene& scene, const NodeIdMap& idMap) override;
    void releaseCrossLinks() override { clearInfluenceObjects(); }

protected:
    // The presence byte and, when 1, the shared object.
    virtual bool readObject(InStream& in, Scene& scene) = 0;
    virtual void writeObject(OutStream& out, Scene& scene) const = 0;

    NodeList m_influenceObjects; // one reference per entry
};

} // namespace vx
