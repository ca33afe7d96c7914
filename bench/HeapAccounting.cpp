#include "bench/HeapAccounting.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

// Heap accounting for the whole program: bytes in use and the high-water mark since the last
// reset, from the allocator's own size of each block.
namespace {
std::atomic<std::size_t> g_inUse{0};
std::atomic<std::size_t> g_peak{0};

void* allocate(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    const std::size_t now = g_inUse += malloc_usable_size(p);
    std::size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void release(void* p) noexcept {
    if (!p)
        return;
    g_inUse -= malloc_usable_size(p);
    std::free(p);
}
} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}

namespace vx::bench {

std::size_t heapInUse() {
    return g_inUse.load();
}

std::size_t heapPeak() {
    return g_peak.load();
}

void resetHeapPeak() {
    g_peak = g_inUse.load();
}

} // namespace vx::bench
