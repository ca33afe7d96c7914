#include <vornexhost/DagPaths.h>
#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/Scene.h>
#include <vornexhost/Status.h>

#include <maya/MDagPathArray.h>
#include <maya/MFnDagNode.h>

using vornexhost::Node;
using vornexhost::report;

MFnDagNode::MFnDagNode(const MObject& object, MStatus* status) {
    report(status, MFnDagNode::setObject(object));
}

MFnDagNode::MFnDagNode(const MDagPath& path, MStatus* status) {
    report(status, MFnDagNode::setObject(path));
}

MStatus MFnDagNode::setObject(const MObject& object) {
    m_hasPath = false;
    m_path = MDagPath();
    if (!vornexhost::nodeOf(object) || !object.hasFn(type())) {
        m_object = MObject();
        return MStatus::kInvalidParameter;
    }
    m_object = object;
    return MStatus::kSuccess;
}

MStatus MFnDagNode::setObject(const MDagPath& path) {
    const MStatus s = setObject(path.node());
    if (s) {
        m_path = path;
        m_hasPath = true;
    }
    return s;
}

MDagPath MFnDagNode::pathOrFirst() const {
    if (m_hasPath)
        return m_path;
    MDagPath path;
    MDagPath::getAPathTo(m_object, path);
    return path;
}

namespace {

const Node* attachedNode(const MObject& object, MStatus* status) {
    const Node* node = vornexhost::nodeOf(object);
    report(status, node ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return node;
}

} // namespace

unsigned int MFnDagNode::parentCount(MStatus* status) const {
    const Node* node = attachedNode(m_object, status);
    return node ? static_cast<unsigned int>(node->parents.size()) : 0u;
}

MObject MFnDagNode::parent(unsigned int index, MStatus* status) const {
    const Node* node = attachedNode(m_object, status);
    if (!node || index >= node->parents.size()) {
        report(status, MStatus::kInvalidParameter);
        return MObject();
    }
    return vornexhost::objectOf(node->parents[index]);
}

unsigned int MFnDagNode::childCount(MStatus* status) const {
    const Node* node = attachedNode(m_object, status);
    return node ? static_cast<unsigned int>(node->children.size()) : 0u;
}

MObject MFnDagNode::child(unsigned int index, MStatus* status) const {
    const Node* node = attachedNode(m_object, status);
    if (!node || index >= node->children.size()) {
        report(status, MStatus::kInvalidParameter);
        return MObject();
    }
    return vornexhost::objectOf(node->children[index]);
}

unsigned int MFnDagNode::instanceCount(bool total, MStatus* status) const {
    const Node* node = attachedNode(m_object, status);
    if (!node)
        return 0;
    if (!total)
        return static_cast<unsigned int>(node->parents.size());
    return static_cast<unsigned int>(vornexhost::allPathsTo(node).size());
}

bool MFnDagNode::isInstanced(bool indirect, MStatus* status) const {
    return instanceCount(indirect, status) > 1;
}

bool MFnDagNode::isIntermediateObject(MStatus* status) const {
    const Node* node = attachedNode(m_object, status);
    return node && vornexhost::nodeNumber(*node, "io", vornexhost::sceneTime()) != 0.0;
}

MStatus MFnDagNode::getPath(MDagPath& path) const {
    if (!vornexhost::nodeOf(m_object))
        return MStatus::kInvalidParameter;
    path = pathOrFirst();
    return MStatus::kSuccess;
}

MDagPath MFnDagNode::dagPath(MStatus* status) const {
    MDagPath path;
    report(status, getPath(path));
    return path;
}

MStatus MFnDagNode::getAllPaths(MDagPathArray& paths) const {
    return MDagPath::getAllPathsTo(m_object, paths);
}

MString MFnDagNode::fullPathName(MStatus* status) const {
    if (!attachedNode(m_object, status))
        return MString();
    return pathOrFirst().fullPathName();
}

MString MFnDagNode::partialPathName(MStatus* status) const {
    if (!attachedNode(m_object, status))
        return MString();
    return pathOrFirst().partialPathName();
}

MMatrix MFnDagNode::transformationMatrix(MStatus* status) const {
    const Node* node = attachedNode(m_object, status);
    return node ? vornexhost::localMatrix(*node, vornexhost::sceneTime()) : MMatrix();
}
