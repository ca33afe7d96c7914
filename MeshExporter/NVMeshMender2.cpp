#include "MeshExporter/NVMeshMender2.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/TangentFrame.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/RadixSort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <utility>

namespace vx {

namespace {
thread_local HeldTangentRejection* t_held = nullptr;
} // namespace

HeldTangentRejection::HeldTangentRejection() : m_outer(t_held) {
    t_held = this;
}

HeldTangentRejection::~HeldTangentRejection() {
    t_held = m_outer;
}

void HeldTangentRejection::keep(std::string_view reason) {
    if (!m_reason)
        m_reason = std::string(reason);
}

bool rejectTangents(std::string_view reason) {
    if (t_held) {
        t_held->keep(reason);
        return false;
    }
    const std::string text = "Cannot generate tangents: " + std::string(reason);
    VX_ERROR << text;
    exportErrorList().append(text);
    return false;
}

namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

// One cache line each: the triangles around a position lie far apart in the list, and a
// triangle read across two lines costs two misses.
struct alignas(64) Triangle {
    std::array<std::uint32_t, 3> position; // the corners' position numbers; the corners are indices
    TriangleBasis basis;
    TriangleBasis unitBasis; // the crease test compares directions only
};

enum class Direction { Tangent, Binormal };

const Vector3& of(const TriangleBasis& basis, Direction d) {
    return d == Direction::Tangent ? basis.tangent : basis.binormal;
}
Vector3& of(MenderVertex& vertex, Direction d) {
    return d == Direction::Tangent ? vertex.tangent : vertex.binormal;
}

// A finite float's bits turned so that unsigned order is numeric order, with -0 as +0.
std::uint32_t orderedBits(float value) {
    const std::uint32_t bits = value == 0.0f ? 0u : std::bit_cast<std::uint32_t>(value);
    return (bits & 0x80000000u) != 0 ? ~bits : bits | 0x80000000u;
}

bool isFinite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Up to this many entries at a position, neighbours are found by comparing every pair of
// triangles rather than by sorting their edges.
constexpr std::uint32_t kDirectCompareMost = 24;

// An edge by the numbers of its end positions, lower first (packed as low << 32 | high, which
// orders as the pair does), and the position-list entry of the triangle it belongs to.
struct EdgeRecord {
    std::uint64_t key;
    std::uint32_t entry;
};

std::uint64_t edgeKey(std::uint32_t a, std::uint32_t b) {
    return std::uint64_t{std::min(a, b)} << 32 | std::max(a, b);
}

class Mender {
public:
    Mender(std::vector<MenderVertex>& vertices, std::vector<std::uint32_t>& indices,
           std::vector<std::uint32_t>& mapping, const MendSettings& settings)
        : m_vertices(vertices), m_indices(indices), m_mapping(mapping), m_settings(settings) {}

    void run();

private:
    // The groups of one direction at the current position.
    struct Grouping {
        std::vector<std::int32_t> groupOf; // per entry; -1 before it joins
        std::int32_t groupCount = 0;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> joined; // (group, entry), in order
        std::vector<std::uint32_t> groupStart;
        std::vector<std::uint32_t> members;
        std::vector<std::uint32_t> cursor;
        std::vector<Vector3> groupValue;
    };

    void buildPositionMap(const std::vector<std::uint32_t>& indices);
    void findNeighbours(std::uint32_t position, std::uint32_t first, std::uint32_t count);
    void findNeighboursByEdges(std::uint32_t count);
    void visitOrder(std::uint32_t count);
    void groupBoth();
    void collectGroups(Direction d, Grouping& grouping);
    void assign(std::uint32_t position, std::uint32_t first, Direction d, const Grouping& grouping);
    void assignBoth(std::uint32_t position, std::uint32_t first, const Vector3& tangent,
                    const Vector3& binormal);
    std::vector<MenderVertex>& m_vertices;
    std::vector<std::uint32_t>& m_indices; // replaced corner by corner as copies are made
    std::vector<std::uint32_t>& m_mapping;
    const MendSettings& m_settings;

    std::vector<Triangle> m_triangles;
    // The position map: per position number (in position order), its entries in
    // m_entryTriangle from m_firstEntry[p] to m_firstEntry[p + 1], in triangle order.
    std::vector<std::uint32_t> m_firstEntry;
    std::vector<std::uint32_t> m_entryTriangle;
    std::vector<std::uint32_t> m_positionOf; // per input vertex; kNone when no triangle uses it

