#pragma once
// Host API stand-in: function set for DAG nodes; attached to a path it knows the instance.
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>

class MDagPathArray;

class MFnDagNode : public MFnDependencyNode {
public:
    MFnDagNode() = default;
    MFnDagNode(const MObject& object, MStatus* status = nullptr);
    MFnDagNode(const MDagPath& path, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kDagNode; }
    MStatus setObject(const MObject& object) override;
    MStatus setObject(const MDagPath& path);

    unsigned int parentCount(MStatus* status = nullptr) const;
    MObject parent(unsigned int index, MStatus* status = nullptr) const;
    unsigned int childCount(MStatus* status = nullptr) const;
    MObject child(unsigned int index, MStatus* status = nullptr) const;
    // Number of paths to the node; `total` counts those through instanced ancestors too.
    unsigned int instanceCount(bool total, MStatus* status = nullptr) const;
    bool isInstanced(bool indirect = true, MStatus* status = nullptr) const;
    bool isIntermediateObject(MStatus* status = nullptr) const;
    MStatus getPath(MDagPath& path) const;
    MDagPath dagPath(MStatus* status = nullptr) const;
    MStatus getAllPaths(MDagPathArray& paths) const;
    MString fullPathName(MStatus* status = nullptr) const;
    MString partialPathName(MStatus* status = nullptr) const;
    MMatrix transformationMatrix(MStatus* status = nullptr) const;

protected:
    // The path given at construction, or the first path to the node.
    MDagPath pathOrFirst() const;
    MDagPath m_path;
    bool m_hasPath = false;
};
