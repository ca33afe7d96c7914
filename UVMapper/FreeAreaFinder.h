#pragma once
// First-fit search for free blocks in the lightmap grid, in the order of a row-by-row,
// cell-by-cell scan. Each row is a bit set of occupied cells; a block's rows are OR-ed from
// the bottom up so that a row set without a long enough free run rules out every block
// start above it at once (looked at after 1, 2, 4, ... rows, and row by row only between the
// last two looks when one fails); and the last position found for a block size is where the
// next search for that size starts, since the grid only fills up between resets.
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vx {

class FreeAreaFinder {
public:
    // An empty grid of width × height cells (both at least 1).
    void reset(std::uint32_t width, std::uint32_t height);
    // Cells x0 .. x1 (inclusive) of the row become occupied. Inline: every span of every
    // placement attempt comes here, and most lie within one word.
    void markSpan(std::uint32_t row, std::uint32_t x0, std::uint32_t x1) {
        std::uint64_t* bits = m_bits.data() + std::size_t{row} * m_words;
        if (x0 / 64 == x1 / 64) {
            bits[x0 / 64] |= (~std::uint64_t{0} >> (63 - (x1 - x0))) << (x0 % 64);
            return;
        }
        markWords(bits, x0, x1);
    }
    bool isFree(std::uint32_t x, std::uint32_t y) const;
    // The occupied cells outside the last column, which no block reaches and so no mark.
    std::uint64_t occupiedCount() const;

    // The first block of blockWidth × blockHeight free cells in row-major order of its top-left
    // cell that leaves the grid's last row and last column out, as the mapper's scan does
    // (a block never ends exactly at the far edge). False when there is none.
    bool findFirstFree(std::uint32_t blockWidth, std::uint32_t blockHeight, std::uint32_t& x,
                       std::uint32_t& y);

private:
    static void markWords(std::uint64_t* bits, std::uint32_t x0, std::uint32_t x1);
    // First x >= from where `occupied` has blockWidth free cells in a row, or -1.
    std::int64_t firstRun(const std::uint64_t* occupied, std::uint32_t blockWidth,
                          std::uint32_t from);
    const std::uint64_t* row(std::uint32_t y) const {
        return m_bits.data() + std::size_t{y} * m_words;
    }

    std::uint32_t m_width = 0;
    std::uint32_t m_height = 0;
    std::size_t m_words = 0;
    std::vector<std::uint64_t> m_bits;
    // Per row, a length no free run of the row reaches: marks only ever shorten the runs.
    std::vector<std::uint32_t> m_noRunOf;
    std::vector<std::uint64_t> m_accumulated;
    std::vector<std::uint64_t> m_passed; // the OR of the rows at the last look that found a run
    std::vector<std::uint64_t> m_runs;
    std::unordered_map<std::uint64_t, std::uint64_t> m_lastFound; // size -> y << 32 | x
};

} // namespace vx