    // Per vertex: the serial number of the group that claimed it at the current position, and
    // the copy made of it for the current group. Serials grow across positions, so nothing is
    // cleared between them.
    std::vector<std::uint64_t> m_claimedBy;
    std::vector<std::uint64_t> m_copiedFor;
    std::vector<std::uint32_t> m_copy;
    std::uint64_t m_nextSerial = 1;

    // Scratch of one position, indexed by entry within its list. A triangle with several
    // corners at the position has several entries; its state lives at the first (m_canon).
    std::vector<std::uint32_t> m_canon;
    std::vector<const Triangle*> m_triangleOf;              // per entry
    std::vector<std::array<std::uint32_t, 2>> m_neighbours; // entries, kNone when missing
    std::vector<std::array<std::uint32_t, 2>> m_others;     // see findNeighbours
    std::vector<EdgeRecord> m_edges;
    // Canonical entries in the order the depth-first walk joins them, which is the same for
    // both directions: an entry is taken once, whichever group it joins.
    std::vector<std::uint32_t> m_order;
    std::vector<std::uint8_t> m_visited;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> m_stack;
    Grouping m_grouping[2]; // tangent, binormal
};

void Mender::buildPositionMap(const std::vector<std::uint32_t>& indices) {
    // The used vertices' positions as sort keys beside their numbers, so that the sort reads
    // one compact array rather than whole vertices and turns no float in any of its passes.
    struct Used {
        std::array<std::uint32_t, 3> key; // orderedBits of x, y, z
        std::uint32_t vertex;
    };
    std::vector<Used> used;
    used.reserve(m_vertices.size());
    m_positionOf.assign(m_vertices.size(), kNone);
    for (std::uint32_t index : indices) {
        if (m_positionOf[index] == kNone) {
            m_positionOf[index] = 0;
            const Vector3& p = m_vertices[index].position;
            used.push_back({{orderedBits(p.x), orderedBits(p.y), orderedBits(p.z)}, index});
        }
    }
    // In position order (x, then y, then z): sorted by z, then y, then x, each sort keeping the
    // order of the last. How vertices at one position are ordered does not show below. Keys are
    // equal exactly where the (finite) coordinates are, -0 and +0 alike.
    for (const unsigned axis : {2u, 1u, 0u})
        radixSortByKey(used, 32, [axis](const Used& u) { return u.key[axis]; });
    std::uint32_t positions = 0;
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (i > 0 && used[i - 1].key != used[i].key)
            ++positions;
        m_positionOf[used[i].vertex] = positions;
    }
    if (!used.empty())
        ++positions;

