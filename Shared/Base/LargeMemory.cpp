#include "Shared/Base/LargeMemory.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vx {

void adviseLargePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kLarge = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    if (begin == 0 || bytes < kLarge)
        return;
    const std::uintptr_t first = (begin + kLarge - 1) & ~(kLarge - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kLarge - 1);
    if (last > first) // refused where not granted, which changes nothing
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

namespace {

constexpr std::size_t kLargeBlock = std::size_t{2} << 20;

// What a large block maps: whole pages. Allocation and release must agree on it.
constexpr std::size_t mappedLength(std::size_t bytes) {
    return (bytes + 4095) & ~std::size_t{4095};
}

} // namespace

void* allocateLargeBlock(std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= kLargeBlock) {
        // Mapped with a block's worth of slack, then trimmed to the aligned part; the pages
        // are only backed once they are touched.
        const std::size_t length = mappedLength(bytes);
        if (length < bytes || length > SIZE_MAX - kLargeBlock)
            throw std::bad_alloc();
        void* mapped = mmap(nullptr, length + kLargeBlock, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (start + kLargeBlock - 1) & ~(kLargeBlock - 1);
        if (aligned > start)
            munmap(mapped, aligned - start);
        const std::uintptr_t end = start + length + kLargeBlock;
        if (end > aligned + length)
            munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
        return reinterpret_cast<void*>(aligned);
    }
#endif
    return ::operator new(bytes);
}

void freeLargeBlock(void* block, std::size_t bytes) noexcept {
#if defined(__linux__)
    if (bytes >= kLargeBlock) {
        munmap(block, mappedLength(bytes));
        return;
    }
#endif
    ::operator delete(block);
}

void releaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace vx
