#pragma once
// Host API stand-in: a path from the world down to one DAG node; instanced nodes have one
// path per instance.
#include <maya/MFn.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <memory>
#include <vector>

class MDagPathArray;

namespace vornexhost {
class Node;
}

class MDagPath {
public:
    MDagPath() = default;

    static MStatus getAPathTo(const MObject& node, MDagPath& path);
    static MStatus getAllPathsTo(const MObject& node, MDagPathArray& paths);

    bool isValid(MStatus* status = nullptr) const;
    MObject node(MStatus* status = nullptr) const;
    MObject transform(MStatus* status = nullptr) const;
    MFn::Type apiType(MStatus* status = nullptr) const;
    bool hasFn(MFn::Type type, MStatus* status = nullptr) const;
    // Number of nodes on the path below the world.
    unsigned int length(MStatus* status = nullptr) const;
    unsigned int childCount(MStatus* status = nullptr) const;
    MObject child(unsigned int index, MStatus* status = nullptr) const;
    MStatus push(const MObject& child);
    MStatus pop(unsigned int count = 1);
    MStatus extendToShape();
    MString fullPathName(MStatus* status = nullptr) const;
    MString partialPathName(MStatus* status = nullptr) const;
    unsigned int instanceNumber(MStatus* status = nullptr) const;
    bool isInstanced(MStatus* status = nullptr) const;
    MMatrix inclusiveMatrix(MStatus* status = nullptr) const;
    MMatrix exclusiveMatrix(MStatus* status = nullptr) const;
    MMatrix inclusiveMatrixInverse(MStatus* status = nullptr) const;
    MMatrix exclusiveMatrixInverse(MStatus* status = nullptr) const;
    MStatus set(const MDagPath& other);

    bool operator==(const MDagPath& other) const;
    bool operator!=(const MDagPath& other) const { return !(*this == other); }

    // Stand-in access: nodes from the top down (the world not included); `m_world` tells a
    // path to the world itself from an empty one.
    std::vector<vornexhost::Node*> nodes() const;
    static MDagPath fromNodes(const std::vector<vornexhost::Node*>& nodes);

private:
    std::vector<std::shared_ptr<vornexhost::Object>> m_nodes;
    bool m_world = false;
};
