#include <vornexhost/Messages.h>
#include <vornexhost/Scene.h>
#include <vornexhost/SceneRevision.h>

#include <maya/MPxNode.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>

namespace vornexhost {

namespace {

std::string_view stripRootNamespace(std::string_view name) {
    while (!name.empty() && name.front() == ':')
        name.remove_prefix(1);
    return name;
}

bool isDescendantOrSelf(const Node& node, const Node& ancestor) {
    if (&node == &ancestor)
        return true;
    for (const Node* p : node.parents)
        if (isDescendantOrSelf(*p, ancestor))
            return true;
    return false;
}

std::atomic<std::uint64_t> g_revision{1};

} // namespace

std::uint64_t sceneRevision() {
    return g_revision.load(std::memory_order_relaxed);
}

void touchScene() {
    g_revision.fetch_add(1, std::memory_order_relaxed);
}

Scene& activeScene() {
    // Never destroyed: a process that ends need not free a scene of millions of values node by
    // node. The scene stays reachable, so leak checkers do not count it.
    static Scene& scene = *new Scene;
    return scene;
}

Scene::Scene() {
    reset();
}

Scene::~Scene() {
    for (auto& node : m_nodes)
        node->detach();
    if (m_world)
        m_world->detach();
}

void Scene::reset() {
    touchScene();
    for (auto& node : m_nodes) {
        // Plug-in objects go with the scene even when a handle keeps their node alive.
        node->userNode.reset();
        node->detach();
        node->parents.clear();
        node->children.clear();
        node->connectionsIn.clear();
        node->connectionsOut.clear();
    }
    if (m_world) {
        m_world->children.clear();
        m_world->detach();
    }
    m_nodes.clear();
    m_byName.clear();
    m_freeFrom.clear();
    m_connections.clear();
    selection.clear();
    units = Units();
    currentFile.clear();
    fileInfo.clear();
    requirements.clear();
    dataStructures.clear();
    // A new scene plays frames 1 to 24 at film rate.
    minTime = 1.0 / 24.0;
    maxTime = 1.0;
    currentTime = minTime;

    NodeTypeRegistry& types = NodeTypeRegistry::instance();
    m_world = std::make_shared<Node>(*this, *types.find("world"), "");

    // The nodes every scene has and files refer to as ":name".
    auto make = [&](const char* typeName, const char* name) {
        const NodeType* type = types.find(typeName);
        if (!type)
            type = types.generic(typeName, false);
        Node* node = createNode(*type, name, nullptr);
        node->startupDefault = true;
        return node;
    };
    make("time", "time1");
    struct CameraDefault {
        const char* name;
        const char* shape;
        double t[3];
        double r[3];
        bool ortho;
    };
    const CameraDefault cameras[] = {
        {"persp", "perspShape", {28.0, 21.0, 28.0}, {-27.938, 45.0, 0.0}, false},
        {"top", "topShape", {0.0, 100.1, 0.0}, {-90.0, 0.0, 0.0}, true},
        {"front", "frontShape", {0.0, 0.0, 100.1}, {0.0, 0.0, 0.0}, true},
        {"side", "sideShape", {100.1, 0.0, 0.0}, {0.0, 90.0, 0.0}, true}};
    for (const CameraDefault& c : cameras) {
        Node* xf = make("transform", c.name);
        Node* shape = createNode(*types.find("camera"), c.shape, xf);
        shape->startupDefault = true;
        // The startup cameras are hidden, as Maya saves them.
        xf->topStore(*xf->findAttribute("v")).hasValue = true;
        const char* comp[3] = {"tx", "ty", "tz"};
        const char* rot[3] = {"rx", "ry", "rz"};
        for (int i = 0; i < 3; ++i) {
            const Attribute* t = xf->findAttribute(comp[i]);
            PlugStore& ts = xf->topStore(*t->parent).childStore(t->childIndex);
            ts.hasValue = true;
            ts.number = c.t[i];
            const Attribute* r = xf->findAttribute(rot[i]);
            PlugStore& rs = xf->topStore(*r->parent).childStore(r->childIndex);
            rs.hasValue = true;
            rs.number = units.toInternal(AttrUnit::Angle, c.r[i]);
        }
        PlugStore& ortho = shape->topStore(*shape->findAttribute("o"));
        ortho.hasValue = true;
        ortho.number = c.ortho ? 1.0 : 0.0;
    }
    Node* lambert = make("lambert", "lambert1");
    // Every scene shades with lambert1 until told otherwise; files never write these links.
    for (const char* name : {"initialShadingGroup", "initialParticleSE"}) {
        Node* engine = make("shadingEngine", name);
        connect({lambert, lambert->findAttribute("outColor"), {}},
                {engine, engine->findAttribute("surfaceShader"), {}});
    }
    make("objectSet", "defaultLightSet");
    make("objectSet", "defaultObjectSet");
    static const char* const lists[][2] = {
        {"partition", "renderPartition"},
        {"defaultShaderList", "defaultShaderList1"},
        {"defaultTextureList", "defaultTextureList1"},
        {"postProcessList", "postProcessList1"},
        {"defaultRenderUtilityList", "defaultRenderUtilityList1"},
        {"renderGlobalsList", "renderGlobalsList1"},
        {"lightList", "lightList1"},
        {"renderGlobals", "defaultRenderGlobals"},
        {"resolution", "defaultResolution"},
        {"hardwareRenderGlobals", "hardwareRenderGlobals"},
        {"hardwareRenderingGlobals", "hardwareRenderingGlobals"},
        {"defaultHardwareRenderGlobals", "defaultHardwareRenderGlobals"},
        {"particleCloud", "particleCloud1"},
        {"shaderGlow", "shaderGlow1"},
        {"characterPartition", "characterPartition"},
        {"dof", "dof1"},
        {"sequenceManager", "sequenceManager1"}};
    for (const auto& [type, name] : lists)
        make(type, name);
}

std::shared_ptr<Node> Scene::handle(const Node* node) const {
    if (!node)
        return nullptr;
    return std::static_pointer_cast<Node>(const_cast<Node*>(node)->shared_from_this());
}

const std::vector<Node*>* Scene::nodesNamed(std::string_view name) const {
    const auto it = m_byName.find(std::string(name));
    return it == m_byName.end() ? nullptr : &it->second;
}

void Scene::addName(Node* node) {
    m_byName[node->name()].push_back(node);
}

void Scene::removeName(Node* node) {
    const auto it = m_byName.find(node->name());
    if (it == m_byName.end())
        return;
    auto& list = it->second;
    list.erase(std::remove(list.begin(), list.end(), node), list.end());
    if (!list.empty())
        return;
    m_byName.erase(it);
    // A freed stem+number may be the lowest free one again.
    const std::string& name = node->name();
    std::size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    if (digits == name.size())
        return;
    const auto hint = m_freeFrom.find(name.substr(0, digits));
    if (hint == m_freeFrom.end())
        return;
    unsigned number = 0;
    const auto r = std::from_chars(name.data() + digits, name.data() + name.size(), number);
    if (r.ec == std::errc() && number < hint->second)
        hint->second = std::max(number, 1u);
}

std::string Scene::uniqueName(std::string_view base) const {
    if (!m_byName.count(std::string(base)))
        return std::string(base);
    std::string_view stem = base;
    while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back())))
        stem.remove_suffix(1);
    unsigned& from = m_freeFrom.try_emplace(std::string(stem), 1u).first->second;
    for (unsigned n = from;; ++n) {
        std::string candidate = std::string(stem) + std::to_string(n);
        if (!m_byName.count(candidate)) {
            from = n;
            return candidate;
        }
    }
}

