#include "UVMapper/UVMapper.h"

#include "Shared/Base/LargeMemory.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/FileOutStream.h"
#include "Shared/Base/WorkSharing.h"
#include "Shared/Base/math/Rounding.h"
#include "UVMapper/ClusterProjection.h"
#include "UVMapper/EdgeClusterer.h"
#include "UVMapper/PositionWeldGrid.h"
#include "UVMapper/SizeDivision.h"
#include "UVMapper/TgaImage.h"
#include "UVMapper/TriangleRaster.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <limits>
#include <memory>
#include <mutex>

namespace vx {

namespace {

// Lumels along an extent: the integer nearest to extent × density + 0.5, at least 2. Sizes
// far beyond any lightmap are held at 2^30 so the block arithmetic cannot overflow.
std::int32_t lumelCount(float extent, float lumelsPerMeter) {
    const float scaled = extent * lumelsPerMeter + 0.5f;
    const double nearest = std::floor(static_cast<double>(scaled) + 0.5);
    return static_cast<std::int32_t>(std::clamp(nearest, 2.0, 1073741824.0));
}

// A cluster-local coordinate in lightmap coordinates (0..1): the cluster's first lumel plus
// (size - 1) lumels times the local coordinate, over the lightmap's size.
float lightmapCoordinate(float first, float span, float local, const SizeDivision& bySize) {
    return bySize(first + span * local);
}

bool isFinite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

void UVMapper::setSize(std::uint32_t width, std::uint32_t height) {
    m_width = width;
    m_height = height;
}

void UVMapper::addTriangle(const Vector3& p, const Vector3& q, const Vector3& r,
                           const Vector3& normalP, const Vector3& normalQ, const Vector3& normalR,
                           std::uint32_t groupId, std::uint32_t firstVertexIndex) {
    m_triangles.emplace_back();
    m_mapped = false;
    setTriangle(m_triangles.size() - 1, p, q, r, normalP, normalQ, normalR, groupId,
                firstVertexIndex);
}

void UVMapper::resizeTriangles(std::size_t count) {
    m_triangles.resize(count);
    m_mapped = false;
}

void UVMapper::setTriangle(std::size_t index, const Vector3& p, const Vector3& q, const Vector3& r,
                           const Vector3& normalP, const Vector3& normalQ, const Vector3& normalR,
                           std::uint32_t groupId, std::uint32_t firstVertexIndex) {
    VX_ASSERT_MSG(index < m_triangles.size(), "triangle " << static_cast<std::uint64_t>(index));
    UVTriangle triangle;
    triangle.corners[0].position = p;
    triangle.corners[1].position = q;
    triangle.corners[2].position = r;
    triangle.corners[0].normal = normalP;
    triangle.corners[1].normal = normalQ;
    triangle.corners[2].normal = normalR;
    triangle.groupId = groupId;
    triangle.firstVertexIndex = firstVertexIndex;
    triangle.faceNormal = Vector3::cross(p - q, p - r).normalized();
    if (triangle.faceNormal.lengthSquared() < 0.5f)
        triangle.faceNormal = normalP;
    // Nothing else is written here: triangles are set side by side after resizeTriangles, which
    // marks the mapping out of date.
    m_triangles[index] = triangle;
}

std::array<float, 2> UVMapper::getLightmapUV(std::size_t triangle, unsigned corner) const {
    VX_ASSERT_MSG(triangle < m_triangles.size() && corner < 3,
                  "triangle " << static_cast<std::uint64_t>(triangle) << " corner " << corner);
    if (!m_mapped)
        return {0.0f, 0.0f};
    return lightmapUV(m_triangles[triangle], corner);
}

std::array<float, 2> UVMapper::lightmapUV(const UVTriangle& triangle, unsigned corner) const {
    const UVCluster& cluster = m_clusters[static_cast<std::size_t>(triangle.cluster)];
    float u = 0.0f;
    float v = 0.0f;
    clusterLocal(cluster, triangle.corners[corner].position, u, v);
    return {lightmapCoordinate(static_cast<float>(cluster.x), static_cast<float>(cluster.w - 1), u,
                               m_byWidth),
            lightmapCoordinate(static_cast<float>(cluster.y), static_cast<float>(cluster.h - 1), v,
                               m_byHeight)};
}

std::uint32_t UVMapper::getFirstVertexIndex(std::size_t triangle) const {
    VX_ASSERT_MSG(triangle < m_triangles.size(),
                  "triangle " << static_cast<std::uint64_t>(triangle));
    return m_triangles[triangle].firstVertexIndex;
}

std::uint32_t UVMapper::getGroupId(std::size_t triangle) const {
    VX_ASSERT_MSG(triangle < m_triangles.size(),
                  "triangle " << static_cast<std::uint64_t>(triangle));
    return m_triangles[triangle].groupId;
}

bool UVMapper::checkInput() const {
    for (std::size_t t = 0; t < m_triangles.size(); ++t) {
        for (unsigned c = 0; c < 3; ++c) {
            if (!isFinite(m_triangles[t].corners[c].position)) {
                VX_ERROR << "UVMapper: triangle " << static_cast<std::uint64_t>(t) << " corner "
                         << c << " has a position that is not a finite number; no lightmap UVs";
                return false;
            }
        }
    }
    return true;
}

void UVMapper::weldCorners() {
    PositionWeldGrid weld;
    const std::vector<std::uint32_t> numbers =
        weld.weldAll(m_triangles.size() * 3, [this](std::size_t corner) -> const Vector3& {
            return m_triangles[corner / 3].corners[corner % 3].position;
        });
    constexpr std::size_t kSlice = 8192;
    shareSlices(m_triangles.size(), kSlice, [&](std::size_t begin, std::size_t end) {
        for (std::size_t t = begin; t < end; ++t)
            for (unsigned c = 0; c < 3; ++c)
                m_triangles[t].positionIndex[c] = numbers[3 * t + c];
    });
    m_weldedPositions = weld.positions();
}

void UVMapper::groupTriangles() {
    growClustersOverEdges(m_triangles, m_clusters, m_members);
}

bool UVMapper::findFreeBlock(AttemptGrid& grid, std::uint32_t blockWidth, std::uint32_t blockHeight,
                             std::uint32_t& x, std::uint32_t& y) {
    return grid.finder.findFirstFree(blockWidth, blockHeight, x, y);
}

bool UVMapper::occupied(const AttemptGrid& grid, std::uint32_t x, std::uint32_t y) const {
    return !grid.finder.isFree(x, y);
}

void UVMapper::markTriangle(AttemptGrid& grid, const float u[3], const float v[3],
                            std::int32_t cluster) {
    TriangleRaster(u, v, m_width, m_height)
        .forEachSpan([&](std::int64_t row, std::int64_t x0, std::int64_t x1) {
            markSpan(grid, row, x0, x1, cluster);
        });
}

void UVMapper::sampleCluster(std::size_t cluster, LumelSampler& sampler, std::uint64_t& real) {
    sampler.sampleCluster(m_clusters[cluster], m_triangles, m_members, clusterSamples(cluster),
                          real);
}

void UVMapper::buildClusters() {
    m_clusters.clear();
    m_members.clear();
    for (UVTriangle& triangle : m_triangles) {
        triangle.cluster = -1;
        projectTriangle(triangle);
    }
    groupTriangles();
    splitPoorlyCoveredClusters(m_triangles, m_clusters, m_members);
    std::cout << "clusters: " << m_clusters.size() << '\n';
    std::cout << "triangles: " << m_triangles.size() << '\n';
    VX_INFO << "clusters: " << static_cast<std::uint64_t>(m_clusters.size());
    VX_INFO << "triangles: " << static_cast<std::uint64_t>(m_triangles.size());
    projectClusters(m_clusters, m_triangles, m_members);
}

void UVMapper::gatherMemberCorners() {
    m_memberCorners.resize(m_members.size());
    // Each cluster writes its own member slots.
    shareSlices(m_clusters.size(), 1024, [&](std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k) {
            const UVCluster& cluster = m_clusters[k];
            for (std::uint32_t slot = cluster.memberBegin;
                 slot < cluster.memberBegin + cluster.memberCount; ++slot) {
                const UVTriangle& triangle = m_triangles[m_members[slot]];
                for (unsigned c = 0; c < 3; ++c)
                    clusterLocal(cluster, triangle.corners[c].position, m_memberCorners[slot].u[c],
                                 m_memberCorners[slot].v[c]);
            }
        }
    });
}

void UVMapper::sizeAttempt(Attempt& attempt, float lumelsPerMeter) const {
    attempt.sizes.resize(m_clusters.size() * 2);
    attempt.totalPixels = 0;
    for (std::size_t c = 0; c < m_clusters.size(); ++c) {
        const std::int32_t w = lumelCount(m_clusters[c].du, lumelsPerMeter);
        const std::int32_t h = lumelCount(m_clusters[c].dv, lumelsPerMeter);
        attempt.sizes[2 * c] = w;
        attempt.sizes[2 * c + 1] = h;
        attempt.totalPixels += std::uint64_t(w) * std::uint64_t(h);
    }
}

void UVMapper::placeClusters(const std::vector<std::uint32_t>& order, Attempt& attempt,
                             const std::atomic<std::size_t>& firstPlaced, std::size_t number) {
    AttemptGrid& grid = attempt.grid;
    if (grid.marked || grid.width != m_width || grid.height != m_height) {
        // Only a grid that holds marks needs clearing: attempts that fail at their first
        // cluster (far too large) cost nothing on a large grid.
        grid.finder.reset(m_width, m_height);
        grid.width = m_width;
        grid.height = m_height;
        grid.marked = false;
    }
    attempt.places.resize(m_clusters.size() * 2);
    attempt.placed = false;
    const SizeDivision width(m_width);
    const SizeDivision height(m_height);
    for (std::size_t position = 0; position < order.size(); ++position) {
        const std::uint32_t clusterNumber = order[position];
        const UVCluster& cluster = m_clusters[clusterNumber];
        const std::int32_t clusterW = attempt.sizes[2 * std::size_t{clusterNumber}];
        const std::int32_t clusterH = attempt.sizes[2 * std::size_t{clusterNumber} + 1];
        std::uint32_t x = 0;
        std::uint32_t y = 0;
        if (firstPlaced.load(std::memory_order_relaxed) < number ||
            !findFreeBlock(grid, static_cast<std::uint32_t>(clusterW) + 4,
                           static_cast<std::uint32_t>(clusterH) + 4, x, y)) {
            attempt.failedAt = position;
            return;
        }
        const std::int32_t clusterX = static_cast<std::int32_t>(x) + 2;
        const std::int32_t clusterY = static_cast<std::int32_t>(y) + 2;
        attempt.places[2 * std::size_t{clusterNumber}] = clusterX;
        attempt.places[2 * std::size_t{clusterNumber} + 1] = clusterY;
        // The same arithmetic as lightmapUV, which gives the placement that succeeds.
        const auto first = static_cast<float>(clusterX);
        const auto top = static_cast<float>(clusterY);
        const auto w = static_cast<float>(clusterW - 1);
        const auto h = static_cast<float>(clusterH - 1);
        for (std::uint32_t i = 0; i < cluster.memberCount; ++i) {
            const MemberCorners& local = m_memberCorners[cluster.memberBegin + i];
            float u[3];
            float v[3];
            for (unsigned c = 0; c < 3; ++c) {
                u[c] = lightmapCoordinate(first, w, local.u[c], width);
                v[c] = lightmapCoordinate(top, h, local.v[c], height);
            }
            markTriangle(grid, u, v, static_cast<std::int32_t>(clusterNumber));
        }
    }
    attempt.placed = true;
}

const std::vector<std::int32_t>& UVMapper::grid() {
    if (!m_mapped || !m_grid.empty())
        return m_grid;
    // The clusters' marks are disjoint (each lies in a block that was free when its cluster
    // was placed), so marking them in cluster order gives what the placement marked.
    m_grid.assign(std::size_t{m_width} * m_height, -1);
    m_markingGrid = true;
    for (std::size_t t = 0; t < m_triangles.size(); ++t) {
        float u[3];
        float v[3];
        for (unsigned c = 0; c < 3; ++c) {
            const std::array<float, 2> uv = lightmapUV(m_triangles[t], c);
            u[c] = uv[0];
            v[c] = uv[1];
        }
        markTriangle(m_placement, u, v, m_triangles[t].cluster);
    }
    m_markingGrid = false;
    return m_grid;
}

std::vector<UVMapper::AttemptOutcome>
UVMapper::attemptDensities(const std::vector<std::uint32_t>& order, float lumelsPerMeter) {
    // Each thread begins the next density's attempt as soon as its last one is over, so no
    // thread waits for another's attempt to end; an attempt that is not the first to place
    // everything changes nothing and is given up once one before it has.
    std::mutex mutex;
    float nextDensity = lumelsPerMeter;
    std::vector<std::int32_t> lastSizes;
    std::vector<AttemptOutcome> outcomes;
    std::vector<std::unique_ptr<Attempt>> finished; // by number, until it takes effect
    std::vector<std::unique_ptr<Attempt>> spare;
    std::unique_ptr<Attempt> success;
    std::size_t effective = 0; // the attempts before this number have taken effect
    std::atomic<std::size_t> firstPlaced{std::numeric_limits<std::size_t>::max()};
    // The clusters' sizes and places as the attempts that took effect left them.
    std::vector<std::int32_t> sizes(m_clusters.size() * 2);
    std::vector<std::int32_t> places(m_clusters.size() * 2);
    for (std::size_t c = 0; c < m_clusters.size(); ++c) {
        sizes[2 * c] = m_clusters[c].w;
        sizes[2 * c + 1] = m_clusters[c].h;
        places[2 * c] = m_clusters[c].x;
        places[2 * c + 1] = m_clusters[c].y;
    }
    // Under the mutex: the attempts that are over take effect in order, up to the first that
    // placed everything. An attempt known to fail was not run and changes nothing.
    const auto takeEffect = [&] {
        while (!success && effective < outcomes.size() &&
               (outcomes[effective].known || finished[effective])) {
            const std::size_t number = effective++;
            if (outcomes[number].known)
                continue;
            std::unique_ptr<Attempt> attempt = std::move(finished[number]);
            sizes = attempt->sizes;
            const std::size_t placed = attempt->placed ? order.size() : attempt->failedAt;
            for (std::size_t position = 0; position < placed; ++position) {
                const std::size_t c = order[position];
                places[2 * c] = attempt->places[2 * c];
                places[2 * c + 1] = attempt->places[2 * c + 1];
            }
            if (attempt->placed)
                success = std::move(attempt);
            else
                spare.push_back(std::move(attempt));
        }
    };
    const std::size_t threads = sharesWork() ? std::size_t{workHelpers()} + 1 : 1;
    shareWork(threads, [&](std::size_t) {
        for (;;) {
            std::unique_ptr<Attempt> attempt;
            std::size_t number = 0;
            {
                const std::lock_guard<std::mutex> lock(mutex);
                number = outcomes.size();
                if (!(nextDensity > 1.0f) || firstPlaced.load(std::memory_order_relaxed) < number)
                    return;
                const float density = nextDensity;
                nextDensity = density * 0.95f;
                if (spare.empty()) {
                    attempt = std::make_unique<Attempt>();
                } else {
                    attempt = std::move(spare.back());
                    spare.pop_back();
                }
                sizeAttempt(*attempt, density);
                AttemptOutcome outcome;
                outcome.totalPixels = attempt->totalPixels;
                // The same sizes in the same order on the same grid fail the same way; the
                // first attempt of a size has nothing before it, which only no sizes at all
                // equal.
                outcome.known = number == 0 ? attempt->sizes.empty() : attempt->sizes == lastSizes;
                lastSizes = attempt->sizes;
                outcomes.push_back(outcome);
                finished.emplace_back();
                if (outcome.known) {
                    spare.push_back(std::move(attempt));
                    takeEffect();
                    continue;
                }
            }
            placeClusters(order, *attempt, firstPlaced, number);
            const std::lock_guard<std::mutex> lock(mutex);
            outcomes[number].placed = attempt->placed;
            outcomes[number].failedAt = attempt->failedAt;
            if (attempt->placed && number < firstPlaced.load(std::memory_order_relaxed))
                firstPlaced.store(number, std::memory_order_relaxed);
            finished[number] = std::move(attempt);
            takeEffect();
        }
    });
    for (std::size_t c = 0; c < m_clusters.size(); ++c) {
        m_clusters[c].w = sizes[2 * c];
        m_clusters[c].h = sizes[2 * c + 1];
        m_clusters[c].x = places[2 * c];
        m_clusters[c].y = places[2 * c + 1];
    }
    outcomes.resize(effective);
    if (success)
        m_placement = std::move(success->grid);
    return outcomes;
}

bool UVMapper::map() {
    m_mapped = false;
    m_attempts = 0;
    m_doublings = 0;
    m_realSamples = 0;
    m_grid.clear();
    if (!checkInput())
        return false;
    // A size of 0 (a size of 1 shifted by the LOD number) would double to 0 for ever.
    m_width = std::max<std::uint32_t>(m_width, 1);
    m_height = std::max<std::uint32_t>(m_height, 1);

    weldCorners();
    buildClusters();
    gatherMemberCorners();
    // What welding and growing clusters held is freed between blocks still in use; handed
    // back, it does not stay with the process through the placement attempts.
    releaseFreedMemory();
    double totalArea = 0.0;
    for (const UVCluster& cluster : m_clusters)
        totalArea += static_cast<double>(cluster.area);
    if (!std::isfinite(totalArea)) {
        VX_ERROR << "UVMapper: the mesh is too large to map (cluster areas sum to " << totalArea
                 << " square meters); no lightmap UVs";
        return false;
    }
    // The larger extent first; equal keys keep the cluster order, so the result is the same on
    // every run.
    std::vector<std::uint32_t> order(m_clusters.size());
    for (std::size_t c = 0; c < order.size(); ++c)
        order[c] = static_cast<std::uint32_t>(c);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return std::max(m_clusters[a].du, m_clusters[a].dv) >
               std::max(m_clusters[b].du, m_clusters[b].dv);
    });

    // The attempts are run side by side (attemptDensities); their outcomes are logged in
    // order, as running them one after the other would log them.
    std::size_t failedAt = 0;
    for (;;) {
        // With no area at all every cluster takes its 2 × 2 lumels at any density; the largest
        // finite one keeps the arithmetic finite and the attempts counted.
        float lumelsPerMeter =
            static_cast<float>(static_cast<double>(m_width) / std::sqrt(totalArea));
        if (!std::isfinite(lumelsPerMeter))
            lumelsPerMeter = std::numeric_limits<float>::max();
        std::cout << "Trying to map using " << lumelsPerMeter << " on (" << m_width << "x"
                  << m_height << ")\n";
        bool placed = false;
        for (const AttemptOutcome& outcome : attemptDensities(order, lumelsPerMeter)) {
            ++m_attempts;
            std::cout << "TOTALpixels: " << outcome.totalPixels << '\n';
            VX_INFO << "TOTALpixels: " << outcome.totalPixels;
            std::cout << "Mapping clusters\n";
            VX_INFO << "Mapping clusters";
            if (outcome.placed) {
                placed = true;
                break;
            }
            if (!outcome.known)
                failedAt = outcome.failedAt;
            std::cout << "Couldn't find free area for cluster " << failedAt << '\n';
            VX_INFO << "Couldn't find free area for cluster "
                    << static_cast<std::uint64_t>(failedAt);
            const float old = lumelsPerMeter;
            lumelsPerMeter = old * 0.95f;
            std::cout << "Failed to map using " << old << " lumels per meter, trying "
                      << lumelsPerMeter << '\n';
            VX_INFO << "Failed to map using " << old << " lumels per meter, trying "
                    << lumelsPerMeter;
        }
        if (placed) {
            m_memberCorners = {};
            m_lumelsPerMeter = lumelsPerMeter;
            m_byWidth = SizeDivision(m_width);
            m_byHeight = SizeDivision(m_height);
            break;
        }
        std::cout << "Lightmap to small to map all clusters, regardless of resolution. "
                     "Doubling size!\n";
        if (m_width > kMaxDoubledSize / 2 || m_height > kMaxDoubledSize / 2) {
            VX_ERROR << "UVMapper: " << static_cast<std::uint64_t>(m_clusters.size())
                     << " clusters do not fit a lightmap of " << m_width << "x" << m_height
                     << " lumels, the largest the mapper makes; no lightmap UVs";
            return false;
        }
        m_width *= 2;
        m_height *= 2;
        ++m_doublings;
    }

    char ratio[64];
    std::snprintf(ratio, sizeof ratio, "---Usage Ratio %.3f\n",
                  static_cast<double>(m_placement.finder.occupiedCount()) /
                      static_cast<double>(std::uint64_t{m_width} * m_height));
    std::cout << ratio;

    writeDebugImage("uvs.tga", drawUvsImage());
    computeSamples();
    writeDebugImage("samples.tga", drawSamplesImage());
    m_mapped = true;
    return true;
}

