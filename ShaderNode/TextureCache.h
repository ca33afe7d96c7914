#pragma once
// The textures of file texture nodes, shared by every rscMeshShader node of the plug-in and
// reference counted by them: the first node to take a reference creates the cache, the last
// reference dropped destroys it with its textures and callbacks. An entry is loaded on first
// use, marked dirty when its node changes (and loaded again on next use), and follows the
// node's renames.
#include "ShaderNode/MTexture.h"

#include <maya/MMessage.h>
#include <maya/MObject.h>

#include <map>
#include <memory>
#include <string>

namespace vx {

class TextureCache {
public:
    // Takes a reference on the process-wide cache, creating it when there is none.
    static TextureCache& acquire();
    // Drops one reference; the cache is destroyed when none is left.
    static void release();
    // The cache, or null when no reference is held.
    static TextureCache* instance();

    // The texture of a file texture node, loaded when there is no clean entry for it; null for
    // other nodes and for files that cannot be read (the warning is shown once per load).
    MTexture* texture(const MObject& textureNode);

    unsigned referenceCount() const { return m_references; }
    std::size_t entryCount() const { return m_entries.size(); }
    bool hasEntry(const std::string& name) const { return m_entries.count(name) != 0; }

    ~TextureCache();
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;

private:
    struct Entry {
        std::unique_ptr<MTexture> texture; // null when the file could not be read
        bool dirty = false;
        MCallbackId dirtyCallback = 0;
        MCallbackId nameCallback = 0;
        std::string name;
    };

    TextureCache() = default;
    void watch(Entry& entry, MObject node);
    static void removeCallbacks(Entry& entry);
    static void onNodeDirty(MObject& node, void* clientData);
    static void onNameChanged(MObject& node, const MString& previousName, void* clientData);

    // Entries keep their address while they live (map nodes), so callbacks point at them.
    std::map<std::string, Entry> m_entries;
    unsigned m_references = 0;
};

// The cache key of a node: its full DAG path for DAG nodes, its name otherwise.
std::string textureNodeKey(const MObject& node);

} // namespace vx