    // Counting sort of the corners by position keeps each list in triangle order.
    m_firstEntry.assign(std::size_t{positions} + 1, 0);
    for (std::uint32_t index : indices)
        ++m_firstEntry[m_positionOf[index] + 1];
    for (std::uint32_t p = 0; p < positions; ++p)
        m_firstEntry[p + 1] += m_firstEntry[p];
    std::vector<std::uint32_t> fill(m_firstEntry.begin(), m_firstEntry.end() - 1);
    m_entryTriangle.resize(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        m_entryTriangle[fill[m_positionOf[indices[i]]]++] = static_cast<std::uint32_t>(i / 3);
}

// Per triangle of the list: the first two other entries, in list order, whose triangle shares
// an edge (both end positions, either direction) with it.
void Mender::findNeighbours(std::uint32_t position, std::uint32_t first, std::uint32_t count) {
    m_canon.resize(count);
    m_neighbours.resize(count);
    m_triangleOf.resize(count);
    for (std::uint32_t e = 0; e < count; ++e) {
        m_canon[e] = e > 0 && m_entryTriangle[first + e] == m_entryTriangle[first + e - 1]
                         ? m_canon[e - 1]
                         : e;
        m_triangleOf[e] = &m_triangles[m_entryTriangle[first + e]];
    }
    if (count > kDirectCompareMost) {
        findNeighboursByEdges(count);
        return;
    }
    // Both triangles have a corner here, and any two corners of a triangle make one of its
    // edges. So two of them share an edge exactly when they share a corner position other than
    // this one, or both have two corners here (the edge between those). Each triangle is
    // described by at most two such positions, this one standing for "two corners here"; the
    // first two others in list order that share one are the neighbours.
    m_others.resize(count);
    for (std::uint32_t e = 0; e < count; ++e) {
        const auto& corners = m_triangleOf[e]->position;
        std::array<std::uint32_t, 3> kept{};
        unsigned n = 0;
        unsigned here = 0;
        for (const std::uint32_t corner : corners) {
            if (corner == position)
                ++here;
            else
                kept[n++] = corner;
        }
        if (here >= 2)
            kept[n++] = position;
        m_others[e] = {kept[0], n > 1 ? kept[1] : kept[0]};
    }
    for (std::uint32_t e = 0; e < count; ++e) {
        if (m_canon[e] != e)
            continue;
        std::array<std::uint32_t, 2> best{kNone, kNone};
        const auto [a0, a1] = m_others[e];
        for (std::uint32_t other = 0; other < count && best[1] == kNone; ++other) {
            const auto [b0, b1] = m_others[other];
            const bool shares = (a0 == b0) | (a0 == b1) | (a1 == b0) | (a1 == b1);
            if (!shares || m_canon[other] == e)
                continue;
            (best[0] == kNone ? best[0] : best[1]) = other;
        }
        m_neighbours[e] = best;
    }
}

// The same for a position with many triangles: the triangles' edges sorted, so that a fan of
// any size costs n log n.
void Mender::findNeighboursByEdges(std::uint32_t count) {
    m_edges.clear();
    for (std::uint32_t e = 0; e < count; ++e) {
        const auto& corners = m_triangleOf[e]->position;
        for (std::size_t k = 0; k < 3; ++k)
            m_edges.push_back({edgeKey(corners[k], corners[(k + 1) % 3]), e});
    }
    std::sort(m_edges.begin(), m_edges.end(), [](const EdgeRecord& x, const EdgeRecord& y) {
        return std::pair(x.key, x.entry) < std::pair(y.key, y.entry);
    });

    for (std::uint32_t e = 0; e < count; ++e) {
        if (m_canon[e] != e)
            continue;
        // The two smallest entries over the three edges; kNone sorts last.
        std::array<std::uint32_t, 2> best{kNone, kNone};
        const auto& corners = m_triangleOf[e]->position;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::uint64_t key = edgeKey(corners[k], corners[(k + 1) % 3]);
            auto it = std::lower_bound(
                m_edges.begin(), m_edges.end(), key,
                [](const EdgeRecord& r, std::uint64_t wanted) { return r.key < wanted; });
            // Entries ascend within one edge, so the first two others are all this edge offers.
            int taken = 0;
            for (; it != m_edges.end() && it->key == key && taken < 2; ++it) {
                const std::uint32_t other = it->entry;
                if (m_canon[other] == e || other == best[0] || other == best[1])
                    continue;
                ++taken;
                if (other < best[0])
                    best = {other, best[0]};
                else if (other < best[1])
                    best[1] = other;
            }
        }
        m_neighbours[e] = best;
    }
}

// The crease test: directions at least the settings' cosine apart, or both absent.
bool creasePasses(const Vector3& a, const Vector3& b, float minCosine) {
    const Vector3 zero;
    return Vector3::dot(a, b) >= minCosine || (a == zero && b == zero);
}

void Mender::visitOrder(std::uint32_t count) {
    m_order.clear();
    m_visited.assign(count, 0);
    for (std::uint32_t e = 0; e < count; ++e) {
        if (m_visited[m_canon[e]])
            continue;
        // Depth first from e, through each triangle's first then second neighbour; an
        // explicit stack, since a fan may hold any number of triangles.
        m_visited[m_canon[e]] = 1;
        m_order.push_back(m_canon[e]);
        m_stack.assign(1, {m_canon[e], 0});
        while (!m_stack.empty()) {
            auto& [entry, next] = m_stack.back();
            if (next == 2) {
                m_stack.pop_back();
                continue;
            }
            const std::uint32_t neighbour = m_neighbours[entry][next++];
            if (neighbour == kNone || m_visited[m_canon[neighbour]])
                continue;
            m_visited[m_canon[neighbour]] = 1;
            m_order.push_back(m_canon[neighbour]);
            m_stack.emplace_back(m_canon[neighbour], 0);
        }
    }
}