std::vector<std::uint32_t> UVMapper::drawUvsImage() const {
    // A pixel drawn once is red, drawn again white: only how often counts, not in what order,
    // so slices of triangles are drawn side by side into counts that need go no further than 2.
    const std::size_t pixels = std::size_t{m_width} * m_height;
    std::vector<std::uint8_t> drawn(pixels, 0);
    const auto width = static_cast<double>(m_width);
    const auto height = static_cast<double>(m_height);
    auto draw = [&](std::int64_t x, std::int64_t y) {
        if (x < 0 || y < 0 || x >= static_cast<std::int64_t>(m_width) ||
            y >= static_cast<std::int64_t>(m_height))
            return;
        const std::atomic_ref<std::uint8_t> count(
            drawn[static_cast<std::size_t>(y) * m_width + static_cast<std::size_t>(x)]);
        if (count.load(std::memory_order_relaxed) < 2)
            count.fetch_add(1, std::memory_order_relaxed);
    };
    shareSlices(m_triangles.size(), 4096, [&](std::size_t begin, std::size_t end) {
        for (std::size_t t = begin; t < end; ++t) {
            const UVTriangle& triangle = m_triangles[t];
            const std::array<float, 2> uv[3] = {lightmapUV(triangle, 0), lightmapUV(triangle, 1),
                                                lightmapUV(triangle, 2)};
            for (unsigned e = 0; e < 3; ++e) {
                const std::array<float, 2>& from = uv[e];
                const std::array<float, 2>& to = uv[(e + 1) % 3];
                const double ax = width * static_cast<double>(from[0]);
                const double ay = height * static_cast<double>(from[1]);
                const double dx = width * static_cast<double>(to[0]) - ax;
                const double dy = height * static_cast<double>(to[1]) - ay;
                // One cell per step along the longer axis, both ends included.
                const std::int64_t steps =
                    std::max<std::int64_t>(1, roundHalfUp(std::max(std::fabs(dx), std::fabs(dy))));
                for (std::int64_t s = 0; s <= steps; ++s) {
                    const double f = static_cast<double>(s) / static_cast<double>(steps);
                    draw(roundHalfUp(ax + dx * f), roundHalfUp(ay + dy * f));
                }
            }
        }
    });
    std::vector<std::uint32_t> image(pixels);
    for (std::size_t i = 0; i < pixels; ++i) {
        image[i] = drawn[i] == 0 ? 0u : drawn[i] == 1 ? 0xFF0000u : 0xFFFFFFu;
    }
    return image;
}

