#pragma once
// Large working lists: an export fills lists of tens of megabytes once, and first touching their
// pages costs more than filling them where the kernel hands out 4 KiB pages. Asking for large
// pages, where the kernel grants them on request, makes that cost a few hundred faults.
#include <cstddef>
#include <vector>

namespace vx {

// Asks for large pages over the 2 MiB-aligned part of [data, data + bytes); a hint only, with
// no effect on the contents, and nothing on systems without it or for ranges under 2 MiB.
void adviseLargePages(void* data, std::size_t bytes);

// Hands memory freed between blocks still in use back to the system (glibc), so that it no
// longer counts towards the process's peak.
void releaseFreedMemory();

// While one lives, large blocks that are freed keep the pages they had touched, and the next
// large blocks and reuseFreedPages take those pages over instead of fresh ones: moving a page
// costs a fraction of first touching a fresh one. What is left is handed back when the last
// one ends, so nothing stays with the process beyond it.
class FreedPageReuse {
public:
    FreedPageReuse();
    ~FreedPageReuse();
    FreedPageReuse(const FreedPageReuse&) = delete;
    FreedPageReuse& operator=(const FreedPageReuse&) = delete;
};

// Memory for a list: blocks of 2 MiB or more start on a 2 MiB boundary, so that large pages
// asked for over a list cover it from its first byte (malloc places them anywhere, and a list
// of a few megabytes then holds one large page or none). freeLargeBlock takes the same size.
void* allocateLargeBlock(std::size_t bytes);
void freeLargeBlock(void* block, std::size_t bytes) noexcept;

// Blocks from this size on are mapped on their own, on a 2 MiB boundary.
inline constexpr std::size_t kLargeBlockBytes = std::size_t{2} << 20;

template <class T>
struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <class U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}
    T* allocate(std::size_t count) {
        return static_cast<T*>(allocateLargeBlock(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept {
        freeLargeBlock(block, count * sizeof(T));
    }
    template <class U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
};

// Puts kept pages (FreedPageReuse) where [room, room + bytes) has none yet. The room must lie
// in a block of allocateLargeBlock's of kLargeBlockBytes or more, in a part whose contents do
// not matter.
void reuseFreedPages(void* room, std::size_t bytes);

// Hands back the pages of [room, room + bytes) (whole pages only), which read as zeros if
// touched again. The same conditions as for reuseFreedPages.
void releasePages(void* room, std::size_t bytes);

// reuseFreedPages over the room a list has not yet filled, when its block is one of its own.
template <class T>
void reuseFreedPagesAhead(std::vector<T, LargeBlockAllocator<T>>& list) {
    if (list.capacity() * sizeof(T) >= kLargeBlockBytes)
        reuseFreedPages(list.data() + list.size(), (list.capacity() - list.size()) * sizeof(T));
}

// Hands back the pages of the room a list has not filled, when its block is one of its own: a
// list done growing keeps no pages it took over ahead of its end.
template <class T>
void releaseRoom(std::vector<T, LargeBlockAllocator<T>>& list) {
    if (list.capacity() * sizeof(T) >= kLargeBlockBytes)
        releasePages(list.data() + list.size(), (list.capacity() - list.size()) * sizeof(T));
}

} // namespace vx
