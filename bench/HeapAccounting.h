#pragma once
// Heap accounting for a whole benchmark program (link HeapAccounting.cpp, which replaces the
// global operator new and delete): bytes in use and the high-water mark, from the
// allocator's own size of each block.
#include <cstddef>

namespace vx::bench {

std::size_t heapInUse();
std::size_t heapPeak();
// The high-water mark starts again from what is in use now.
void resetHeapPeak();

} // namespace vx::bench
