#pragma once
// How many indices of a range reach a threshold, for many ranges at once. The ranges of a
// file's materials may overlap (the file is untrusted), so scanning each range would be
// quadratic; this answers all of them in O((indices + ranges) log indices).
#include <cstdint>
#include <vector>

namespace vx::meshfile {

struct IndexRangeQuery {
    std::uint64_t begin = 0; // positions in the index list, end exclusive; clipped to its size
    std::uint64_t end = 0;
    std::uint32_t threshold = 0;
};

// For each query, the number of positions p in [begin, end) with indices[p] >= threshold.
std::vector<std::uint64_t> countIndicesAtOrAbove(const std::vector<std::uint16_t>& indices,
                                                 const std::vector<IndexRangeQuery>& queries);

} // namespace vx::meshfile
