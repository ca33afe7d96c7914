#include "Shared/Base/LargeMemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>

namespace {

using Range = std::pair<std::uintptr_t, std::uintptr_t>;
constexpr std::uintptr_t kLarge = std::uintptr_t{2} << 20;

bool largePagesOnRequest() {
    std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string text;
    std::getline(setting, text);
    return !text.empty() && text.find("[never]") == std::string::npos;
}

// The mappings within [low, high) that the kernel lists as flagged for large pages.
std::vector<Range> flaggedWithin(std::uintptr_t low, std::uintptr_t high) {
    std::vector<Range> flagged;
    std::ifstream maps("/proc/self/smaps");
    std::string line;
    Range current{0, 0};
    while (std::getline(maps, line)) {
        if (line.rfind("VmFlags:", 0) == 0) {
            std::istringstream flags(line.substr(8));
            std::string flag;
            while (flags >> flag)
                if (flag == "hg" && current.first >= low && current.second <= high)
                    flagged.push_back(current);
            continue;
        }
        const std::size_t dash = line.find('-');
        const std::size_t space = line.find(' ');
        if (dash != std::string::npos && space != std::string::npos && dash < space &&
            line.find(':') > space)
            current = {std::stoull(line.substr(0, dash), nullptr, 16),
                       std::stoull(line.substr(dash + 1, space - dash - 1), nullptr, 16)};
    }
    return flagged;
}

} // namespace

// Only whole 2 MiB pages inside the range are flagged: the advice never reaches memory beyond
// the buffer, which may belong to other blocks.
TEST(LargeMemory, LargePagesAreAskedForOverTheWholeLargePagesInsideTheRangeOnly) {
    if (!largePagesOnRequest())
        GTEST_SKIP() << "the kernel grants no large pages";
    struct Case {
        std::uintptr_t offset;
        std::size_t bytes;
        Range expected; // from the aligned base; {0, 0}: nothing flagged
    };
    const Case cases[] = {
        {kLarge / 2 + 5, 3 * kLarge, {kLarge, 3 * kLarge}},
        {0, 2 * kLarge, {0, 2 * kLarge}},
        {1, 2 * kLarge, {kLarge, 2 * kLarge}},
        {1, kLarge, {0, 0}},
        {kLarge, kLarge - 1, {0, 0}},
    };
    for (const Case& c : cases) {
        constexpr std::size_t kMapped = 8 * kLarge;
        void* mapped =
            mmap(nullptr, kMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(mapped, MAP_FAILED);
        const auto start = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t base = (start + kLarge - 1) & ~(kLarge - 1);
        vx::adviseLargePages(reinterpret_cast<void*>(base + c.offset), c.bytes);
        const std::vector<Range> flagged = flaggedWithin(start, start + kMapped);
        if (c.expected.second == 0) {
            EXPECT_TRUE(flagged.empty()) << "offset " << c.offset << ", " << c.bytes << " bytes";
        } else {
            EXPECT_EQ(flagged,
                      (std::vector<Range>{{base + c.expected.first, base + c.expected.second}}))
                << "offset " << c.offset << ", " << c.bytes << " bytes";
        }
        munmap(mapped, kMapped);
    }
}

// Blocks of 2 MiB or more start on a large-page boundary and can be advised whole; smaller ones
// come from the ordinary heap. A list growing across the threshold keeps its contents, and
// advice over the room it has not filled leaves its filled part alone.
TEST(LargeMemory, LargeBlocksStartOnALargePageAndListsKeepTheirContentsAcrossTheThreshold) {
    for (const std::size_t bytes : {std::size_t{1}, std::size_t{kLarge - 1}, std::size_t{kLarge},
                                    std::size_t{kLarge + 1}, std::size_t{5 * kLarge + 4097}}) {
        auto* block = static_cast<unsigned char*>(vx::allocateLargeBlock(bytes));
        ASSERT_NE(block, nullptr);
        if (bytes >= kLarge) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % kLarge, 0u) << bytes << " bytes";
        }
        block[bytes - 1] = 2; // the whole size is writable
        block[0] = 1;
        EXPECT_EQ(block[bytes - 1], bytes == 1 ? 1 : 2);
        vx::freeLargeBlock(block, bytes);
    }
    std::vector<std::uint32_t, vx::LargeBlockAllocator<std::uint32_t>> list;
    for (std::uint32_t i = 0; i < 3 * kLarge / sizeof(std::uint32_t); ++i)
        list.push_back(i * 2654435761u);
    for (std::uint32_t i = 0; i < list.size(); ++i)
        ASSERT_EQ(list[i], i * 2654435761u) << "at " << i;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(list.data()) % kLarge, 0u);
    if (!largePagesOnRequest())
        return;
    list.reserve(list.size() + 4 * kLarge / sizeof(std::uint32_t));
    vx::adviseLargePages(list.data() + list.size(),
                         (list.capacity() - list.size()) * sizeof(std::uint32_t));
    const auto end = reinterpret_cast<std::uintptr_t>(list.data() + list.capacity());
    const std::vector<Range> flagged =
        flaggedWithin(reinterpret_cast<std::uintptr_t>(list.data()), end + kLarge);
    ASSERT_EQ(flagged.size(), 1u);
    // Only the room past the filled part is advised, in whole large pages.
    const auto filled = reinterpret_cast<std::uintptr_t>(list.data() + list.size());
    EXPECT_EQ(flagged.front().first, (filled + kLarge - 1) & ~(kLarge - 1));
    EXPECT_EQ(flagged.front().second, end & ~(kLarge - 1));
}
#endif

