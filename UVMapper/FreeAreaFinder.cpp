#include "UVMapper/FreeAreaFinder.h"

#include <algorithm>
#include <bit>

namespace vx {

void FreeAreaFinder::reset(std::uint32_t width, std::uint32_t height) {
    m_width = width;
    m_height = height;
    // One spare bit at least: the last column and everything past it count as occupied, so a
    // free run never reaches the far edge.
    m_words = width / 64 + 1;
    m_bits.assign(m_words * height, 0);
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint64_t* bits = m_bits.data() + std::size_t{y} * m_words;
        const std::uint32_t guard = width - 1;
        bits[guard / 64] |= ~std::uint64_t{0} << (guard % 64);
        for (std::size_t w = guard / 64 + 1; w < m_words; ++w)
            bits[w] = ~std::uint64_t{0};
    }
    m_noRunOf.assign(height, width);
    m_accumulated.assign(m_words, 0);
    m_passed.assign(m_words, 0);
    m_runs.assign(m_words, 0);
    m_lastFound.clear();
}

void FreeAreaFinder::markWords(std::uint64_t* bits, std::uint32_t x0, std::uint32_t x1) {
    for (std::uint32_t x = x0; x <= x1;) {
        const std::uint32_t bit = x % 64;
        const std::uint32_t count = std::min(64 - bit, x1 - x + 1);
        const std::uint64_t mask =
            count == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << count) - 1) << bit;
        bits[x / 64] |= mask;
        x += count;
    }
}

bool FreeAreaFinder::isFree(std::uint32_t x, std::uint32_t y) const {
    return ((row(y)[x / 64] >> (x % 64)) & 1u) == 0;
}

std::uint64_t FreeAreaFinder::occupiedCount() const {
    std::uint64_t bits = 0;
    for (const std::uint64_t word : m_bits)
        bits += static_cast<std::uint64_t>(std::popcount(word));
    // Every row holds its guard: the last column and the spare bits past it.
    const std::uint64_t guards = std::uint64_t{m_words} * 64 - (m_width - 1);
    return bits - guards * m_height;
}

std::int64_t FreeAreaFinder::firstRun(const std::uint64_t* occupied, std::uint32_t blockWidth,
                                      std::uint32_t from) {
    const std::size_t words = m_words;
    std::uint64_t* runs = m_runs.data();
    // Words before `begin` hold no run start; runs only ever end, so it only moves up.
    std::size_t begin = from / 64;
    if (begin >= words)
        return -1;
    for (std::size_t w = begin; w < words; ++w)
        runs[w] = ~occupied[w];
    runs[begin] &= ~std::uint64_t{0} << (from % 64);
    // runs[x] = every cell x .. x + length - 1 free; doubled until length is blockWidth, or
    // until no run is left, which in a crowded grid is soon.
    for (std::uint32_t length = 1; length < blockWidth;) {
        const std::uint32_t shift = std::min(length, blockWidth - length);
        const std::size_t wordShift = shift / 64;
        const std::uint32_t bitShift = shift % 64;
        while (begin < words && runs[begin] == 0)
            ++begin;
        std::uint64_t any = 0;
        for (std::size_t w = begin; w < words; ++w) {
            const std::uint64_t low = w + wordShift < words ? runs[w + wordShift] : 0;
            const std::uint64_t high = w + wordShift + 1 < words ? runs[w + wordShift + 1] : 0;
            const std::uint64_t shifted =
                bitShift == 0 ? low : (low >> bitShift) | (high << (64 - bitShift));
            runs[w] &= shifted;
            any |= runs[w];
        }
        if (any == 0)
            return -1;
        length += shift;
    }
    for (std::size_t w = begin; w < words; ++w) {
        if (runs[w] != 0)
            return static_cast<std::int64_t>(w * 64 +
                                             static_cast<unsigned>(std::countr_zero(runs[w])));
    }
    return -1;
}

bool FreeAreaFinder::findFirstFree(std::uint32_t blockWidth, std::uint32_t blockHeight,
                                   std::uint32_t& x, std::uint32_t& y) {
    if (blockWidth == 0 || blockHeight == 0 || blockWidth + 1 > m_width ||
        blockHeight + 1 > m_height)
        return false;
    const std::uint32_t lastRow = m_height - blockHeight - 1;
    const std::uint64_t key = (std::uint64_t{blockWidth} << 32) | blockHeight;
    std::uint32_t startRow = 0;
    std::uint32_t startColumn = 0;
    if (const auto found = m_lastFound.find(key); found != m_lastFound.end()) {
        startRow = static_cast<std::uint32_t>(found->second >> 32);
        startColumn = static_cast<std::uint32_t>(found->second);
    }
    std::uint64_t* acc = m_accumulated.data();
    auto found = [&](std::uint32_t column, std::uint32_t top) {
        x = column;
        y = top;
        m_lastFound[key] = (std::uint64_t{top} << 32) | column;
        return true;
    };
    std::uint32_t top = startRow;
    if (startColumn > 0 && top <= lastRow) {
        // The row where the last search stopped: only positions from its column on are new.
        const std::size_t first = startColumn / 64;
        std::fill(acc + first, acc + m_words, 0);
        for (std::uint32_t r = top; r < top + blockHeight; ++r)
            for (std::size_t w = first; w < m_words; ++w)
                acc[w] |= row(r)[w];
        const std::int64_t column = firstRun(acc, blockWidth, startColumn);
        if (column >= 0)
            return found(static_cast<std::uint32_t>(column), top);
        ++top;
    }
    std::uint64_t* passed = m_passed.data();
    while (top <= lastRow) {
        // The block's rows are OR-ed from the bottom up and looked at when 1, 2, 4, ... of them
        // and all are in: a block that fits costs a few looks, not one per row.
        const std::uint32_t bottom = top + blockHeight - 1;
        // A row known to be too crowded on its own rules out every block over it.
        std::uint32_t below = bottom + 1;
        while (below > top && blockWidth < m_noRunOf[below - 1])
            --below;
        if (below > top) {
            top = below;
            continue;
        }
        auto addRow = [&](std::uint32_t depth) {
            for (std::size_t w = 0; w < m_words; ++w)
                acc[w] |= row(bottom + 1 - depth)[w];
        };
        std::fill(acc, acc + m_words, 0);
        std::uint32_t passedDepth = 0;
        std::uint32_t failedDepth = 0;
        for (std::uint32_t depth = 1; depth <= blockHeight; ++depth) {
            addRow(depth);
            if (depth != blockHeight && (depth & (depth - 1)) != 0)
                continue;
            const std::int64_t column = firstRun(acc, blockWidth, 0);
            if (column < 0) {
                if (depth == 1)
                    m_noRunOf[bottom] = blockWidth;
                failedDepth = depth;
                break;
            }
            if (depth == blockHeight)
                return found(static_cast<std::uint32_t>(column), top);
            std::copy(acc, acc + m_words, passed);
            passedDepth = depth;
        }
        // The fewest bottom rows without a common free run, between the last two looks.
        if (failedDepth > passedDepth + 1)
            std::copy(passed, passed + m_words, acc);
        for (std::uint32_t depth = passedDepth + 1; depth < failedDepth; ++depth) {
            addRow(depth);
            if (firstRun(acc, blockWidth, 0) < 0) {
                failedDepth = depth;
                break;
            }
        }
        // Those rows rule out every block that starts at or above the highest of them.
        top = bottom + 2 - failedDepth;
    }
    return false;
}

} // namespace vx
