#pragma once
// The lightmap UV mapper: gives every triangle of a level of detail its own place in a square
// lightmap, without overlaps, and works out the surface point each lumel stands for.
//
//   UVMapper mapper;
//   mapper.setSize(256, 256);
//   mapper.addTriangle(p, q, r, np, nq, nr, group, firstVertex);   // for every triangle
//   if (mapper.map())   // the lightmap coordinates, "uvs.tga" and "samples.tga"
//       mapper.writeSamples("Meshes/tank.samples");
//
// map() welds the corners, groups the triangles into planar charts ("clusters") on their
// dominant axis plane, packs the clusters at the largest density (lumels per meter) that fits,
// doubling the lightmap when none does, and samples the surface under every lumel. It prints
// its progress on standard output.
#include "Shared/Base/math/Vector3.h"
#include "UVMapper/FreeAreaFinder.h"
#include "UVMapper/LumelSampler.h"
#include "UVMapper/SizeDivision.h"
#include "UVMapper/UVMapperRecords.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

class UVMapper {
public:
    // The mapper never doubles the lightmap past this many lumels a side; a mesh that would
    // need more fails to map.
    static constexpr std::uint32_t kMaxDoubledSize = 8192;

    UVMapper() = default;
    virtual ~UVMapper() = default;
    UVMapper(const UVMapper&) = delete;
    UVMapper& operator=(const UVMapper&) = delete;

    // The lightmap size in lumels; map() raises a size of 0 to 1.
    void setSize(std::uint32_t width, std::uint32_t height);
    // The face normal is the normalised (p - q) × (p - r), or normalP when that is degenerate.
    // The triangle's corners are export vertices firstVertexIndex .. firstVertexIndex + 2.
    void addTriangle(const Vector3& p, const Vector3& q, const Vector3& r, const Vector3& normalP,
                     const Vector3& normalQ, const Vector3& normalR, std::uint32_t groupId,
                     std::uint32_t firstVertexIndex);
    // For callers that fill triangles side by side: `count` triangles, each then set once with
    // setTriangle (which addTriangle calls on a new last one); distinct triangles may be set on
    // different threads.
    void resizeTriangles(std::size_t count);
    void setTriangle(std::size_t index, const Vector3& p, const Vector3& q, const Vector3& r,
                     const Vector3& normalP, const Vector3& normalQ, const Vector3& normalR,
                     std::uint32_t groupId, std::uint32_t firstVertexIndex);
    // True once every triangle has its place and every lumel its sample. False (with an Error
    // logged) when a corner position is not a finite number or the lightmap would have to grow
    // past kMaxDoubledSize; nothing is written then.
    bool map();
    // The ".samp" file: "SMP2", width, height, the samples row by row, the triangle count and
    // each triangle's corner positions and normals. False (and no file) before a successful
    // map() or when the file could not be written whole; an unopenable path asserts.
    bool writeSamples(const std::string& path) const;

    std::size_t getTriangleCount() const { return m_triangles.size(); }
    // The corner's lightmap texture coordinate (u, v), 0..1, after a successful map() (0, 0
    // before); corner 0 to 2 in the order added.
    std::array<float, 2> getLightmapUV(std::size_t triangle, unsigned corner) const;
    std::uint32_t getFirstVertexIndex(std::size_t triangle) const;
    std::uint32_t getGroupId(std::size_t triangle) const;

    // Where "uvs.tga" and "samples.tga" go: the working folder by default ("").
    void setDebugImageFolder(const std::string& folder) { m_imageFolder = folder; }

