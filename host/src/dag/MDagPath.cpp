#include <vornexhost/DagPaths.h>
#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/Scene.h>
#include <vornexhost/Status.h>

#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>

using vornexhost::Node;
using vornexhost::NodePath;
using vornexhost::report;

std::vector<Node*> MDagPath::nodes() const {
    std::vector<Node*> out;
    out.reserve(m_nodes.size());
    for (const auto& n : m_nodes) {
        auto* node = static_cast<Node*>(n.get());
        if (!node->isAlive())
            return {};
        out.push_back(node);
    }
    return out;
}

MDagPath MDagPath::fromNodes(const std::vector<Node*>& nodes) {
    MDagPath path;
    path.m_world = true;
    for (Node* n : nodes)
        path.m_nodes.push_back(vornexhost::objectOf(n).impl());
    return path;
}

MStatus MDagPath::getAPathTo(const MObject& object, MDagPath& path) {
    const Node* node = vornexhost::nodeOf(object);
    if (node && node->apiType() == MFn::kWorld) {
        path = fromNodes({});
        return MStatus::kSuccess;
    }
    const std::vector<NodePath> all = vornexhost::allPathsTo(node);
    if (all.empty())
        return MStatus::kInvalidParameter;
    path = fromNodes(all.front());
    return MStatus::kSuccess;
}

MStatus MDagPath::getAllPathsTo(const MObject& object, MDagPathArray& paths) {
    paths.clear();
    const std::vector<NodePath> all = vornexhost::allPathsTo(vornexhost::nodeOf(object));
    for (const NodePath& p : all)
        paths.append(fromNodes(p));
    return all.empty() ? MStatus::kInvalidParameter : MStatus::kSuccess;
}

bool MDagPath::isValid(MStatus* status) const {
    report(status, MStatus::kSuccess);
    if (!m_world)
        return false;
    return nodes().size() == m_nodes.size();
}

MObject MDagPath::node(MStatus* status) const {
    if (!isValid()) {
        report(status, MStatus::kInvalidParameter);
        return MObject();
    }
    report(status, MStatus::kSuccess);
    if (m_nodes.empty())
        return vornexhost::objectOf(vornexhost::activeScene().world());
    return MObject(m_nodes.back());
}

MObject MDagPath::transform(MStatus* status) const {
    const std::vector<Node*> ns = nodes();
    for (std::size_t i = ns.size(); i-- > 0;)
        if (ns[i]->hasFn(MFn::kTransform)) {
            report(status, MStatus::kSuccess);
            return vornexhost::objectOf(ns[i]);
        }
    report(status, MStatus::kInvalidParameter);
    return MObject();
}

MFn::Type MDagPath::apiType(MStatus* status) const {
    return node(status).apiType();
}

bool MDagPath::hasFn(MFn::Type type, MStatus* status) const {
    return node(status).hasFn(type);
}

unsigned int MDagPath::length(MStatus* status) const {
    report(status, isValid() ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return static_cast<unsigned int>(m_nodes.size());
}

unsigned int MDagPath::childCount(MStatus* status) const {
    const Node* n = vornexhost::nodeOf(node(status));
    return n ? static_cast<unsigned int>(n->children.size()) : 0u;
}

MObject MDagPath::child(unsigned int index, MStatus* status) const {
    const Node* n = vornexhost::nodeOf(node(status));
    if (!n || index >= n->children.size()) {
        report(status, MStatus::kInvalidParameter);
        return MObject();
    }
    return vornexhost::objectOf(n->children[index]);
}

MStatus MDagPath::push(const MObject& childObject) {
    Node* child = vornexhost::nodeOf(childObject);
    const Node* n = vornexhost::nodeOf(node());
    if (!child || !n)
        return MStatus::kInvalidParameter;
    for (const Node* c : n->children)
        if (c == child) {
            m_nodes.push_back(childObject.impl());
            return MStatus::kSuccess;
        }
    return MStatus::kInvalidParameter;
}

MStatus MDagPath::pop(unsigned int count) {
    if (count > m_nodes.size())
        return MStatus::kInvalidParameter;
    m_nodes.resize(m_nodes.size() - count);
    return MStatus::kSuccess;
}

MStatus MDagPath::extendToShape() {
    const Node* n = vornexhost::nodeOf(node());
    if (!n)
        return MStatus::kInvalidParameter;
    if (n->hasFn(MFn::kShape))
        return MStatus::kSuccess;
    const Node* shape = nullptr;
    for (const Node* c : n->children)
        if (c->hasFn(MFn::kShape)) {
            if (shape)
                return MStatus::kFailure;
            shape = c;
        }
    if (!shape)
        return MStatus::kFailure;
    return push(vornexhost::objectOf(shape));
}

MString MDagPath::fullPathName(MStatus* status) const {
    report(status, isValid() ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return MString(vornexhost::fullPathName(nodes()));
}

MString MDagPath::partialPathName(MStatus* status) const {
    report(status, isValid() ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return MString(vornexhost::partialPathName(nodes()));
}

unsigned int MDagPath::instanceNumber(MStatus* status) const {
    report(status, isValid() ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return vornexhost::instanceNumberOf(nodes());
}

bool MDagPath::isInstanced(MStatus* status) const {
    report(status, isValid() ? MStatus::kSuccess : MStatus::kInvalidParameter);
    const std::vector<Node*> ns = nodes();
    return !ns.empty() && vornexhost::allPathsTo(ns.back()).size() > 1;
}

MMatrix MDagPath::inclusiveMatrix(MStatus* status) const {
    report(status, isValid() ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return vornexhost::worldMatrix(nodes(), vornexhost::sceneTime());
}

MMatrix MDagPath::exclusiveMatrix(MStatus* status) const {
    report(status, isValid() ? MStatus::kSuccess : MStatus::kInvalidParameter);
    std::vector<Node*> ns = nodes();
    if (!ns.empty())
        ns.pop_back();
    return vornexhost::worldMatrix(ns, vornexhost::sceneTime());
}

MMatrix MDagPath::inclusiveMatrixInverse(MStatus* status) const {
    return inclusiveMatrix(status).inverse();
}

MMatrix MDagPath::exclusiveMatrixInverse(MStatus* status) const {
    return exclusiveMatrix(status).inverse();
}

MStatus MDagPath::set(const MDagPath& other) {
    *this = other;
    return MStatus::kSuccess;
}

bool MDagPath::operator==(const MDagPath& other) const {
    return m_world == other.m_world && m_nodes == other.m_nodes;
}