// Both directions' groups at the current position. In the walk's order each triangle joins,
// per direction, the group of its last neighbour that has one and passes that direction's
// crease test, or opens a new group; the directions share the walk, so one pass serves both.
void Mender::groupBoth() {
    Grouping& tangents = m_grouping[0];
    Grouping& binormals = m_grouping[1];
    for (Grouping* grouping : {&tangents, &binormals}) {
        grouping->groupOf.assign(m_canon.size(), -1);
        grouping->joined.clear();
        grouping->groupCount = 0;
    }
    const float minTangent = m_settings.minTangentCreaseCosine;
    const float minBinormal = m_settings.minBinormalCreaseCosine;
    for (const std::uint32_t entry : m_order) {
        const TriangleBasis& mine = m_triangleOf[entry]->unitBasis;
        std::int32_t tangent = -1;
        std::int32_t binormal = -1;
        for (const std::uint32_t neighbour : m_neighbours[entry]) {
            if (neighbour == kNone)
                continue;
            const std::uint32_t other = m_canon[neighbour];
            const std::int32_t otherTangent = tangents.groupOf[other];
            const std::int32_t otherBinormal = binormals.groupOf[other];
            if (otherTangent < 0 && otherBinormal < 0)
                continue;
            const TriangleBasis& theirs = m_triangleOf[other]->unitBasis;
            if (otherTangent >= 0 && creasePasses(mine.tangent, theirs.tangent, minTangent))
                tangent = otherTangent;
            if (otherBinormal >= 0 && creasePasses(mine.binormal, theirs.binormal, minBinormal))
                binormal = otherBinormal;
        }
        if (tangent < 0)
            tangent = tangents.groupCount++;
        if (binormal < 0)
            binormal = binormals.groupCount++;
        tangents.groupOf[entry] = tangent;
        tangents.joined.emplace_back(static_cast<std::uint32_t>(tangent), entry);
        binormals.groupOf[entry] = binormal;
        binormals.joined.emplace_back(static_cast<std::uint32_t>(binormal), entry);
    }
    collectGroups(Direction::Tangent, tangents);
    collectGroups(Direction::Binormal, binormals);
}

// Members of each group in the order they joined, and the group's value: the normalised sum
// of its triangles' vectors in that order.
void Mender::collectGroups(Direction d, Grouping& grouping) {
    const auto groups = static_cast<std::size_t>(grouping.groupCount);
    grouping.members.resize(grouping.joined.size());
    if (groups == 1) {
        // No crease at this position, the common case: the join order is the member order.
        grouping.groupStart.assign({0, static_cast<std::uint32_t>(grouping.joined.size())});
        for (std::size_t i = 0; i < grouping.joined.size(); ++i)
            grouping.members[i] = grouping.joined[i].second;
    } else {
        grouping.groupStart.assign(groups + 1, 0);
        for (const auto& joined : grouping.joined)
            ++grouping.groupStart[joined.first + 1];
        for (std::size_t g = 0; g < groups; ++g)
            grouping.groupStart[g + 1] += grouping.groupStart[g];
        grouping.cursor.assign(grouping.groupStart.begin(), grouping.groupStart.end() - 1);
        for (const auto& [g, entry] : grouping.joined)
            grouping.members[grouping.cursor[g]++] = entry;
    }
    grouping.groupValue.resize(groups);
    for (std::size_t g = 0; g < groups; ++g) {
        Vector3 sum;
        for (std::uint32_t i = grouping.groupStart[g]; i < grouping.groupStart[g + 1]; ++i)
            sum += of(m_triangleOf[grouping.members[i]]->basis, d);
        grouping.groupValue[g] = unitVector(sum);
    }
}

// Each group's value goes to the vertices its triangles use at this position; a vertex that an
// earlier group claimed is copied for this group, and this group's triangles use the copy.
void Mender::assign(std::uint32_t position, std::uint32_t first, Direction d,
                    const Grouping& grouping) {
    const std::uint64_t firstSerial = m_nextSerial;
    for (std::size_t g = 0; g + 1 < grouping.groupStart.size(); ++g) {
        const std::uint64_t serial = m_nextSerial++;
        const Vector3& value = grouping.groupValue[g];
        for (std::uint32_t i = grouping.groupStart[g]; i < grouping.groupStart[g + 1]; ++i) {
            const std::uint32_t t = m_entryTriangle[first + grouping.members[i]];
            const Triangle& triangle = m_triangles[t];
            for (std::size_t k = 0; k < 3; ++k) {
                if (triangle.position[k] != position)
                    continue;
                std::uint32_t& corner = m_indices[3 * std::size_t{t} + k];
                const std::uint32_t v = corner;
                if (m_copiedFor[v] == serial) {
                    corner = m_copy[v];
                } else if (m_claimedBy[v] < firstSerial) {
                    m_claimedBy[v] = serial;
                    of(m_vertices[v], d) = value;
                } else if (m_claimedBy[v] != serial) {
                    const auto copy = static_cast<std::uint32_t>(m_vertices.size());
                    m_vertices.push_back(m_vertices[v]);
                    of(m_vertices.back(), d) = value;
                    m_mapping.push_back(m_mapping[v]);
                    m_claimedBy.push_back(serial);
                    m_copiedFor.push_back(0);
                    m_copy.push_back(kNone);
                    m_copiedFor[v] = serial;
                    m_copy[v] = copy;
                    corner = copy;
                }
            }
        }
    }
}