    // The outcome, for inspection.
    std::uint32_t getWidth() const { return m_width; }
    std::uint32_t getHeight() const { return m_height; }
    float getLumelsPerMeter() const { return m_lumelsPerMeter; }
    // Placement attempts over all sizes, and how often the lightmap was doubled.
    std::uint32_t getAttemptCount() const { return m_attempts; }
    std::uint32_t getDoublingCount() const { return m_doublings; }
    std::uint64_t getRealSampleCount() const { return m_realSamples; }
    const std::vector<UVTriangle>& triangles() const { return m_triangles; }
    const std::vector<UVCluster>& clusters() const { return m_clusters; }
    const std::vector<std::uint32_t>& members() const { return m_members; }
    const std::vector<Vector3>& weldedPositions() const { return m_weldedPositions; }
    // Cluster numbers of the lumels the final placement marked, -1 where free (empty before a
    // successful map()). Only the occupancy is needed to map; the numbers are marked on the
    // first call.
    const std::vector<std::int32_t>& grid();
    // Every lumel's sample, row by row, put together from the clusters' own.
    std::vector<LumelSample> samples() const;

protected:
    // The searches of map(), one per step that a plain scan would make slow. Each sets exactly
    // what a scan over every earlier position, every later triangle, every grid position or
    // every member triangle would.

    // Sets every corner's welded position number and fills m_weldedPositions.
    virtual void weldCorners();
    // Groups the triangles into clusters (before the coverage split).
    virtual void groupTriangles();
    // The cells one placement attempt has marked. Attempts at several densities may run side
    // by side, each on a grid of its own, so what works on a grid touches nothing else.
    struct AttemptGrid {
        FreeAreaFinder finder;
        std::uint32_t width = 0; // the finder's size, 0 before its first use
        std::uint32_t height = 0;
        bool marked = false; // a cell marked since the finder was last emptied
    };
    // The first free block (row by row, cell by cell) of `grid` whose far edges stay off the
    // grid's last row and column.
    virtual bool findFreeBlock(AttemptGrid& grid, std::uint32_t blockWidth,
                               std::uint32_t blockHeight, std::uint32_t& x, std::uint32_t& y);
    // Scan-converts a triangle with these corner lightmap coordinates into `grid` through
    // markSpan.
    virtual void markTriangle(AttemptGrid& grid, const float u[3], const float v[3],
                              std::int32_t cluster);
    // Whether work may go to helper threads, when there are any: placement attempts at
    // successive densities, one per thread, and clusters sampled side by side. The outcome is
    // the same either way.
    virtual bool sharesWork() const { return true; }
    // Fills the samples of one cluster's lumels (clusterSamples) through `sampler` and adds the
    // real ones to `real`; a lumel no rule covers keeps triangle -1. Clusters may be sampled
    // side by side, each sampler on one thread.
    virtual void sampleCluster(std::size_t cluster, LumelSampler& sampler, std::uint64_t& real);
    // The cluster's w × h samples, row by row.
    LumelSample* clusterSamples(std::size_t cluster) {
        return m_samples.data() + m_sampleStart[cluster];
    }

    // Cells x0 .. x1 of the row become occupied in `grid`, or take the cluster's number while
    // grid() marks the final placement; cells off the grid are skipped.
    void markSpan(AttemptGrid& grid, std::int64_t row, std::int64_t x0, std::int64_t x1,
                  std::int32_t cluster);
    // Whether a cell of an attempt's grid is marked.
    bool occupied(const AttemptGrid& grid, std::uint32_t x, std::uint32_t y) const;

