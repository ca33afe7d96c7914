#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace vx {

class InStream;
class OutStream;
class Scene;
class SceneNode;

using NodeList = std::vector<SceneNode*>;
// Identifier read from a file to the node created for it.
using NodeIdMap = std::unordered_map<std::uint32_t, SceneNode*>;

// The static type object of a concrete node class: its class name. Two nodes are of the same
// class exactly when getType() returns the same object.
class SceneNodeType {
public:
    explicit SceneNodeType(const char* name) : m_name(name) {}
    SceneNodeType(const SceneNodeType&) = delete;
    SceneNodeType& operator=(const SceneNodeType&) = delete;
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
};

// A reference-counted node of the scene graph. A new node has a count of 1, owned by whoever
// created it. Parents hold one reference on each child; parent lists hold none.
class SceneNode {
public:
    SceneNode();
    SceneNode(const SceneNode&) = delete;
    SceneNode& operator=(const SceneNode&) = delete;

    void addRef() { ++m_refCount; }
    std::int32_t refCount() const { return m_refCount; }
    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }

    // Live SceneNodes in the process: up in every constructor, down in every destructor.
    static std::int64_t liveCount();

    // The virtual slots, in their fixed order.
    virtual void release();
    virtual const SceneNodeType* getType() const = 0;
    virtual std::size_t parentCount() const { return m_parents.size(); }
    virtual std::size_t childCount() const { return 0; }
    virtual bool hasParent(const SceneNode* node) const;
    virtual bool hasChild(const SceneNode*) const { return false; }
    virtual bool canHaveChildren() const { return false; }
    virtual bool canHaveParents() const { return true; }
    // Asks every parent to remove this node; true if any did.
    virtual bool detachFromParents();
    virtual bool detachFromParent(SceneNode* parent);
    virtual bool addChild(SceneNode*) { return false; }
    virtual bool addChild(SceneNode*, int) { return false; }
    virtual bool removeChild(SceneNode*) { return false; }
    // The child list, or null for a node that cannot have children.
    virtual const NodeList* children() const { return nullptr; }
    virtual const NodeList& parents() const { return m_parents; }
    // The node's payload in the scene graph file. read records the link identifiers on the scene;
    // they become links in remapLinks once every node of the file exists.
    virtual bool read(InStream& in, Scene& scene, std::uint32_t version);
    virtual void write(OutStream& out, Scene& scene);
    // Walks the subtree; no class adds an action of its own.
    virtual void visitChildren(void* argument);
    virtual ~SceneNode();
    // Turns the identifiers recorded by read into links (children and influences, each taking
    // a reference); parents follow from the children. False (with the scene's error) when an
    // identifier names nothing or a link is refused.
    virtual bool remapLinks(Scene& scene, const NodeIdMap& idMap);
    // Raw list edits: no references are taken or released unless stated.
    virtual bool insertChild(SceneNode*, int) { return false; }
    virtual bool eraseChild(SceneNode*) { return false; }
    // First occurrence replaced; one reference taken on the new node. The old node's reference
    // passes to the caller, and neither node's parent list changes.
    virtual bool replaceChild(SceneNode*, SceneNode*) { return false; }
    virtual bool addParent(SceneNode* node);
    virtual bool removeParent(SceneNode* node);
    virtual bool replaceParent(SceneNode* oldNode, SceneNode* newNode);

    // Releases links that can form reference cycles outside the child lists (the influences of
    // geometry nodes); Scene::clear calls it on every node before it lets the root go.
    virtual void releaseCrossLinks() {}

protected:
    // Puts the parents in the order a file gave them; false unless the identifiers name exactly
    // the parents the child lists produced.
    bool adoptParentOrder(Scene& scene, const NodeIdMap& idMap,
                          const std::vector<std::uint32_t>& ids);
    // Appends without the duplicate search of addParent; for links known to be new.
    static void appendParent(SceneNode& child, SceneNode& parent) {
        child.m_parents.push_back(&parent);
    }
    friend class Scene;

    std::int32_t m_refCount = 1;
    std::string m_name;
    NodeList m_parents; // not owning
};

} // namespace vx