void UVMapper::computeSamples() {
    m_sampleStart.resize(m_clusters.size() + 1);
    m_sampleStart[0] = 0;
    for (std::size_t c = 0; c < m_clusters.size(); ++c)
        m_sampleStart[c + 1] =
            m_sampleStart[c] + std::size_t(m_clusters[c].w) * std::size_t(m_clusters[c].h);
    m_samples.assign(m_sampleStart.back(), LumelSample{});
    // Slices of clusters of some thousands of lumels each, sampled side by side, each with a
    // sampler and a count of its own.
    constexpr std::size_t kSliceLumels = 16384;
    std::vector<std::size_t> slices{0};
    if (sharesWork() && workHelpers() > 0) {
        for (std::size_t c = 1; c < m_clusters.size(); ++c)
            if (m_sampleStart[c] - m_sampleStart[slices.back()] >= kSliceLumels)
                slices.push_back(c);
    }
    slices.push_back(m_clusters.size());
    std::vector<std::uint64_t> real(slices.size() - 1, 0);
    shareWork(real.size(), [&](std::size_t k) {
        LumelSampler sampler;
        for (std::size_t c = slices[k]; c < slices[k + 1]; ++c)
            sampleCluster(c, sampler, real[k]);
    });
    m_realSamples = 0;
    for (const std::uint64_t count : real)
        m_realSamples += count;
    const std::uint64_t lumels = std::uint64_t{m_width} * m_height;
    std::cout << "samples: " << lumels << ", real: " << m_realSamples << '\n';
    VX_INFO << "samples: " << lumels << ", real: " << m_realSamples;
}

