#include "ShaderNode/TextureCache.h"

#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MNodeMessage.h>
#include <maya/MPlug.h>

namespace vx {
namespace {

std::unique_ptr<TextureCache>& cacheSlot() {
    static std::unique_ptr<TextureCache> cache;
    return cache;
}

} // namespace

std::string textureNodeKey(const MObject& node) {
    if (node.hasFn(MFn::kDagNode))
        return MFnDagNode(node).fullPathName().str();
    return MFnDependencyNode(node).name().str();
}

TextureCache& TextureCache::acquire() {
    std::unique_ptr<TextureCache>& cache = cacheSlot();
    if (!cache)
        cache.reset(new TextureCache());
    ++cache->m_references;
    return *cache;
}

void TextureCache::release() {
    std::unique_ptr<TextureCache>& cache = cacheSlot();
    if (cache && --cache->m_references == 0)
        cache.reset();
}

TextureCache* TextureCache::instance() {
    return cacheSlot().get();
}

TextureCache::~TextureCache() {
    for (auto& [name, entry] : m_entries)
        removeCallbacks(entry);
}

void TextureCache::removeCallbacks(Entry& entry) {
    if (entry.dirtyCallback != 0)
        MMessage::removeCallback(entry.dirtyCallback);
    if (entry.nameCallback != 0)
        MMessage::removeCallback(entry.nameCallback);
    entry.dirtyCallback = 0;
    entry.nameCallback = 0;
}

void TextureCache::watch(Entry& entry, MObject node) {
    entry.dirtyCallback = MNodeMessage::addNodeDirtyCallback(node, &onNodeDirty, &entry);
    entry.nameCallback = MNodeMessage::addNameChangedCallback(node, &onNameChanged, &entry);
}

void TextureCache::onNodeDirty(MObject&, void* clientData) {
    // Marked only: the load waits for the next draw. The reload registers the callbacks again.
    auto* entry = static_cast<Entry*>(clientData);
    entry->dirty = true;
    removeCallbacks(*entry);
}

void TextureCache::onNameChanged(MObject& node, const MString&, void* clientData) {
    auto* entry = static_cast<Entry*>(clientData);
    TextureCache* cache = instance();
    const std::string newName = textureNodeKey(node);
    if (!cache || newName == entry->name)
        return;
    // Re-keyed in place: the entry (and the callbacks' pointer to it) stays where it is. An
    // entry already under the new name belonged to another node of that name before; it goes.
    auto handle = cache->m_entries.extract(entry->name);
    if (handle.empty())
        return;
    if (const auto clash = cache->m_entries.find(newName); clash != cache->m_entries.end()) {
        removeCallbacks(clash->second);
        cache->m_entries.erase(clash);
    }
    handle.key() = newName;
    entry->name = newName;
    cache->m_entries.insert(std::move(handle));
}

MTexture* TextureCache::texture(const MObject& textureNode) {
    if (textureNode.isNull() || !textureNode.hasFn(MFn::kFileTexture))
        return nullptr;
    const std::string name = textureNodeKey(textureNode);
    auto it = m_entries.find(name);
    if (it != m_entries.end() && !it->second.dirty)
        return it->second.texture.get();
    if (it == m_entries.end()) {
        it = m_entries.emplace(name, Entry()).first;
        it->second.name = name;
    }
    Entry& entry = it->second;
    removeCallbacks(entry);
    entry.texture.reset();
    entry.dirty = false;
    MString path;
    MFnDependencyNode(textureNode).findPlug("fileTextureName").getValue(path);
    auto loaded = std::make_unique<MTexture>();
    if (loaded->load(path))
        entry.texture = std::move(loaded);
    watch(entry, textureNode);
    return entry.texture.get();
}

} // namespace vx
