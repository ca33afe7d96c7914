#pragma once
// Reading and writing stored plug values (no evaluation, no connections).
#include <vornexhost/PlugAddress.h>
#include <vornexhost/PlugStore.h>

#include <memory>
#include <vector>

namespace vornexhost {

// Where a plug's stored value lives: a PlugStore, or a slot of a packed number array.
struct StoreLocation {
    PlugStore* store = nullptr;
    ArrayStore* packed = nullptr;
    std::size_t physical = 0;
    int leaf = -1; // packed: the leaf number, -1 for a whole (compound) element
    bool isArray = false;
};

// Finds the storage of `plug`; with `create`, array elements and child stores are made.
bool locateStore(const PlugAddress& plug, bool create, StoreLocation& out);

// The stored number of a numeric leaf, or its default when nothing was stored.
double storedNumber(const PlugAddress& plug);
bool setStoredNumber(const PlugAddress& plug, double value);
std::shared_ptr<const Data> storedData(const PlugAddress& plug, std::uint32_t* part = nullptr);
bool setStoredData(const PlugAddress& plug, std::shared_ptr<const Data> data,
                   std::uint32_t part = 0);
// The element store of an array plug (indices with -1 last), or null.
ArrayStore* arrayStoreOf(const PlugAddress& arrayPlug, bool create);
// The element plug at a logical index of an array plug.
PlugAddress elementOf(const PlugAddress& arrayPlug, std::int32_t logicalIndex);
// Logical indices of an array plug's elements that are a connection's end (themselves or
// through a child), sorted.
std::vector<std::int32_t> connectedElementIndices(const PlugAddress& arrayPlug);
// Logical indices of the elements that exist: stored or connected, sorted.
std::vector<std::int32_t> existingElementIndices(const PlugAddress& arrayPlug);
// The child plug of a compound plug.
PlugAddress childOf(const PlugAddress& plug, const Attribute* child);

} // namespace vornexhost
