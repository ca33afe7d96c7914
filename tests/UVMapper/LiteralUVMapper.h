#pragma once
// The mapper with every search done as a plain scan: each corner against every earlier
// position, each member against every later triangle, every grid position cell by cell, every
// v step of a triangle, every member triangle for every lumel, one density after the other. Slow;
// the reference the fast searches must match byte for byte.
#include "UVMapper/UVMapper.h"

#include <vector>

namespace vx::test {

class LiteralUVMapper : public UVMapper {
public:
    // Every lumel's sample as each cluster in turn writes its own into the whole lightmap.
    const std::vector<LumelSample>& lightmapSamples() const { return m_lightmapSamples; }

protected:
    void weldCorners() override;
    void groupTriangles() override;
    bool findFreeBlock(AttemptGrid& grid, std::uint32_t blockWidth, std::uint32_t blockHeight,
                       std::uint32_t& x, std::uint32_t& y) override;
    void markTriangle(AttemptGrid& grid, const float u[3], const float v[3],
                      std::int32_t cluster) override;
    void sampleCluster(std::size_t cluster, LumelSampler& sampler, std::uint64_t& real) override;
    // One density's attempt after the other, one cluster after the other.
    bool sharesWork() const override { return false; }

private:
    std::vector<LumelSample> m_lightmapSamples;
};

} // namespace vx::test
