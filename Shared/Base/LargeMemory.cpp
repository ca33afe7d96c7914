#include "Shared/Base/LargeMemory.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>
#include <type_traits>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vx {

namespace {

constexpr std::uintptr_t kPage = 4096;

// What a large block maps: whole pages. Allocation and release must agree on it.
constexpr std::size_t mappedLength(std::size_t bytes) {
    return (bytes + kPage - 1) & ~std::size_t{kPage - 1};
}

// The whole pages of `page` bytes inside [data, data + bytes); false when there are none.
bool wholePages(const void* data, std::size_t bytes, std::uintptr_t page, std::uintptr_t& first,
                std::uintptr_t& last) {
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    first = (begin + page - 1) & ~(page - 1);
    last = (begin + bytes) & ~(page - 1);
    return begin != 0 && last > first;
}

#if defined(__linux__)
// Pages of freed large blocks that had been touched, kept while a FreedPageReuse lives.
struct KeptRun {
    std::uintptr_t begin;
    std::size_t length;
};

// Trivially destructible, so that it stays usable while the process or the library holding it
// ends (blocks may be freed then), and holds no memory of its own that could outlive either.
class KeptPages {
public:
    static KeptPages& instance() {
        static KeptPages kept;
        return kept;
    }

    void open() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++m_scopes;
    }

    void close() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (--m_scopes > 0)
            return;
        for (std::size_t r = 0; r < m_count; ++r)
            munmap(reinterpret_cast<void*>(m_runs[r].begin), m_runs[r].length);
        m_count = 0;
    }

    // Keeps the touched pages of a freed block, unmapping the rest; false when nothing keeps
    // them, and the caller unmaps the block.
    bool keep(std::uintptr_t begin, std::size_t length) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_scopes == 0)
            return false;
        forEachRun(begin, length, [&](std::uintptr_t at, std::size_t run, bool touched) {
            if (touched && m_count < kMostRuns)
                m_runs[m_count++] = {at, run};
            else
                munmap(reinterpret_cast<void*>(at), run);
        });
        return true;
    }

    // Moves kept pages into the untouched pages of [begin, begin + length), which must be
    // page-aligned and lie in one mapping.
    void fill(std::uintptr_t begin, std::size_t length) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_count == 0)
            return;
        forEachRun(begin, length, [&](std::uintptr_t at, std::size_t run, bool touched) {
            if (!touched)
                moveInto(at, run);
        });
    }

private:
    // Calls visit(at, length, touched) for the runs of touched and untouched pages in order.
    template <typename Visit>
    static void forEachRun(std::uintptr_t begin, std::size_t length, Visit&& visit) {
        const std::size_t pages = length / kPage;
        if (pages == 0)
            return;
        std::vector<unsigned char> resident(pages);
        if (mincore(reinterpret_cast<void*>(begin), length, resident.data()) != 0) {
            visit(begin, length, true); // unknown: taken as touched, which only costs a move
            return;
        }
        std::size_t first = 0;
        for (std::size_t p = 1; p <= pages; ++p) {
            if (p < pages && (resident[p] & 1) == (resident[first] & 1))
                continue;
            visit(begin + first * kPage, (p - first) * kPage, (resident[first] & 1) != 0);
            first = p;
        }
    }

    // Fills [at, at + length) from the kept runs, newest first, as far as they reach.
    void moveInto(std::uintptr_t at, std::size_t length) {
        while (length > 0 && m_count > 0) {
            KeptRun& run = m_runs[m_count - 1];
            const std::size_t moved = std::min(run.length, length);
            void* const to = reinterpret_cast<void*>(at);
            if (mremap(reinterpret_cast<void*>(run.begin), moved, moved,
                       MREMAP_MAYMOVE | MREMAP_FIXED, to) != to) {
                // Not to be had here: the room is left to fresh pages.
                return;
            }
            run.begin += moved;
            run.length -= moved;
            if (run.length == 0)
                --m_count;
            at += moved;
            length -= moved;
        }
    }

    // Runs past these are handed back at once: a few blocks' worth are kept in practice.
    static constexpr std::size_t kMostRuns = 256;
    std::mutex m_mutex;
    unsigned m_scopes = 0;
    std::size_t m_count = 0;
    KeptRun m_runs[kMostRuns] = {};
};
static_assert(std::is_trivially_destructible_v<KeptPages>);
#endif

} // namespace

void adviseLargePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    std::uintptr_t first = 0;
    std::uintptr_t last = 0;
    if (wholePages(data, bytes, kLargeBlockBytes, first, last)) // refused where not granted
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

FreedPageReuse::FreedPageReuse() {
#if defined(__linux__)
    KeptPages::instance().open();
#endif
}

FreedPageReuse::~FreedPageReuse() {
#if defined(__linux__)
    KeptPages::instance().close();
#endif
}

void releasePages([[maybe_unused]] void* room, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__)
    std::uintptr_t first = 0;
    std::uintptr_t last = 0;
    if (wholePages(room, bytes, kPage, first, last))
        madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
#endif
}

void reuseFreedPages([[maybe_unused]] void* room, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__)
    std::uintptr_t first = 0;
    std::uintptr_t last = 0;
    if (wholePages(room, bytes, kPage, first, last))
        KeptPages::instance().fill(first, last - first);
#endif
}

void* allocateLargeBlock(std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= kLargeBlockBytes) {
        // Mapped with a block's worth of slack, then trimmed to the aligned part; the pages
        // are only backed once they are touched.
        const std::size_t length = mappedLength(bytes);
        if (length < bytes || length > SIZE_MAX - kLargeBlockBytes)
            throw std::bad_alloc();
        void* mapped = mmap(nullptr, length + kLargeBlockBytes, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (start + kLargeBlockBytes - 1) & ~(kLargeBlockBytes - 1);
        if (aligned > start)
            munmap(mapped, aligned - start);
        const std::uintptr_t end = start + length + kLargeBlockBytes;
        if (end > aligned + length)
            munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
        KeptPages::instance().fill(aligned, length);
        return reinterpret_cast<void*>(aligned);
    }
#endif
    return ::operator new(bytes);
}

void freeLargeBlock(void* block, std::size_t bytes) noexcept {
#if defined(__linux__)
    if (bytes >= kLargeBlockBytes) {
        const auto begin = reinterpret_cast<std::uintptr_t>(block);
        if (!KeptPages::instance().keep(begin, mappedLength(bytes)))
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
