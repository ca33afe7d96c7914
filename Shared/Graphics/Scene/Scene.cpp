#include "Shared/Graphics/Scene/Scene.h"

#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/NodeRegistry.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/SceneIo.h"
#include "Shared/Graphics/Scene/UtilGeometryNode.h"

#include <algorithm>
#include <new>
#include <unordered_set>

namespace vx {
namespace {

// Every node of the graph once, in the order of a depth-first walk from the root that visits
// children in list order. Iterative, so a deep graph cannot exhaust the call stack.
std::vector<SceneNode*> collectNodes(SceneNode* root) {
    std::vector<SceneNode*> order;
    std::unordered_set<const SceneNode*> seen;
    std::vector<std::pair<SceneNode*, std::size_t>> stack;
    seen.insert(root);
    order.push_back(root);
    stack.emplace_back(root, 0);
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        const NodeList* children = node->children();
        if (!children || next >= children->size()) {
            stack.pop_back();
            continue;
        }
        SceneNode* child = (*children)[next++];
        if (seen.insert(child).second) {
            order.push_back(child);
            stack.emplace_back(child, 0);
        }
    }
    return order;
}

// Minimum bytes of one entry, used to check counts before anything is allocated.
constexpr std::uint64_t kMinTypeEntry = 4 + 1;         // identifier, empty terminated name
constexpr std::uint64_t kMinNodeEntry = 4 + 4 + 1 + 4; // type id, node id, name, parent count

} // namespace

Scene::Scene() = default;

Scene::~Scene() {
    clear();
}

void Scene::setRoot(SceneNode* node) {
    SceneNode* newRoot = nullptr;
    if (node && node->getType()->name() == RootNode::type.name()) {
        node->addRef();
        newRoot = node;
    } else if (node) {
        newRoot = new RootNode();
        newRoot->addChild(node);
    }
    if (m_root)
        m_root->release();
    m_root = newRoot;
}

void Scene::clear() {
    if (!m_root)
        return;
    // Influence links may point up the graph (a mesh under one of its joints) and would keep
    // it alive after the root is let go. When nothing outside the graph holds any of its nodes
    // (every reference comes from a parent, an influence list in the graph or this scene), the
    // graph is about to die as a whole: let go of the influences first.
    const std::vector<SceneNode*> nodes = collectNodes(m_root);
    std::unordered_map<const SceneNode*, std::int64_t> inner;
    for (const SceneNode* node : nodes)
        inner[node] = node == m_root ? 1 : 0;
    for (const SceneNode* node : nodes) {
        if (const NodeList* children = node->children()) {
            for (const SceneNode* child : *children)
                ++inner[child];
        }
        if (const auto* geometry = dynamic_cast<const UtilGeometryNode*>(node)) {
            for (const SceneNode* influence : geometry->influenceObjects()) {
                if (const auto at = inner.find(influence); at != inner.end())
                    ++at->second;
            }
        }
    }
    bool heldOnlyHere = true;
    for (const SceneNode* node : nodes)
        heldOnlyHere = heldOnlyHere && node->refCount() == inner[node];
    if (heldOnlyHere) {
        for (SceneNode* node : nodes)
            node->releaseCrossLinks();
    }
    SceneNode* root = m_root;
    m_root = nullptr;
    root->release();
}

bool Scene::fail(std::string text) {
    if (m_lastError.empty())
        m_lastError = std::move(text);
    return false;
}

bool Scene::isWritten(const SceneNode* node) const {
    return m_io && m_io->nodeIds.count(node) != 0;
}

void Scene::writeNodeIds(OutStream& out, const NodeList& nodes) {
    const auto written = std::count_if(nodes.begin(), nodes.end(),
                                       [this](const SceneNode* node) { return isWritten(node); });
    sceneio::writeCount(out, static_cast<std::size_t>(written));
    for (const SceneNode* node : nodes) {
        if (isWritten(node))
            out << m_io->nodeIds.at(node);
    }
}

bool Scene::readNodeIds(InStream& in, std::vector<std::uint32_t>& ids, const char* what) {
    std::uint32_t count = 0;
    if (!sceneio::readCount(in, *this, count, 4, what))
        return false;
    ids.resize(count);
    for (std::uint32_t& id : ids)
        in >> id;
    return sceneio::checkStream(in, *this, what);
}

