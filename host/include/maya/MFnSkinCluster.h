#pragma once
// Host API stand-in: function set for skin clusters. Influences are the nodes whose world
// matrices feed the cluster's "matrix" elements, in logical index order; weights come from
// "weightList[vertex].weights[influence index]".
#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MFloatArray.h>
#include <maya/MFnDependencyNode.h>

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
    MStatus getWeights(const MDagPath& path, const MObject& components, MFloatArray& weights,
                       unsigned int& influenceCount) const;
};