UVMapper::RowClusters UVMapper::rowClusters() const {
    // One counting sort by row.
    RowClusters rows;
    rows.start.assign(std::size_t{m_height} + 1, 0);
    for (const UVCluster& cluster : m_clusters)
        for (std::int32_t j = 0; j < cluster.h; ++j)
            ++rows.start[std::size_t(cluster.y + j) + 1];
    for (std::size_t y = 1; y < rows.start.size(); ++y)
        rows.start[y] += rows.start[y - 1];
    rows.over.resize(rows.start.back());
    std::vector<std::size_t> fill(rows.start.begin(), rows.start.end() - 1);
    for (std::size_t c = 0; c < m_clusters.size(); ++c)
        for (std::int32_t j = 0; j < m_clusters[c].h; ++j)
            rows.over[fill[std::size_t(m_clusters[c].y + j)]++] = static_cast<std::uint32_t>(c);
    return rows;
}

void UVMapper::assembleSampleRow(const RowClusters& rows, std::uint32_t y,
                                 LumelSample* samples) const {
    std::fill(samples, samples + m_width, LumelSample{});
    for (std::size_t k = rows.start[y]; k < rows.start[y + 1]; ++k) {
        const UVCluster& cluster = m_clusters[rows.over[k]];
        const LumelSample* from =
            m_samples.data() + m_sampleStart[rows.over[k]] +
            std::size_t(static_cast<std::int32_t>(y) - cluster.y) * std::size_t(cluster.w);
        LumelSample* to = samples + cluster.x;
        for (std::int32_t i = 0; i < cluster.w; ++i)
            if (from[i].triangle != -1)
                to[i] = from[i];
    }
}