bool Scene::write(OutStream& out) {
    m_lastError.clear();
    out << kMarker << kCurrentVersion;
    if (!m_root)
        return false;

    const std::vector<SceneNode*> nodes = collectNodes(m_root);
    std::vector<const SceneNodeType*> types;
    for (const SceneNode* node : nodes) {
        if (std::find(types.begin(), types.end(), node->getType()) == types.end())
            types.push_back(node->getType());
    }

    m_io = std::make_unique<SceneIoState>();
    m_io->version = kCurrentVersion;
    // Identifiers: 1-based positions in the type table and in the node order.
    for (std::size_t i = 0; i < nodes.size(); ++i)
        m_io->nodeIds.emplace(nodes[i], static_cast<std::uint32_t>(i + 1));
    for (const SceneNode* node : nodes) {
        const auto* geometry = dynamic_cast<const UtilGeometryNode*>(node);
        if (!geometry)
            continue;
        for (const SceneNode* influence : geometry->influenceObjects()) {
            if (!isWritten(influence)) {
                fail("influence '" + influence->name() + "' of '" + node->name() +
                     "' is not part of the scene graph");
                VX_ERROR << "Scene graph not written: " << m_lastError.c_str();
                m_io.reset();
                return false;
            }
        }
    }

    try {
        sceneio::writeCount(out, types.size());
        for (std::size_t i = 0; i < types.size(); ++i) {
            out << static_cast<std::uint32_t>(i + 1);
            sceneio::writeTerminatedText(out, types[i]->name());
        }
        sceneio::writeCount(out, nodes.size());
        for (SceneNode* node : nodes) {
            const auto type =
                std::find(types.begin(), types.end(), node->getType()) - types.begin();
            out << static_cast<std::uint32_t>(type + 1) << m_io->nodeIds.at(node);
            node->write(out, *this);
        }
    } catch (const AssertionFailed& failure) {
        // A broken invariant of the graph (already logged): the file is incomplete.
        fail(failure.what());
        m_io.reset();
        return false;
    }
    m_io.reset();
    return !out.failed();
}

bool Scene::read(InStream& in) {
    clear();
    m_lastError.clear();
    m_version = kCurrentVersion;
    m_io = std::make_unique<SceneIoState>();
    const std::uint64_t size = in.remaining();

    std::vector<SceneNode*> created;
    bool ok = false;
    try {
        ok = readFile(in, created) && linkNodes(created) && checkGraph(created);
    } catch (const AssertionFailed& failure) {
        fail(failure.what());
    } catch (const std::bad_alloc&) {
        fail("out of memory");
    }

    if (ok) {
        m_root = created.front();
        m_root->addRef();
    }
    if (!ok) {
        // Undo every link first: nothing is destroyed while the creators' references remain,
        // and afterwards no cycle can keep a node alive.
        for (SceneNode* node : created) {
            node->releaseCrossLinks();
            while (const NodeList* children = node->children()) {
                if (children->empty())
                    break;
                node->removeChild(children->back());
            }
        }
    }
    for (SceneNode* node : created)
        node->release();
    m_io.reset();

    if (!ok) {
        const std::uint64_t offset = size - std::min(size, in.remaining());
        m_lastError = "scene graph file '" + std::string(in.buffer() ? in.buffer()->name() : "") +
                      "' not read: " + m_lastError + " (at byte " + std::to_string(offset) + ")";
        VX_ERROR << m_lastError.c_str();
        m_version = kCurrentVersion;
    }
    return ok;
}

