#pragma once
// Samples a cluster's lumels through a grid of candidate triangles: each member is listed, in
// member order, in the lumels its projected box can reach (widened by two lumels and a margin
// for rounding), so a lumel tries only the members near it, in the same order as a scan over
// all members would. Thin slivers, whose barycentric test may pass far outside their box in
// floating point, are tried at every lumel.
#include "UVMapper/LumelRules.h"
#include "UVMapper/UVMapperRecords.h"

#include <cstdint>
#include <vector>

namespace vx {

class LumelSampler {
public:
    // Fills the samples of the cluster's w × h lumels, row by row; a lumel no rule covers is
    // left as it is. Adds the lumels that count as real to `real`.
    void sampleCluster(const UVCluster& cluster, const std::vector<UVTriangle>& triangles,
                       const std::vector<std::uint32_t>& members, LumelSample* samples,
                       std::uint64_t& real);

private:
    std::vector<std::uint32_t> m_cellStart;
    std::vector<std::uint32_t> m_cellMembers;
    std::vector<std::uint32_t> m_fill; // next free place in each cell's list
    std::vector<std::uint32_t> m_everywhere;
    std::vector<std::int32_t> m_range; // per member: i0, i1, j0, j1, or -1 for everywhere
    std::vector<std::uint32_t> m_merged;
    std::vector<float> m_columnA; // per lumel column, its point's first plane coordinate
};

// The rules of a lumel over candidate members (triangle numbers in member order): the first
// candidate whose inside test passes, else the first with a corner in the rectangle (both
// real), else the first with an edge crossing. False when none applies.
bool sampleLumel(const UVCluster& cluster, std::int32_t i, std::int32_t j,
                 const std::vector<UVTriangle>& triangles, const std::uint32_t* candidates,
                 std::size_t count, LumelSample& sample, bool& real);
// The same rules for the lumel standing for `area`.
bool sampleLumel(const LumelArea& area, const std::vector<UVTriangle>& triangles,
                 const std::uint32_t* candidates, std::size_t count, LumelSample& sample,
                 bool& real);

} // namespace vx
