#pragma once
// Heap accounting for a whole benchmark program: linking HeapCounter.cpp replaces the global
// allocation functions with ones that count the bytes in use (the allocator's own size of each
// block) and their high-water mark.
#include <cstddef>

namespace vx::bench {

std::size_t heapInUse();
std::size_t heapPeak();
// Starts a new high-water mark from the bytes in use now, and returns them.
std::size_t resetHeapPeak();

} // namespace vx::bench
