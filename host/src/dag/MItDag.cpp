#include <vornexhost/Handles.h>
#include <vornexhost/Node.h>
#include <vornexhost/Scene.h>
#include <vornexhost/Status.h>

#include <maya/MItDag.h>

using vornexhost::Node;
using vornexhost::report;

MItDag::MItDag(TraversalType type, MFn::Type filter, MStatus* status) {
    if (type != kDepthFirst) {
        report(status, MStatus::kNotImplemented);
        return;
    }
    m_filter = filter;
    MDagPath::getAPathTo(vornexhost::objectOf(vornexhost::activeScene().world()), m_root);
    report(status, reset());
}

MStatus MItDag::reset() {
    m_stack.clear();
    m_pruned = false;
    if (!m_root.isValid()) {
        m_done = true;
        return MStatus::kInvalidParameter;
    }
    m_current = m_root;
    m_done = false;
    skipToMatch();
    return MStatus::kSuccess;
}

MStatus MItDag::reset(const MObject& root, TraversalType type, MFn::Type filter) {
    MDagPath path;
    const MStatus s = MDagPath::getAPathTo(root, path);
    if (!s)
        return s;
    return reset(path, type, filter);
}

MStatus MItDag::reset(const MDagPath& root, TraversalType type, MFn::Type filter) {
    if (type != kDepthFirst || !root.isValid())
        return MStatus::kInvalidParameter;
    m_root = root;
    m_filter = filter;
    return reset();
}

bool MItDag::matches() const {
    return m_filter == MFn::kInvalid || m_current.hasFn(m_filter);
}

void MItDag::advance() {
    // Pre-order: the current node's children go on the stack (first child on top) unless the
    // walk was told to skip them.
    if (!m_pruned) {
        const std::vector<Node*> nodes = m_current.nodes();
        const Node* node = nodes.empty() ? vornexhost::activeScene().world() : nodes.back();
        for (std::size_t i = node->children.size(); i-- > 0;) {
            MDagPath child = m_current;
            child.push(vornexhost::objectOf(node->children[i]));
            m_stack.push_back(std::move(child));
        }
    }
    m_pruned = false;
    if (m_stack.empty()) {
        m_done = true;
        return;
    }
    m_current = std::move(m_stack.back());
    m_stack.pop_back();
}

void MItDag::skipToMatch() {
    while (!m_done && !matches())
        advance();
}

MStatus MItDag::next() {
    if (m_done)
        return MStatus::kFailure;
    advance();
    skipToMatch();
    return MStatus::kSuccess;
}

bool MItDag::isDone(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return m_done;
}

MObject MItDag::item(MStatus* status) {
    if (m_done) {
        report(status, MStatus::kFailure);
        return MObject();
    }
    return m_current.node(status);
}

MStatus MItDag::getPath(MDagPath& path) const {
    if (m_done)
        return MStatus::kFailure;
    path = m_current;
    return MStatus::kSuccess;
}

unsigned int MItDag::depth(MStatus* status) const {
    report(status, m_done ? MStatus::kFailure : MStatus::kSuccess);
    return m_current.length();
}

MStatus MItDag::prune() {
    if (m_done)
        return MStatus::kFailure;
    m_pruned = true;
    return MStatus::kSuccess;
}

MString MItDag::fullPathName(MStatus* status) const {
    return m_current.fullPathName(status);
}

MString MItDag::partialPathName(MStatus* status) const {
    return m_current.partialPathName(status);
}
