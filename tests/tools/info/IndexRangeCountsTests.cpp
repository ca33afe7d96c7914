// The counts of indices reaching a threshold must match the literal scan of each range.
#include "tools/info/IndexRangeCounts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace vx::meshfile {
namespace {

std::uint64_t literalCount(const std::vector<std::uint16_t>& indices, const IndexRangeQuery& q) {
    std::uint64_t count = 0;
    for (std::uint64_t p = q.begin; p < q.end && p < indices.size(); ++p)
        count += indices[static_cast<std::size_t>(p)] >= q.threshold ? 1u : 0u;
    return count;
}

TEST(IndexRangeCounts, MatchTheLiteralScanOfOverlappingRanges) {
    std::mt19937 random(7);
    for (std::size_t size : {0u, 1u, 37u, 1000u}) {
        // Values crowd a few thresholds so that ties and equal thresholds occur.
        const std::uint16_t top = size < 100 ? 8 : 65535;
        std::vector<std::uint16_t> indices(size);
        for (std::uint16_t& i : indices)
            i = static_cast<std::uint16_t>(random() % (std::uint32_t{top} + 1));
        std::vector<IndexRangeQuery> queries;
        for (int q = 0; q < 200; ++q) {
            const std::uint64_t begin = random() % (size + 5);
            const std::uint64_t end = begin + random() % (size + 5);
            queries.push_back({begin, end, static_cast<std::uint32_t>(random() % (top + 3u))});
        }
        queries.push_back({0, size, 0});
        queries.push_back({0, ~std::uint64_t{0}, 70000});
        queries.push_back({5, 2, 0}); // reversed: empty
        const std::vector<std::uint64_t> counts = countIndicesAtOrAbove(indices, queries);
        ASSERT_EQ(counts.size(), queries.size());
        for (std::size_t q = 0; q < queries.size(); ++q)
            EXPECT_EQ(counts[q], literalCount(indices, queries[q])) << size << " query " << q;
        EXPECT_EQ(counts[queries.size() - 3], size);
    }
}

} // namespace
} // namespace vx::meshfile