bool Scene::readFile(InStream& in, std::vector<SceneNode*>& created) {
    std::int32_t marker = 0;
    std::uint32_t version = 0;
    in >> marker >> version;
    if (!sceneio::checkStream(in, *this, "the header"))
        return false;
    if (marker != kMarker)
        return fail("not a scene graph file (the first four bytes are not FF FF FF FF)");
    m_version = version;
    VX_ASSERT_MSG(m_version >= 1, "a version 0 scene graph file has no links and is not read");
    if (version > kCurrentVersion)
        return fail("version " + std::to_string(version) + " is newer than this reader (" +
                    std::to_string(kCurrentVersion) + ")");
    m_io->version = version;

    std::uint32_t typeCount = 0;
    if (!sceneio::readCount(in, *this, typeCount, kMinTypeEntry, "node type"))
        return false;
    std::unordered_map<std::uint32_t, std::pair<std::string, NodeRegistry::Creator>> types;
    for (std::uint32_t i = 0; i < typeCount; ++i) {
        std::uint32_t id = 0;
        std::string name;
        in >> id;
        if (!sceneio::readTerminatedText(in, *this, name, "node type name"))
            return false;
        const NodeRegistry::Creator creator = NodeRegistry::instance().find(name);
        if (!creator)
            return fail("unknown node type '" + name + "'");
        if (!types.emplace(id, std::make_pair(name, creator)).second)
            return fail("node type identifier " + std::to_string(id) + " appears twice");
    }

    std::uint32_t nodeCount = 0;
    if (!sceneio::readCount(in, *this, nodeCount, kMinNodeEntry, "node"))
        return false;
    // The writer writes no node table for a scene without a root, so neither does a file.
    if (nodeCount == 0)
        return fail("the file holds no nodes");
    created.reserve(nodeCount);
    for (std::uint32_t i = 0; i < nodeCount; ++i) {
        std::uint32_t typeId = 0;
        std::uint32_t nodeId = 0;
        in >> typeId >> nodeId;
        if (!sceneio::checkStream(in, *this, "a node entry"))
            return false;
        const auto type = types.find(typeId);
        if (type == types.end())
            return fail("node " + std::to_string(i) + ": type identifier " +
                        std::to_string(typeId) + " names no type");
        SceneNode* node = type->second.second();
        created.push_back(node);
        if (!m_io->idMap.emplace(nodeId, node).second)
            return fail("node " + std::to_string(i) + ": identifier " + std::to_string(nodeId) +
                        " appears twice");
        if (!node->read(in, *this, version)) {
            m_lastError = "node " + std::to_string(i) + " (" + type->second.first + " '" +
                          node->name() + "'): " + m_lastError;
            return false;
        }
    }
    return true;
}

bool Scene::linkNodes(const std::vector<SceneNode*>& created) {
    for (SceneNode* node : created) {
        if (!node->remapLinks(*this, m_io->idMap))
            return false;
    }
    for (SceneNode* node : created) {
        const auto pending = m_io->pending.find(node);
        static const std::vector<std::uint32_t> none;
        if (!node->adoptParentOrder(*this, m_io->idMap,
                                    pending == m_io->pending.end() ? none
                                                                   : pending->second.parents))
            return false;
    }
    return true;
}

bool Scene::checkGraph(const std::vector<SceneNode*>& created) {
    SceneNode* root = created.front();
    if (root->parentCount() != 0)
        return fail("the first node '" + root->name() + "' is not a root: it has parents");

    // Depth-first over the child lists: a child met while it is still on the path closes a
    // cycle. The depth of a node is its longest chain of descendants.
    enum class Mark : std::uint8_t { OnPath, Done };
    std::unordered_map<const SceneNode*, std::pair<Mark, unsigned>> marks;
    std::vector<std::pair<SceneNode*, std::size_t>> stack;
    marks[root] = {Mark::OnPath, 1};
    stack.emplace_back(root, 0);
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        const NodeList* children = node->children();
        if (children && next < children->size()) {
            SceneNode* child = (*children)[next++];
            const auto at = marks.find(child);
            if (at == marks.end()) {
                if (stack.size() >= sceneio::kMaxNodeDepth)
                    return fail("the graph is deeper than " +
                                std::to_string(sceneio::kMaxNodeDepth) + " levels");
                marks[child] = {Mark::OnPath, 1};
                stack.emplace_back(child, 0);
            } else if (at->second.first == Mark::OnPath) {
                return fail("node '" + child->name() + "' is its own ancestor (a cycle)");
            }
            continue;
        }
        unsigned height = 1;
        if (children) {
            for (const SceneNode* child : *children)
                height = std::max(height, marks[child].second + 1);
        }
        if (height > sceneio::kMaxNodeDepth)
            return fail("the graph is deeper than " + std::to_string(sceneio::kMaxNodeDepth) +
                        " levels");
        marks[node] = {Mark::Done, height};
        stack.pop_back();
    }
    for (const SceneNode* node : created) {
        if (marks.find(node) == marks.end())
            return fail("node '" + node->name() + "' is not reachable from the root");
    }
    return true;
}

} // namespace vx