    std::uint32_t m_width = 0;
    std::uint32_t m_height = 0;
    std::vector<UVTriangle> m_triangles;
    std::vector<Vector3> m_weldedPositions;
    std::vector<UVCluster> m_clusters;
    std::vector<std::uint32_t> m_members; // every cluster's triangle numbers, in slices
    std::vector<std::int32_t> m_grid;
    // Each cluster's samples, from m_sampleStart[cluster]. Only the clusters' lumels are held:
    // the lightmap's rows are put together from them when they are written.
    std::vector<LumelSample> m_samples;
    std::vector<std::size_t> m_sampleStart;
    std::uint64_t m_realSamples = 0;

private:
    bool checkInput() const;
    void buildClusters();
    // One placement attempt at a density: every cluster's size, and where the clusters found
    // room, in the order of placement, up to the first that found none.
    struct Attempt {
        std::vector<std::int32_t> sizes;  // w, h per cluster
        std::vector<std::int32_t> places; // x, y per cluster
        std::uint64_t totalPixels = 0;
        AttemptGrid grid;
        bool placed = false;
        std::size_t failedAt = 0;
    };
    void sizeAttempt(Attempt& attempt, float lumelsPerMeter) const;
    // Places the clusters in `order` on the attempt's own grid, the attempt numbered `number`
    // among its size's; gives up early, unplaced, once an attempt numbered lower has placed
    // every cluster (`firstPlaced`).
    void placeClusters(const std::vector<std::uint32_t>& order, Attempt& attempt,
                       const std::atomic<std::size_t>& firstPlaced, std::size_t number);
    // What an attempt came to, for the log.
    struct AttemptOutcome {
        std::uint64_t totalPixels = 0;
        bool known = false; // the sizes of the density before, which failed: not run again
        bool placed = false;
        std::size_t failedAt = 0;
    };
    // The attempts at `lumelsPerMeter` and at each density 0.95 of the one before while above
    // 1, up to the first that places every cluster, in density order. They are begun in that
    // order, on as many threads as work may be shared with, and take effect in that order: the
    // clusters are left as placing them one attempt after the other leaves them, and
    // m_placement holds the grid of the attempt that placed everything.
    std::vector<AttemptOutcome> attemptDensities(const std::vector<std::uint32_t>& order,
                                                 float lumelsPerMeter);
    // The corner's lightmap coordinate from its cluster's placement.
    std::array<float, 2> lightmapUV(const UVTriangle& triangle, unsigned corner) const;
    void gatherMemberCorners();
    // The debug pictures, width × height pixels each, made only to be written: the triangle
    // edges, and the samples coloured by triangle.
    std::vector<std::uint32_t> drawUvsImage() const;
    std::vector<std::uint32_t> drawSamplesImage() const;
    void computeSamples();
    // Calls row(y, samples) for every lightmap row from the top, with the width's samples of
    // that row: where clusters' rectangles overlap, the last cluster to give a lumel a sample
    // wins, as if each had written its samples into the lightmap in turn.
    template <typename Row>
    void forEachSampleRow(Row&& row) const;
    // The clusters over each row, in cluster order: over[start[y]] .. over[start[y + 1] - 1].
    struct RowClusters {
        std::vector<std::size_t> start;
        std::vector<std::uint32_t> over;
    };
    RowClusters rowClusters() const;
    // Row y's samples, put together from the clusters over it, into `row` (m_width of them).
    void assembleSampleRow(const RowClusters& rows, std::uint32_t y, LumelSample* row) const;
    void writeDebugImage(const char* name, const std::vector<std::uint32_t>& pixels) const;

    float m_lumelsPerMeter = 0.0f;
    SizeDivision m_byWidth{1}; // the final size's, for the lightmap coordinates
    SizeDivision m_byHeight{1};
    std::uint32_t m_attempts = 0;
    std::uint32_t m_doublings = 0;
    bool m_mapped = false;
    std::string m_imageFolder;
    AttemptGrid m_placement;    // the grid of the attempt that succeeded
    bool m_markingGrid = false; // marks go to m_grid, as cluster numbers
    // Every member slot's corners in cluster-local coordinates, in the order of m_members:
    // placement attempts read them front to back instead of visiting triangles all over
    // m_triangles, and write no coordinates until the attempt that succeeds.
    struct MemberCorners {
        float u[3];
        float v[3];
    };
    std::vector<MemberCorners> m_memberCorners;
};

// Inline: every span of every marked triangle of every attempt comes through here.
inline void UVMapper::markSpan(AttemptGrid& grid, std::int64_t row, std::int64_t x0,
                               std::int64_t x1, std::int32_t cluster) {
    if (row < 0 || row >= static_cast<std::int64_t>(m_height))
        return;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, static_cast<std::int64_t>(m_width) - 1);
    if (x0 > x1)
        return;
    if (m_markingGrid) {
        std::int32_t* cells = m_grid.data() + row * static_cast<std::int64_t>(m_width);
        std::fill(cells + x0, cells + x1 + 1, cluster);
        return;
    }
    grid.finder.markSpan(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(x0),
                         static_cast<std::uint32_t>(x1));
    grid.marked = true;
}

} // namespace vx