template <typename Row>
void UVMapper::forEachSampleRow(Row&& row) const {
    const RowClusters rows = rowClusters();
    std::vector<LumelSample> samples(m_width);
    for (std::uint32_t y = 0; y < m_height; ++y) {
        assembleSampleRow(rows, y, samples.data());
        row(y, samples.data());
    }
}

std::vector<LumelSample> UVMapper::samples() const {
    std::vector<LumelSample> all;
    all.reserve(std::size_t{m_width} * m_height);
    if (!m_mapped)
        return all;
    forEachSampleRow(
        [&](std::uint32_t, const LumelSample* row) { all.insert(all.end(), row, row + m_width); });
    return all;
}

std::vector<std::uint32_t> UVMapper::drawSamplesImage() const {
    std::vector<std::uint32_t> image(std::size_t{m_width} * m_height);
    const RowClusters rows = rowClusters();
    // Rows are drawn side by side, each slice into its own row of samples.
    shareSlices(m_height, 32, [&](std::size_t begin, std::size_t end) {
        std::vector<LumelSample> samples(m_width);
        for (std::size_t y = begin; y < end; ++y) {
            assembleSampleRow(rows, static_cast<std::uint32_t>(y), samples.data());
            std::uint32_t* pixel = image.data() + y * m_width;
            for (std::uint32_t x = 0; x < m_width; ++x) {
                const auto t = static_cast<std::uint32_t>(samples[x].triangle);
                std::uint32_t b0 = t & 1u;
                std::uint32_t b1 = (t >> 1) & 1u;
                std::uint32_t b2 = (t >> 2) & 1u;
                if (b0 == 0 && b1 == 0 && b2 == 0)
                    b0 = b1 = b2 = 1;
                const std::uint32_t level = t + 40u; // modulo 2^32, as the 32-bit pixel keeps it
                pixel[x] = ((level * b0) << 16) | ((level * b1) << 8) | (level * b2);
            }
        }
    });
    return image;
}

