#pragma once
// Host API stand-in: function set for skin clusters. Influences are the nodes whose world
// matrices feed the cluster's "matrix" elements, in logical index order; weights come from
// "weightList[vertex].weights[influence index]".
#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MFloatArray.h>
#include <maya/MFnDependencyNode.h>

#include <memory>

namespace vornexhost {
struct MeshGeometry;
}

class MFnSkinCluster : public MFnDependencyNode {
public:
    MFnSkinCluster() = default;
    MFnSkinCluster(const MObject& object, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kSkinClusterFilter; }
    MStatus setObject(const MObject& object) override;

    unsigned int influenceObjects(MDagPathArray& paths, MStatus* status = nullptr) const;
    // The logical index of the influence's "matrix" element.
    unsigned int indexForInfluenceObject(const MDagPath& path, MStatus* status = nullptr) const;
    // Per component (vertices of `components`, or every vertex for a null object), one weight
    // per influence in influenceObjects order.
    // The function set keeps the geometry of the last shape it was asked about, so asking
    // vertex by vertex costs as much as asking once; attach it again after editing the shape.
    MStatus getWeights(const MDagPath& path, const MObject& components, MFloatArray& weights,
                       unsigned int& influenceCount) const;

private:
    mutable MObject m_shape;
    mutable std::shared_ptr<const vornexhost::MeshGeometry> m_shapeMesh;
};