Node* Scene::createNode(const NodeType& type, const std::string& requested, Node* parent) {
    touchScene();
    std::string name = requested.empty() ? uniqueName(type.name + "1") : requested;
    // DAG nodes may share a name when their parents differ; other names are unique.
    if (const auto it = m_byName.find(name); it != m_byName.end()) {
        bool clash = !type.dag;
        for (const Node* other : it->second) {
            if (!other->isDag())
                clash = true;
            else if (type.dag) {
                const Node* otherParent = other->parents.empty() ? nullptr : other->parents[0];
                const Node* ourParent = parent ? parent : m_world.get();
                if (otherParent == ourParent)
                    clash = true;
            }
        }
        if (clash)
            name = uniqueName(name);
    }
    auto node = std::make_shared<Node>(*this, type, name);
    Node* raw = node.get();
    if (type.creator) {
        raw->userNode.reset(static_cast<MPxNode*>(type.creator()));
        if (raw->userNode)
            raw->userNode->m_thisObject = node;
    }
    m_nodes.push_back(std::move(node));
    addName(raw);
    if (type.dag) {
        Node* p = parent && parent->isDag() ? parent : m_world.get();
        p->children.push_back(raw);
        raw->parents.push_back(p);
    }
    if (raw->userNode)
        raw->userNode->postConstructor();
    return raw;
}

