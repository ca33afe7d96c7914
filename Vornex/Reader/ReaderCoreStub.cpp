// TEMPORARY: the least of the reader's core needed to run the mesh, skin and material readers
// until the traversal lands. Deleted at the merge; never part of a finished commit.
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/VornexException.h"

#include <maya/MFileIO.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MSelectionList.h>

namespace vx {

SceneReader::SceneReader() = default;
SceneReader::~SceneReader() {
    clearTables();
}

unsigned SceneReader::parseActiveMayaScene(bool selectionOnly, ParseFlags options,
                                           ReportCallback callback) {
    m_warningCount = 0;
    m_scene.clear();
    auto* root = new RootNode;
    root->setName(MFileIO::currentFile().asChar());
    m_scene.setRoot(root);
    root->release();
    m_options = options;
    m_callback = std::move(callback);
    if (!selectionOnly) {
        parseDAG(nullptr);
    } else {
        MSelectionList list;
        MGlobal::getActiveSelectionList(list);
        for (unsigned i = 0; i < list.length(); ++i) {
            MDagPath path;
            if (list.getDagPath(i, path))
                parseDAG(&path);
        }
    }
    clearTables();
    return m_warningCount;
}

void SceneReader::infoReport(const std::string& text, unsigned line) {
    if ((m_options & kReportInfo) && m_callback)
        m_callback("Info(" + std::to_string(line) + "): " + text);
}

void SceneReader::warningReport(const std::string& text, unsigned line) {
    ++m_warningCount;
    if (m_options & kWarningsAreFatal)
        throw VornexException(text, 0);
    if (m_callback && (m_options & (kReportInfo | kReportWarnings)))
        m_callback("Warning(" + std::to_string(line) + "): " + text);
}

unsigned SceneReader::parseDAG(const MDagPath* root) {
    MItDag it(MItDag::kDepthFirst);
    if (root)
        it.reset(*root);
    for (; !it.isDone(); it.next()) {
        MDagPath path;
        it.getPath(path);
        if (path.length() == 0)
            continue;
        bool visible = true;
        MFnDependencyNode(path.node()).findPlug("visibility").getValue(visible);
        if (!visible) {
            it.prune();
            path.pop();
            dispatch(path);
        } else if (path.childCount() == 0) {
            dispatch(path);
        }
    }
    resolvePendingSkins();
    return m_warningCount;
}

void SceneReader::dispatch(MDagPath path) {
    while (path.length() > 0) {
        if (path.apiType() == MFn::kMesh) {
            readMesh(path);
            return;
        }
        if (path.apiType() == MFn::kJoint) {
            readJoint(path);
            return;
        }
        path.pop();
    }
}

unsigned SceneReader::attachToHierarchy(const MDagPath& given, SceneNode*& endNode) {
    MDagPath path = given;
    SceneNode* previous = nullptr;
    for (;;) {
        if (path.length() == 0) {
            if (!previous)
                endNode = m_scene.getRoot();
            else
                m_scene.getRoot()->addChild(previous);
            return 0;
        }
        const NodeKey key = keyOf(path.node());
        const auto* existing = recordedNodes(key);
        SceneNode* node = existing ? existing->front() : nullptr;
        if (!node) {
            if (path.apiType() == MFn::kJoint)
                node = new UtilJointNode;
            else
                node = new UtilTransformNode;
            node->setName(MFnDependencyNode(path.node()).name().asChar());
            recordNode(key, node);
            node->release();
        }
        if (path.length() == given.length())
            endNode = node;
        else
            node->addChild(previous);
        if (existing)
            return path.length();
        previous = node;
        path.pop();
    }
}

void SceneReader::readTransform(const MDagPath&, SceneNode&) {}

void SceneReader::readJoint(const MDagPath& path, SceneNode*) {
    if (recordedNodes(keyOf(path.node())))
        return;
    MDagPath parent = path;
    parent.pop();
    SceneNode* endNode = nullptr;
    attachToHierarchy(parent, endNode);
    auto* joint = new UtilJointNode;
    joint->setName(MFnDependencyNode(path.node()).name().asChar());
    endNode->addChild(joint);
    recordNode(keyOf(path.node()), joint);
    joint->release();
}

void SceneReader::readCamera(const MDagPath&, SceneNode*) {}
void SceneReader::readCurve(const MDagPath&) {}
void SceneReader::readLocator(const MDagPath&) {}
void SceneReader::copyExtraAttributes(const MObject&, NamedValueHolder&) {}
void SceneReader::sampleAnimation() {}

Vector3 SceneReader::convertPoint(const Vector3& p) const {
    return righthanded() ? p : Vector3(-p.x, p.y, p.z);
}

void SceneReader::recordNode(NodeKey key, SceneNode* node) {
    node->addRef();
    m_nodeMap[key].push_back(node);
}

const std::vector<SceneNode*>* SceneReader::recordedNodes(NodeKey key) const {
    const auto it = m_nodeMap.find(key);
    return it == m_nodeMap.end() ? nullptr : &it->second;
}

void SceneReader::clearTables() {
    for (auto& [key, nodes] : m_nodeMap)
        for (SceneNode* node : nodes)
            node->release();
    m_nodeMap.clear();
    m_splines.clear();
    m_meshes.clear();
    m_groupedMeshes.clear();
    m_pendingSkins.clear();
    m_materials.clear();
    m_textures.clear();
    m_images.clear();
}

} // namespace vx