// What assign gives when each direction has one group: no vertex is copied, and every vertex
// used here takes both values. A vertex lies at one position only, so its claims matter to no
// other position and are not kept.
void Mender::assignBoth(std::uint32_t position, std::uint32_t first, const Vector3& tangent,
                        const Vector3& binormal) {
    for (const std::uint32_t entry : m_order) {
        const std::uint32_t t = m_entryTriangle[first + entry];
        const Triangle& triangle = m_triangles[t];
        for (std::size_t k = 0; k < 3; ++k) {
            if (triangle.position[k] != position)
                continue;
            MenderVertex& vertex = m_vertices[m_indices[3 * std::size_t{t} + k]];
            vertex.tangent = tangent;
            vertex.binormal = binormal;
        }
    }
}

void Mender::run() {
    const std::size_t triangleCount = m_indices.size() / 3;
    m_triangles.resize(triangleCount);
    for (std::size_t i = 0; i < triangleCount; ++i) {
        Vector3 p[3];
        float s[3];
        float t[3];
        for (std::size_t k = 0; k < 3; ++k) {
            const MenderVertex& v = m_vertices[m_indices[3 * i + k]];
            p[k] = v.position;
            s[k] = v.s;
            t[k] = v.t;
        }
        Triangle& triangle = m_triangles[i];
        triangle.basis = triangleBasis(p, s, t);
        triangle.unitBasis = {unitVector(triangle.basis.tangent),
                              unitVector(triangle.basis.binormal)};
    }
    buildPositionMap(m_indices);
    for (std::size_t i = 0; i < triangleCount; ++i)
        for (std::size_t k = 0; k < 3; ++k)
            m_triangles[i].position[k] = m_positionOf[m_indices[3 * i + k]];

    // Room for the copies as the vertex list has it (see generateTangents).
    const std::size_t room = m_vertices.capacity();
    m_mapping.reserve(room);
    m_copy.reserve(room);
    m_claimedBy.reserve(room);
    m_copiedFor.reserve(room);
    m_mapping.resize(m_vertices.size());
    for (std::size_t v = 0; v < m_mapping.size(); ++v)
        m_mapping[v] = static_cast<std::uint32_t>(v);
    m_claimedBy.assign(m_vertices.size(), 0);
    m_copiedFor.assign(m_vertices.size(), 0);
    m_copy.assign(m_vertices.size(), kNone);

    for (std::uint32_t p = 0; p + 1 < m_firstEntry.size(); ++p) {
        const std::uint32_t first = m_firstEntry[p];
        const std::uint32_t count = m_firstEntry[p + 1] - first;
        findNeighbours(p, first, count);
        visitOrder(count);
        // The groups depend only on the triangles, so both directions are grouped before
        // either is assigned.
        const Grouping& tangents = m_grouping[0];
        const Grouping& binormals = m_grouping[1];
        groupBoth();
        if (tangents.groupCount == 1 && binormals.groupCount == 1) {
            m_nextSerial += 2;
            assignBoth(p, first, tangents.groupValue[0], binormals.groupValue[0]);
        } else {
            assign(p, first, Direction::Tangent, tangents);
            assign(p, first, Direction::Binormal, binormals);
        }
    }

    for (MenderVertex& v : m_vertices)
        orthonormalizeFrame(v.normal, v.tangent, v.binormal);
}

} // namespace

bool mend(std::vector<MenderVertex>& vertices, std::vector<std::uint32_t>& indices,
          std::vector<std::uint32_t>& mapping, const MendSettings& settings) {
    if (indices.size() % 3 != 0)
        return rejectTangents("the index count " + std::to_string(indices.size()) +
                              " is not a multiple of 3");
    // Each corner may be copied once for its tangent group and once for its binormal group.
    const std::uint64_t mostVertices = vertices.size() + 2 * std::uint64_t{indices.size()};
    if (mostVertices >= kNone)
        return rejectTangents(std::to_string(vertices.size()) + " vertices and " +
                              std::to_string(indices.size()) +
                              " indices are more than 32-bit indices can number");
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const std::uint32_t index = indices[i];
        if (index >= vertices.size())
            return rejectTangents("index " + std::to_string(index) + " at position " +
                                  std::to_string(i) + " is out of range of " +
                                  std::to_string(vertices.size()) + " vertices");
        const Vector3& p = vertices[index].position;
        if (!isFinite(p)) {
            std::ostringstream text;
            text << "vertex " << index << " has a position that is not a finite number (" << p.x
                 << ", " << p.y << ", " << p.z << ")";
            return rejectTangents(text.str());
        }
    }
    // Nothing below can reject the input, so the buffers are mended in place.
    Mender(vertices, indices, mapping, settings).run();
    return true;
}

} // namespace vx
