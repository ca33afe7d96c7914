#pragma once
// Heap accounting for a whole benchmark program (linking this replaces operator new and
// delete): bytes in use, and the high-water mark since the last reset, from the allocator's
// own size of each block.
#include <cstddef>

namespace vx::bench {

std::size_t heapInUse();
std::size_t heapPeak();
// Starts a new high-water mark from what is in use now; returns that amount.
std::size_t resetHeapPeak();
// The process's peak resident set, in MiB.
double peakRssMegabytes();

inline constexpr double kMegabyte = 1024.0 * 1024.0;

} // namespace vx::bench
