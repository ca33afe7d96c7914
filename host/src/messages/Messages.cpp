// Callback tables of MSceneMessage and MNodeMessage. A callback may remove itself or others
// while it runs, and may register new ones: sending walks a snapshot of the ids and skips those
// removed meanwhile.
#include <vornexhost/Messages.h>
#include <vornexhost/Node.h>
#include <vornexhost/Status.h>

#include <maya/MNodeMessage.h>

#include <map>
#include <memory>
#include <vector>

using vornexhost::report;

namespace vornexhost {
namespace {

enum class Kind { Scene, NodeDirty, NameChanged };

struct Callback {
    Kind kind = Kind::Scene;
    MSceneMessage::Message message = MSceneMessage::kSceneUpdate;
    // Node callbacks watch their node without keeping it alive.
    std::weak_ptr<Object> node;
    const Node* nodeAddress = nullptr;
    void* function = nullptr;
    void* clientData = nullptr;
};

struct Registry {
    std::map<MCallbackId, Callback> callbacks; // ids grow, so the map is in registration order
    // Node callbacks by node, so that a value change finds its node's callbacks directly.
    std::map<const Node*, std::vector<MCallbackId>> byNode;
    MCallbackId nextId = 1;
    unsigned nodeCallbacks = 0;
};

Registry& registry() {
    static Registry r;
    return r;
}

MCallbackId add(Callback callback) {
    Registry& r = registry();
    const MCallbackId id = r.nextId++;
    if (callback.kind != Kind::Scene) {
        ++r.nodeCallbacks;
        r.byNode[callback.nodeAddress].push_back(id);
    }
    r.callbacks.emplace(id, std::move(callback));
    return id;
}

// The ids of the callbacks of one kind on one node (or of one scene message), in order.
std::vector<MCallbackId> matching(Kind kind, const Node* node, MSceneMessage::Message message) {
    const Registry& r = registry();
    std::vector<MCallbackId> ids;
    if (kind == Kind::Scene) {
        for (const auto& [id, c] : r.callbacks)
            if (c.kind == Kind::Scene && c.message == message)
                ids.push_back(id);
        return ids;
    }
    const auto it = r.byNode.find(node);
    if (it != r.byNode.end())
        for (const MCallbackId id : it->second)
            if (r.callbacks.at(id).kind == kind)
                ids.push_back(id);
    return ids;
}

// The callback still registered under `id` whose node, for node callbacks, is still `node`.
const Callback* live(MCallbackId id, const Node* node) {
    const auto& callbacks = registry().callbacks;
    const auto it = callbacks.find(id);
    if (it == callbacks.end())
        return nullptr;
    if (it->second.kind != Kind::Scene && it->second.node.lock().get() != node)
        return nullptr;
    return &it->second;
}

Node* nodeOf(const MObject& object) {
    return dynamic_cast<Node*>(object.impl().get());
}

} // namespace

void sendSceneMessage(MSceneMessage::Message message) {
    for (const MCallbackId id : matching(Kind::Scene, nullptr, message))
        if (const Callback* c = live(id, nullptr)) {
            const auto function = reinterpret_cast<MMessage::MBasicFunction>(c->function);
            function(c->clientData);
        }
}

void sendNodeDirty(Node& node) {
    if (registry().nodeCallbacks == 0)
        return;
    MObject object(node.shared_from_this());
    for (const MCallbackId id : matching(Kind::NodeDirty, &node, MSceneMessage::kSceneUpdate))
        if (const Callback* c = live(id, &node)) {
            const auto function = reinterpret_cast<MNodeMessage::MNodeFunction>(c->function);
            function(object, c->clientData);
        }
}

void sendNameChanged(Node& node, const std::string& previousName) {
    if (registry().nodeCallbacks == 0)
        return;
    MObject object(node.shared_from_this());
    const MString previous(previousName);
    for (const MCallbackId id : matching(Kind::NameChanged, &node, MSceneMessage::kSceneUpdate))
        if (const Callback* c = live(id, &node)) {
            const auto function = reinterpret_cast<MNodeMessage::MNodeStringFunction>(c->function);
            function(object, previous, c->clientData);
        }
}

unsigned callbackCount() {
    return static_cast<unsigned>(registry().callbacks.size());
}

} // namespace vornexhost

MStatus MMessage::removeCallback(MCallbackId id) {
    auto& r = vornexhost::registry();
    const auto it = r.callbacks.find(id);
    if (it == r.callbacks.end())
        return MStatus::kFailure;
    if (it->second.kind != vornexhost::Kind::Scene) {
        --r.nodeCallbacks;
        const auto list = r.byNode.find(it->second.nodeAddress);
        std::erase(list->second, id);
        if (list->second.empty())
            r.byNode.erase(list);
    }
    r.callbacks.erase(it);
    return MStatus::kSuccess;
}

MCallbackId MSceneMessage::addCallback(Message message, MBasicFunction function, void* clientData,
                                       MStatus* status) {
    if (!function || message < kSceneUpdate || message >= kLast) {
        report(status, MStatus::kInvalidParameter);
        return 0;
    }
    vornexhost::Callback c;
    c.message = message;
    c.function = reinterpret_cast<void*>(function);
    c.clientData = clientData;
    report(status, MStatus::kSuccess);
    return vornexhost::add(std::move(c));
}

namespace {

MCallbackId addNodeCallback(vornexhost::Kind kind, const MObject& node, void* function,
                            void* clientData, MStatus* status) {
    vornexhost::Node* target = vornexhost::nodeOf(node);
    if (!target || !function) {
        report(status, MStatus::kInvalidParameter);
        return 0;
    }
    vornexhost::Callback c;
    c.kind = kind;
    c.node = node.impl();
    c.nodeAddress = target;
    c.function = function;
    c.clientData = clientData;
    report(status, MStatus::kSuccess);
    return vornexhost::add(std::move(c));
}

} // namespace

MCallbackId MNodeMessage::addNodeDirtyCallback(MObject& node, MNodeFunction function,
                                               void* clientData, MStatus* status) {
    return addNodeCallback(vornexhost::Kind::NodeDirty, node, reinterpret_cast<void*>(function),
                           clientData, status);
}

MCallbackId MNodeMessage::addNameChangedCallback(MObject& node, MNodeStringFunction function,
                                                 void* clientData, MStatus* status) {
    return addNodeCallback(vornexhost::Kind::NameChanged, node, reinterpret_cast<void*>(function),
                           clientData, status);
}
