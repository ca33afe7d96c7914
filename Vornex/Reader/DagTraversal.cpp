#include "Shared/Graphics/Scene/OwnedNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLodNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "Vornex/Reader/ReaderReports.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/VornexException.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MFnTransform.h>
#include <maya/MItDag.h>
#include <maya/MPlug.h>

#include <algorithm>

namespace vx {
namespace {

std::string nodeName(const MObject& node) {
    return MFnDependencyNode(node).name().str();
}

// Nodes without a readable "visibility" plug (the world) count as visible, as in the host.
bool isVisible(const MObject& node) {
    MStatus status;
    const MPlug plug = MFnDependencyNode(node).findPlug("visibility", &status);
    bool visible = true;
    if (status)
        plug.getValue(visible);
    return visible;
}

// The index of `child` among the children of the path's node; childCount() when not found.
unsigned childIndexOf(const MDagPath& parent, const MObject& child) {
    const unsigned count = parent.childCount();
    for (unsigned i = 0; i < count; ++i)
        if (parent.child(i) == child)
            return i;
    return count;
}

} // namespace

unsigned SceneReader::parseDAG(const MDagPath* root) {
    VX_INFO << "parseDAG(" << (root ? root->partialPathName().str() : std::string("Root")) << ")";
    MStatus status;
    MItDag it(MItDag::kDepthFirst, MFn::kInvalid, &status);
    if (!status)
        throw VornexException("Failed to create DAG iterator", __LINE__, status);
    if (root) {
        // A root the iterator refuses would leave it on the whole scene.
        status = it.reset(*root, MItDag::kDepthFirst, MFn::kInvalid);
        if (!status)
            throw VornexException("Failed to create DAG iterator", __LINE__, status);
    }
    it.reset();

    for (; !it.isDone(); it.next()) {
        MDagPath path;
        status = it.getPath(path);
        if (!status)
            throw VornexException("Failed to retrieve dagPath", __LINE__, status);
        const MObject node = path.node();
        VX_INFO << "DAGNode(" << it.depth() << "): <" << path.partialPathName().str()
                << "::" << node.apiTypeStr() << ">";
        if (!isVisible(node)) {
            VX_INFO << "Pruning tree at <" << nodeName(node) << "::" << node.apiTypeStr()
                    << "> (Invisible)";
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

void SceneReader::logUnsupported(const MDagPath& path) const {
    const MObject node = path.node();
    VX_INFO << "Unsupported node <" << nodeName(node) << "::" << node.apiTypeStr() << ">";
}

void SceneReader::dispatch(MDagPath path) {
    while (path.length() > 0) {
        switch (path.apiType()) {
        case MFn::kJoint:
            readJoint(path);
            return;
        case MFn::kCamera:
            readCamera(path);
            return;
        case MFn::kNurbsCurve:
            readCurve(path);
            return;
        case MFn::kLocator:
            readLocator(path);
            return;
        case MFn::kMesh:
            readMesh(path);
            return;
        default:
            logUnsupported(path);
            path.pop();
        }
    }
}

SceneNode* SceneReader::singleRecordedNode(NodeKey key) const {
    const std::vector<SceneNode*>* nodes = recordedNodes(key);
    if (!nodes)
        return nullptr;
    VX_READER_ASSERT(nodes->size() == 1, "res.first->second->size() == 1", "");
    return nodes->front();
}

unsigned SceneReader::attachToHierarchy(const MDagPath& dagPath, SceneNode*& endNode) {
    MDagPath path = dagPath;
    const unsigned givenLength = dagPath.length();
    SceneNode* previousNode = nullptr; // held by m_nodeMap
    MObject previousObject;
    while (true) {
        if (path.length() == 0) {
            if (!previousNode)
                endNode = m_scene.getRoot();
            else
                m_scene.getRoot()->addChild(previousNode);
            return 0;
        }
        MStatus status;
        const MFnTransform fn(path, &status);
        if (!status)
            throw VornexException("Error: Failed to attach transform function set to node",
                                  __LINE__, status);
        const MString name = fn.name(&status);
        if (!status)
            throw VornexException("Error: Failed to retrieve name from function set", __LINE__,
                                  status);
        const MObject object = path.node();
        const NodeKey key = keyOf(object);
        SceneNode* node = singleRecordedNode(key);
        const bool present = node != nullptr;

        switch (object.apiType()) {
        case MFn::kLodGroup: {
            VX_READER_ASSERT(path.length() != givenLength, "path.length() != dagPath.length()", "");
            if (present) {
                addLodLevel(path, previousObject, *previousNode);
                return path.length();
            }
            const auto group = makeNode<UtilTransformNode>();
            readTransform(path, *group);
            const auto lod = makeNode<UtilLodNode>();
            lod->setName(name.str());
            lod->addChild(previousNode);
            rememberLodLevel(*lod, childIndexOf(path, previousObject));
            group->addChild(lod.get());
            recordNode(key, group.get());
            previousNode = group.get();
            previousObject = object;
            path.pop();
            continue;
        }
        case MFn::kJoint:
        case MFn::kCamera:
            if (!present) {
                const auto joint = makeNode<UtilJointNode>();
                if (object.apiType() == MFn::kJoint)
                    readJoint(path, joint.get());
                else
                    readCamera(path, joint.get());
                recordNode(key, joint.get());
                node = joint.get();
            }
            break;
        default:
            if (!present) {
                const auto transform = makeNode<UtilTransformNode>();
                readTransform(path, *transform);
                recordNode(key, transform.get());
                node = transform.get();
            }
            break;
        }

        if (path.length() == givenLength)
            endNode = node;
        else
            node->addChild(previousNode);
        if (present)
            return path.length();
        previousNode = node;
        previousObject = object;
        path.pop();
    }
}

void SceneReader::rememberLodLevel(const UtilLodNode& lod, unsigned childIndex) {
    m_lodLevels[&lod] = {childIndex};
}

void SceneReader::addLodLevel(const MDagPath& group, const MObject& levelObject, SceneNode& level) {
    VX_READER_ASSERT(levelObject.apiType() != MFn::kInvalid,
                     "childObject.apiType() != MFn::kInvalid", "");
    const MPlug thresholdPlug = MFnDependencyNode(group.node()).findPlug("threshold");
    const unsigned iChild = childIndexOf(group, levelObject);
    // A level with index 0 arrives after a later level only when a selection names the later
    // level first; it is placed before the others below instead of being refused.
    VX_READER_ASSERT(iChild != group.childCount(), "iChild != 0 && iChild != path.childCount()",
                     "");
    VX_READER_ASSERT(iChild < thresholdPlug.numElements() + 1,
                     "iChild < thresholdPlug.numElements()+1", "");

    SceneNode* groupNode = singleRecordedNode(keyOf(group.node()));
    const NodeList* groupChildren = groupNode ? groupNode->children() : nullptr;
    SceneNode* lodnode =
        groupChildren && !groupChildren->empty() ? groupChildren->front() : nullptr;
    VX_READER_ASSERT(lodnode && lodnode->getType() == &UtilLodNode::type,
                     "lodnode->getType() == &UtilLodNode::type", "");
    auto& lod = static_cast<UtilLodNode&>(*lodnode);

    // Levels stay in the host's child order; each level after the first carries the
    // threshold element that precedes it, read as a whole number.
    std::vector<unsigned>& levels = m_lodLevels[&lod];
    const auto at = std::upper_bound(levels.begin(), levels.end(), iChild);
    const auto position = static_cast<int>(at - levels.begin());
    if (!lod.addChild(&level, position))
        return;
    levels.insert(at, iChild);
    lod.m_thresholds.assign(lod.childCount() - 1, 0.0f);
    for (std::size_t k = 1; k < levels.size(); ++k) {
        int threshold = 0;
        thresholdPlug.elementByLogicalIndex(levels[k] - 1).getValue(threshold);
        lod.m_thresholds[k - 1] = static_cast<float>(threshold);
    }
}

} // namespace vx