void Scene::rename(Node& node, const std::string& newName) {
    touchScene();
    removeName(&node);
    std::string name = m_byName.count(newName) ? uniqueName(newName) : newName;
    // Node names are private to Node; Scene is its friend for exactly this.
    const std::string previous = std::move(node.m_name);
    node.m_name = std::move(name);
    addName(&node);
    sendNameChanged(node, previous);
}

Node* Scene::findByPath(std::string_view path) const {
    const bool absolute = !path.empty() && path.front() == '|';
    if (absolute)
        path.remove_prefix(1);
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const auto bar = path.find('|');
        parts.push_back(stripRootNamespace(path.substr(0, bar)));
        path = bar == std::string_view::npos ? std::string_view() : path.substr(bar + 1);
    }
    if (parts.empty())
        return nullptr;
    std::vector<Node*> current;
    if (absolute) {
        for (Node* c : m_world->children)
            if (c->name() == parts[0])
                current.push_back(c);
    } else if (const auto it = m_byName.find(std::string(parts[0])); it != m_byName.end()) {
        for (Node* n : it->second)
            if (n->isDag())
                current.push_back(n);
    }
    for (std::size_t i = 1; i < parts.size() && !current.empty(); ++i) {
        std::vector<Node*> next;
        for (Node* n : current)
            for (Node* c : n->children)
                if (c->name() == parts[i] && std::find(next.begin(), next.end(), c) == next.end())
                    next.push_back(c);
        current = std::move(next);
    }
    return current.size() == 1 ? current[0] : nullptr;
}

Node* Scene::findNode(std::string_view name, bool* ambiguous) const {
    if (ambiguous)
        *ambiguous = false;
    name = stripRootNamespace(name);
    if (name.find('|') != std::string_view::npos)
        return findByPath(name);
    const auto it = m_byName.find(std::string(name));
    if (it == m_byName.end() || it->second.empty())
        return nullptr;
    if (it->second.size() > 1) {
        if (ambiguous)
            *ambiguous = true;
        return nullptr;
    }
    return it->second[0];
}

bool Scene::parentNode(Node& child, Node& parent, bool addInstance) {
    if (!child.isDag() || !parent.isDag() || isDescendantOrSelf(parent, child))
        return false;
    if (std::find(child.parents.begin(), child.parents.end(), &parent) != child.parents.end())
        return true;
    touchScene();
    if (!addInstance) {
        for (Node* p : child.parents)
            p->children.erase(std::remove(p->children.begin(), p->children.end(), &child),
                              p->children.end());
        child.parents.clear();
    }
    parent.children.push_back(&child);
    child.parents.push_back(&parent);
    return true;
}

const Connection* Scene::incoming(const PlugAddress& destination) const {
    if (!destination.node)
        return nullptr;
    for (std::uint32_t i : destination.node->connectionsIn) {
        const Connection& c = m_connections[i];
        if (c.alive && c.destination == destination)
            return &c;
    }
    return nullptr;
}

bool Scene::connect(const PlugAddress& source, const PlugAddress& destination) {
    touchScene();
    if (source.isNull() || destination.isNull())
        return false;
    // A destination has one source: a new connection replaces the old one.
    for (std::uint32_t i : destination.node->connectionsIn) {
        Connection& c = m_connections[i];
        if (c.alive && c.destination == destination) {
            if (c.source == source)
                return true;
            c.alive = false;
        }
    }
    const auto index = static_cast<std::uint32_t>(m_connections.size());
    m_connections.push_back({source, destination, true});
    source.node->connectionsOut.push_back(index);
    destination.node->connectionsIn.push_back(index);
    sendNodeDirty(*destination.node);
    return true;
}

bool Scene::disconnect(const PlugAddress& source, const PlugAddress& destination) {
    touchScene();
    if (!destination.node)
        return false;
    for (std::uint32_t i : destination.node->connectionsIn) {
        Connection& c = m_connections[i];
        if (c.alive && c.destination == destination && c.source == source) {
            c.alive = false;
            sendNodeDirty(*destination.node);
            return true;
        }
    }
    return false;
}

} // namespace vornexhost