void UVMapper::writeDebugImage(const char* name, const std::vector<std::uint32_t>& pixels) const {
    const std::string path = m_imageFolder.empty() ? std::string(name) : m_imageFolder + "/" + name;
    try {
        writeTga(path, m_width, m_height, pixels.data());
    } catch (const AssertionFailed&) {
        // Only a picture for people: the mapping stands without it.
        VX_WARNING << "UVMapper: could not write the debug image " << path;
    }
}

bool UVMapper::writeSamples(const std::string& path) const {
    if (!m_mapped) {
        VX_ERROR << "UVMapper: no samples to write to " << path << " before a successful map()";
        return false;
    }
    FileOutStream out(path.c_str());
    out.write("SMP2", 4);
    out << m_width << m_height;
    forEachSampleRow([&](std::uint32_t, const LumelSample* row) {
        out.write(row, std::size_t{m_width} * sizeof(LumelSample));
    });
    out << static_cast<std::uint32_t>(m_triangles.size());
    // A block of triangles at a time: no copy of all corners at once.
    constexpr std::size_t kBlock = 256;
    std::vector<float> block;
    block.reserve(kBlock * 18);
    for (std::size_t t = 0; t < m_triangles.size(); ++t) {
        for (const UVCorner& corner : m_triangles[t].corners)
            block.insert(block.end(), {corner.position.x, corner.position.y, corner.position.z,
                                       corner.normal.x, corner.normal.y, corner.normal.z});
        if (block.size() == kBlock * 18 || t + 1 == m_triangles.size()) {
            out.write(block.data(), block.size() * sizeof(float));
            block.clear();
        }
    }
    if (out.close())
        return true;
    std::remove(path.c_str());
    VX_ERROR << "The sample file " << path << " could not be written whole and was removed";
    return false;
}

} // namespace vx
