#include <vornexhost/DagPaths.h>
#include <vornexhost/Handles.h>
#include <vornexhost/NameMatch.h>
#include <vornexhost/Scene.h>
#include <vornexhost/Status.h>

#include <maya/MSelectionList.h>

using vornexhost::Node;
using vornexhost::report;

unsigned int MSelectionList::length(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return static_cast<unsigned int>(m_items.size());
}

MStatus MSelectionList::clear() {
    m_items.clear();
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MString& matchString, bool) {
    const std::vector<Node*> found =
        vornexhost::nodesMatching(vornexhost::activeScene(), matchString.str());
    if (found.empty())
        return MStatus::kInvalidParameter;
    for (Node* n : found) {
        if (!n->isDag()) {
            add(vornexhost::objectOf(n));
            continue;
        }
        const std::string& pattern = matchString.str();
        // A path names one instance; a plain name takes the node's first path.
        MDagPath path;
        if (pattern.find('|') != std::string::npos) {
            for (const vornexhost::NodePath& p : vornexhost::allPathsTo(n))
                if (vornexhost::matchesPath(p, pattern))
                    path = MDagPath::fromNodes(p);
        }
        if (!path.isValid())
            MDagPath::getAPathTo(vornexhost::objectOf(n), path);
        add(path);
    }
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MObject& node, bool) {
    if (!vornexhost::nodeOf(node))
        return MStatus::kInvalidParameter;
    for (const Item& item : m_items)
        if (!item.dag && item.node == node)
            return MStatus::kSuccess;
    m_items.push_back({node, MDagPath(), false});
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MDagPath& path, const MObject&, bool) {
    if (!path.isValid())
        return MStatus::kInvalidParameter;
    for (const Item& item : m_items)
        if (item.dag && item.path == path)
            return MStatus::kSuccess;
    m_items.push_back({path.node(), path, true});
    return MStatus::kSuccess;
}

MStatus MSelectionList::getDagPath(unsigned int index, MDagPath& path, MObject&) const {
    if (index >= m_items.size() || !m_items[index].dag)
        return MStatus::kInvalidParameter;
    path = m_items[index].path;
    return MStatus::kSuccess;
}

MStatus MSelectionList::getDependNode(unsigned int index, MObject& node) const {
    if (index >= m_items.size())
        return MStatus::kInvalidParameter;
    node = m_items[index].node;
    return MStatus::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(MStringArray& names) const {
    names.clear();
    for (const Item& item : m_items)
        names.append(item.dag ? item.path.partialPathName()
                              : MString(vornexhost::nodeOf(item.node)->name()));
    return MStatus::kSuccess;
}
