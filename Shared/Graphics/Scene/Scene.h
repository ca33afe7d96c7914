#pragma once
#include "Shared/Graphics/Scene/SceneNode.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vx {

class InStream;
class OutStream;
struct SceneIoState;

// The scene graph: owns one reference on its root. Reading and writing the scene graph file
// happen here; nodes and shared objects call back for identifiers and references.
class Scene {
public:
    static constexpr std::uint32_t kCurrentVersion = 5;
    static constexpr std::int32_t kMarker = -1;

    Scene();
    virtual ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Replaces the scene's content with the file's. False for a file that is truncated,
    // corrupted or of an unknown version: the reason is logged at Error level and kept in
    // lastError(), the scene is left empty and no node of the file survives. Never throws for
    // bad input.
    virtual bool read(InStream& in);
    // Writes the whole file and returns true; false (having written only the marker and the
    // version) when there is no root, and false when the graph cannot be written (error logged).
    // Resizes the thresholds of every LOD node to its child count minus one first.
    virtual bool write(OutStream& out);
    // Releases the old root. A RootNode becomes the root (and gains a reference); any other
    // node is put under a new RootNode as its only child.
    virtual void setRoot(SceneNode* node);
    virtual SceneNode* getRoot() const { return m_root; }
    // Releases the root (after letting go of the influence links of the graph when the scene
    // holds the root's last reference) and sets none.
    virtual void clear();

    // Used by the nodes' read and write operations.
    std::uint32_t version() const { return m_version; }
    // Count, then the identifier of each node of the list that is part of the file.
    void writeNodeIds(OutStream& out, const NodeList& nodes);
    // Count (checked against the bytes left), then the identifiers.
    bool readNodeIds(InStream& in, std::vector<std::uint32_t>& ids, const char* what);
    // True while a node of the graph being written is known under an identifier.
    bool isWritten(const SceneNode* node) const;
    // Records the first error of the current read or write and returns false.
    bool fail(std::string text);
    const std::string& lastError() const { return m_lastError; }
    // The state of the file being read or written; only valid during read or write.
    SceneIoState& io() { return *m_io; }

private:
    bool readFile(InStream& in, std::vector<SceneNode*>& created);
    bool linkNodes(const std::vector<SceneNode*>& created);
    bool checkGraph(const std::vector<SceneNode*>& created);

    SceneNode* m_root = nullptr;
    std::unique_ptr<SceneIoState> m_io;
    std::uint32_t m_version = kCurrentVersion;
    std::string m_lastError;
};

} // namespace vx