#if defined(__linux__)
namespace {

long residentPages() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident;
}

// Pages of [data, data + bytes) the process holds, whole pages only.
long residentIn(const void* data, std::size_t bytes) {
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + 4095) & ~std::uintptr_t{4095};
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~std::uintptr_t{4095};
    if (end <= begin)
        return 0;
    std::vector<unsigned char> pages((end - begin) / 4096);
    if (mincore(reinterpret_cast<void*>(begin), end - begin, pages.data()) != 0)
        return -1;
    long resident = 0;
    for (const unsigned char page : pages)
        resident += page & 1;
    return resident;
}

unsigned char* touchedBlock(std::size_t bytes) {
    auto* block = static_cast<unsigned char*>(vx::allocateLargeBlock(bytes));
    for (std::size_t i = 0; i < bytes; i += 4096)
        block[i] = 1;
    return block;
}

} // namespace

// Freed blocks give their pages to the next blocks and to a list's room while a reuse scope
// lives, so those hold pages before anything is written there; without one, and once it ends,
// the pages go back.
TEST(LargeMemory, FreedPagesAreTakenOverOnlyWhileReuseLasts) {
    constexpr std::size_t kBytes = 8 * kLarge;
    constexpr long kPages = kBytes / 4096;
    // Without a scope a freed block's pages are gone: a new block starts with none.
    vx::freeLargeBlock(touchedBlock(kBytes), kBytes);
    auto* fresh = static_cast<unsigned char*>(vx::allocateLargeBlock(kBytes));
    EXPECT_LT(residentIn(fresh, kBytes), kPages / 16);
    vx::freeLargeBlock(fresh, kBytes);

    long keptResident = 0;
    {
        const vx::FreedPageReuse reuse;
        vx::freeLargeBlock(touchedBlock(kBytes), kBytes);
        auto* next = static_cast<unsigned char*>(vx::allocateLargeBlock(kBytes));
        EXPECT_GT(residentIn(next, kBytes), kPages * 15 / 16);
        {
            // A list with room ahead takes them there, after the page it ends in; what it
            // holds stays.
            std::vector<std::uint32_t, vx::LargeBlockAllocator<std::uint32_t>> list;
            list.reserve(2 * kBytes / sizeof(std::uint32_t));
            for (std::uint32_t i = 0; i < 1000; ++i)
                list.push_back(i * 2654435761u);
            const auto* room = reinterpret_cast<const unsigned char*>(list.data() + list.size());
            EXPECT_LT(residentIn(room, kBytes), kPages / 16);
            vx::freeLargeBlock(next, kBytes);
            vx::reuseFreedPagesAhead(list);
            EXPECT_GT(residentIn(room, kBytes), kPages * 15 / 16);
            for (std::uint32_t i = 0; i < 1000; ++i)
                ASSERT_EQ(list[i], i * 2654435761u) << "at " << i;
            // Done growing, the list hands back the room's pages and keeps what it holds.
            vx::releaseRoom(list);
            EXPECT_LT(residentIn(room, kBytes), kPages / 16);
            for (std::uint32_t i = 0; i < 1000; ++i)
                ASSERT_EQ(list[i], i * 2654435761u) << "at " << i;
        }
        // Pages kept but not taken stay until the scope ends.
        vx::freeLargeBlock(touchedBlock(kBytes), kBytes);
        keptResident = residentPages();
    }
    EXPECT_LT(residentPages(), keptResident - kPages / 2);
}
#endif
