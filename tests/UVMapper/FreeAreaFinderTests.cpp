// The free-area grid against a plain grid of cells: random spans marked (inside one word,
// across words, whole words, up to the last column), then every cell, the count and the first
// free block of several sizes compared with a scan.
#include "UVMapper/FreeAreaFinder.h"
#include "tests/UVMapper/TestMeshes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace vx::test {
namespace {

// The first top-left cell, row by row, of a free w × h block that leaves the last row and
// column out.
bool scanForBlock(const std::vector<bool>& occupied, std::uint32_t width, std::uint32_t height,
                  std::uint32_t w, std::uint32_t h, std::uint32_t& x, std::uint32_t& y) {
    for (std::uint32_t top = 0; top + h + 1 <= height; ++top)
        for (std::uint32_t left = 0; left + w + 1 <= width; ++left) {
            bool free = true;
            for (std::uint32_t r = top; free && r < top + h; ++r)
                for (std::uint32_t c = left; free && c < left + w; ++c)
                    free = !occupied[std::size_t{r} * width + c];
            if (free) {
                x = left;
                y = top;
                return true;
            }
        }
    return false;
}

TEST(FreeAreaFinder, MarksAndFindsWhatAPlainGridOfCellsDoes) {
    TestRandom random(17);
    for (const std::uint32_t width : {7u, 64u, 65u, 200u}) {
        const std::uint32_t height = 37;
        FreeAreaFinder finder;
        finder.reset(width, height);
        std::vector<bool> occupied(std::size_t{width} * height, false);
        for (int n = 0; n < 120; ++n) {
            const std::uint32_t row = random.next() % height;
            const std::uint32_t x0 = random.next() % width;
            const std::uint32_t longest = n % 4 == 0 ? width : 6;
            const std::uint32_t x1 = std::min(width - 1, x0 + random.next() % longest);
            finder.markSpan(row, x0, x1);
            for (std::uint32_t x = x0; x <= x1; ++x)
                occupied[std::size_t{row} * width + x] = true;
            if (n % 10 != 9)
                continue;
            std::uint64_t count = 0;
            for (std::uint32_t y = 0; y < height; ++y)
                for (std::uint32_t x = 0; x < width; ++x) {
                    const bool marked = occupied[std::size_t{y} * width + x];
                    ASSERT_EQ(finder.isFree(x, y), !marked && x + 1 < width)
                        << width << " wide, cell " << x << "," << y;
                    count += marked && x + 1 < width ? 1 : 0;
                }
            EXPECT_EQ(finder.occupiedCount(), count);
            for (const auto& [w, h] : {std::pair{1u, 1u}, {2u, 5u}, {6u, 2u}, {9u, 9u}}) {
                std::uint32_t x = 0;
                std::uint32_t y = 0;
                std::uint32_t scannedX = 0;
                std::uint32_t scannedY = 0;
                const bool scanned =
                    scanForBlock(occupied, width, height, w, h, scannedX, scannedY);
                ASSERT_EQ(finder.findFirstFree(w, h, x, y), scanned) << w << "x" << h;
                if (scanned) {
                    EXPECT_EQ(std::pair(x, y), std::pair(scannedX, scannedY)) << w << "x" << h;
                }
            }
        }
    }
}

} // namespace
} // namespace vx::test
