#include <vornexhost/Attribute.h>
#include <vornexhost/Messages.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

#include <algorithm>

namespace vornexhost {

bool locateStore(const PlugAddress& plug, bool create, StoreLocation& out) {
    out = StoreLocation();
    if (plug.isNull())
        return false;
    const std::vector<const Attribute*> chain = plug.chain();
    PlugStore* store = nullptr;
    if (create)
        store = &plug.node->topStore(*chain[0]);
    else
        store = const_cast<PlugStore*>(plug.node->findTopStore(*chain[0]));
    if (!store)
        return false;
    std::size_t level = 0;
    const std::size_t last = chain.size() - 1;
    for (std::size_t i = 0; i <= last; ++i) {
        const Attribute* attr = chain[i];
        if (attr->array) {
            if (level >= plug.indices.size())
                return false;
            const std::int32_t index = plug.indices[level++];
            if (index < 0) {
                if (i != last)
                    return false;
                out.store = store;
                out.isArray = true;
                return true;
            }
            if (!create && !store->array)
                return false;
            ArrayStore& array = store->arrayStore(*attr);
            const auto logical = static_cast<std::uint32_t>(index);
            long physical = create ? static_cast<long>(array.obtain(logical)) : array.find(logical);
            if (physical < 0)
                return false;
            if (array.packing != ArrayStore::Packing::None) {
                out.packed = &array;
                out.physical = static_cast<std::size_t>(physical);
                if (i == last)
                    return true;
                if (i + 1 != last)
                    return false;
                out.leaf = static_cast<int>(chain[i + 1]->childIndex);
                return true;
            }
            store = &array.elements[static_cast<std::size_t>(physical)];
        }
        if (i < last) {
            const unsigned child = chain[i + 1]->childIndex;
            if (!create && store->children.size() <= child)
                return false;
            store = &store->childStore(child);
        }
    }
    out.store = store;
    return true;
}

double storedNumber(const PlugAddress& plug) {
    StoreLocation at;
    if (locateStore(plug, false, at)) {
        if (at.packed)
            return at.packed->number(at.physical, at.leaf < 0 ? 0u : unsigned(at.leaf));
        if (at.store && at.store->hasValue)
            return at.store->number;
    }
    return plug.attribute ? plug.attribute->defaultValue : 0.0;
}

bool setStoredNumber(const PlugAddress& plug, double value) {
    StoreLocation at;
    if (!locateStore(plug, true, at) || at.isArray)
        return false;
    if (at.packed) {
        at.packed->setNumber(at.physical, at.leaf < 0 ? 0u : unsigned(at.leaf), value);
        sendNodeDirty(*plug.node);
        return true;
    }
    at.store->hasValue = true;
    at.store->number = value;
    at.store->data.reset();
    sendNodeDirty(*plug.node);
    return true;
}

std::shared_ptr<const Data> storedData(const PlugAddress& plug, std::uint32_t* part) {
    StoreLocation at;
    if (!locateStore(plug, false, at) || !at.store || at.isArray)
        return nullptr;
    if (part)
        *part = at.store->part;
    return at.store->data;
}

bool setStoredData(const PlugAddress& plug, std::shared_ptr<const Data> data, std::uint32_t part) {
    StoreLocation at;
    if (!locateStore(plug, true, at) || !at.store || at.isArray)
        return false;
    at.store->hasValue = true;
    at.store->data = std::move(data);
    at.store->part = part;
    sendNodeDirty(*plug.node);
    return true;
}

ArrayStore* arrayStoreOf(const PlugAddress& arrayPlug, bool create) {
    if (!arrayPlug.isArrayPlug())
        return nullptr;
    StoreLocation at;
    if (!locateStore(arrayPlug, create, at) || !at.store)
        return nullptr;
    if (create)
        return &at.store->arrayStore(*arrayPlug.attribute);
    return at.store->array.get();
}

PlugAddress elementOf(const PlugAddress& arrayPlug, std::int32_t logicalIndex) {
    PlugAddress out = arrayPlug;
    if (!out.indices.empty())
        out.indices.back() = logicalIndex;
    return out;
}

std::vector<std::int32_t> connectedElementIndices(const PlugAddress& arrayPlug) {
    std::vector<std::int32_t> out;
    if (arrayPlug.isNull() || !arrayPlug.node->scene() || arrayPlug.indices.empty())
        return out;
    const Scene& scene = *arrayPlug.node->scene();
    const std::size_t level = arrayPlug.indices.size() - 1;
    auto consider = [&](const PlugAddress& end) {
        if (end.node != arrayPlug.node || end.indices.size() <= level)
            return;
        for (const Attribute* x = end.attribute; x; x = x->parent)
            if (x == arrayPlug.attribute) {
                for (std::size_t i = 0; i < level; ++i)
                    if (end.indices[i] != arrayPlug.indices[i])
                        return;
                if (end.indices[level] >= 0)
                    out.push_back(end.indices[level]);
                return;
            }
    };
    for (std::uint32_t i : arrayPlug.node->connectionsIn)
        if (scene.connection(i).alive)
            consider(scene.connection(i).destination);
    for (std::uint32_t i : arrayPlug.node->connectionsOut)
        if (scene.connection(i).alive)
            consider(scene.connection(i).source);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::vector<std::int32_t> existingElementIndices(const PlugAddress& arrayPlug) {
    std::vector<std::int32_t> all = connectedElementIndices(arrayPlug);
    if (const ArrayStore* array = arrayStoreOf(arrayPlug, false))
        for (std::uint32_t l : array->logical)
            all.push_back(static_cast<std::int32_t>(l));
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

PlugAddress childOf(const PlugAddress& plug, const Attribute* child) {
    PlugAddress out = plug;
    out.attribute = child;
    if (child && child->array)
        out.indices.push_back(-1);
    return out;
}

} // namespace vornexhost
