#include "tools/info/IndexRangeCounts.h"

#include <algorithm>
#include <numeric>

namespace vx::meshfile {

namespace {

// Prefix sums over positions, with single-position updates (a Fenwick tree).
class PositionCounts {
public:
    explicit PositionCounts(std::size_t size) : m_tree(size + 1, 0) {}
    void add(std::size_t position) {
        for (std::size_t i = position + 1; i < m_tree.size(); i += i & (~i + 1))
            ++m_tree[i];
    }
    // Marked positions below `end`.
    std::uint64_t below(std::size_t end) const {
        std::uint64_t sum = 0;
        for (std::size_t i = end; i > 0; i -= i & (~i + 1))
            sum += m_tree[i];
        return sum;
    }

private:
    std::vector<std::uint64_t> m_tree;
};

} // namespace

std::vector<std::uint64_t> countIndicesAtOrAbove(const std::vector<std::uint16_t>& indices,
                                                 const std::vector<IndexRangeQuery>& queries) {
    std::vector<std::uint64_t> counts(queries.size(), 0);
    if (queries.empty() || indices.empty())
        return counts;
    // Positions ordered by their index value, and the values in that order.
    std::vector<std::size_t> byValue(indices.size());
    std::iota(byValue.begin(), byValue.end(), std::size_t{0});
    std::stable_sort(byValue.begin(), byValue.end(),
                     [&](std::size_t a, std::size_t b) { return indices[a] < indices[b]; });
    std::vector<std::uint16_t> sortedValues(indices.size());
    for (std::size_t i = 0; i < byValue.size(); ++i)
        sortedValues[i] = indices[byValue[i]];
    // Thresholds from the highest down: each marks the positions that newly reach it.
    std::vector<std::size_t> order(queries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return queries[a].threshold > queries[b].threshold;
    });
    PositionCounts marked(indices.size());
    std::size_t markedFrom = indices.size(); // byValue[markedFrom..] are marked
    for (std::size_t q : order) {
        const IndexRangeQuery& query = queries[q];
        const auto first =
            std::lower_bound(sortedValues.begin(), sortedValues.end(), query.threshold,
                             [](std::uint16_t value, std::uint32_t t) { return value < t; });
        for (const std::size_t from = static_cast<std::size_t>(first - sortedValues.begin());
             markedFrom > from; --markedFrom)
            marked.add(byValue[markedFrom - 1]);
        const std::size_t end =
            static_cast<std::size_t>(std::min<std::uint64_t>(query.end, indices.size()));
        const std::size_t begin =
            static_cast<std::size_t>(std::min<std::uint64_t>(query.begin, end));
        counts[q] = marked.below(end) - marked.below(begin);
    }
    return counts;
}

} // namespace vx::meshfile
