#include "MeshExporter/SpatialTree.h"

#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/math/Matrix.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>

namespace vx {

namespace {

constexpr std::size_t kAlwaysLeaf = 6;
constexpr std::size_t kLeafUnlessCheaper = 16;
// Past the maximum depth only oversized nodes split; a split that reduces neither side could
// repeat forever, and this bounds the recursion whatever the input.
constexpr int kDepthMargin = 32;

} // namespace

int SpatialTree::maximumDepth(std::size_t faceCount, bool fine) {
    const double x = std::log(static_cast<double>(faceCount) / std::log(2.0));
    return static_cast<int>(fine ? x * 1.7 + 3.0 : x * 1.2 + 2.0) + 1;
}

bool SpatialTree::build(const std::vector<Vector3>& vertices,
                        const std::vector<CollisionFace>& faces, bool fine) {
    m_nodes.clear();
    m_faceList.clear();
    m_faces.clear();
    m_largestLeaf = 0;
    m_depth = 0;
    if (faces.empty() || vertices.empty())
        return false;
    m_maximumDepth = maximumDepth(faces.size(), fine);
    m_leafFactor = fine ? 0.05 : 0.1;

    m_bounds = {vertices[0], vertices[0]};
    for (const Vector3& v : vertices) {
        for (unsigned k = 0; k < 3; ++k) {
            m_bounds.min[k] = std::min(m_bounds.min[k], v[k]);
            m_bounds.max[k] = std::max(m_bounds.max[k], v[k]);
        }
    }
    m_faces.resize(faces.size());
    for (std::size_t f = 0; f < faces.size(); ++f) {
        TreeFace& record = m_faces[f];
        const Vector3& first = vertices.at(faces[f].corners[0]);
        record.box = {first, first};
        for (int c = 0; c < 3; ++c) {
            const Vector3& p = vertices.at(faces[f].corners[c]);
            record.corners[c] = {static_cast<double>(p.x), static_cast<double>(p.y),
                                 static_cast<double>(p.z)};
            for (unsigned k = 0; k < 3; ++k) {
                record.box.min[k] = std::min(record.box.min[k], p[k]);
                record.box.max[k] = std::max(record.box.max[k], p[k]);
            }
        }
    }

    m_levels.resize(static_cast<std::size_t>(m_maximumDepth + kDepthMargin) + 1);
    TreeMembers& root = m_levels[0][0];
    root = rootMembers(m_faces);
    SplitChoice choice;
    if (split(m_bounds, root, 1, choice)) {
        m_nodes.push_back({choice.position, static_cast<std::uint32_t>(choice.axis), {0, 0}});
        addChildren(0, m_bounds, choice, 1);
    } else {
        // The file's root must be an inner node: an empty right leaf beside the whole mesh.
        m_nodes.push_back({m_bounds.max.x, 0, {0, 0}});
        addLeaf(0, 0, root);
        addLeaf(0, 1, TreeMembers{});
        ++m_depth;
    }
    m_levels = {};
    m_sides = {};
    m_positions = {};
    m_scratch = {};
    return true;
}

bool SpatialTree::split(const TreeBox& box, const TreeMembers& members, int depth,
                        SplitChoice& choice) {
    const std::size_t n = members.size();
    m_depth = std::max(m_depth, depth);
    if (n <= kAlwaysLeaf)
        return false;
    const bool fits = n <= kTreeLeafCapacity;
    if (depth >= m_maximumDepth) {
        if (fits || depth >= m_maximumDepth + kDepthMargin)
            return false;
        std::cout << "Attempting to terminate recursion but leaf can't hold all the elements. "
                  << "Recursing again, current depth: " << depth << "\n";
    }
    const double leafCost = (1.0 - m_leafFactor) * static_cast<double>(n) * halfArea(box);
    m_scratch.described = false;
    const SplitChoice best = m_search(m_faces, members, box, m_scratch);
    const bool better = best.found && best.cost < leafCost;
    if (n <= kLeafUnlessCheaper && !better)
        return false;
    const auto a = static_cast<unsigned>(best.axis);
    const bool reduces = best.left < n && best.right < n;
    const bool inside = box.min[a] < best.position && best.position < box.max[a];
    if (!best.found || !(!fits || better || reduces || inside))
        return false;
    if (depth >= m_maximumDepth && !reduces)
        return false;

    choice = best;
    m_sides.resize(n);
    // The search described every face's part inside the node box; where that part is the
    // face's box or its clip, the part decides (as the exact test would), without the face.
    const unsigned char* const kinds = m_scratch.described ? m_scratch.kinds[a].data() : nullptr;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned side =
            kinds && kinds[i] != 2
                ? classifyCountedFace(m_scratch.bounds[a][i], best.position)
                : classifyFace(m_faces[members.faces[i]], best.axis, best.position, box);
        m_sides[i] = static_cast<unsigned char>(
            side == kSidePlane ? (best.planarRight ? kSideRight : kSideLeft) : side);
    }
    std::array<TreeMembers, 2>& children = m_levels[static_cast<std::size_t>(depth)];
    splitMembers(members, m_sides, m_positions, children[0], children[1]);
    return true;
}

void SpatialTree::addChildren(std::size_t at, const TreeBox& box, const SplitChoice& choice,
                              int depth) {
    const auto a = static_cast<unsigned>(choice.axis);
    for (unsigned c = 0; c < 2; ++c) {
        TreeBox childBox = box;
        (c == 0 ? childBox.max : childBox.min)[a] = choice.position;
        const TreeMembers& members = m_levels[static_cast<std::size_t>(depth)][c];
        SplitChoice childChoice;
        if (!split(childBox, members, depth + 1, childChoice)) {
            addLeaf(at, c, members);
            continue;
        }
        const std::size_t child = m_nodes.size();
        m_nodes[at].child[c] = static_cast<std::uint32_t>(child);
        m_nodes.push_back(
            {childChoice.position, static_cast<std::uint32_t>(childChoice.axis), {0, 0}});
        addChildren(child, childBox, childChoice, depth + 1);
    }
}

void SpatialTree::addLeaf(std::size_t at, unsigned child, const TreeMembers& members) {
    const std::size_t count = members.size();
    m_largestLeaf = std::max(m_largestLeaf, count);
    m_nodes[at].flags |= (child == 0 ? kTreeChild0Leaf : kTreeChild1Leaf) |
                         (static_cast<std::uint32_t>(count & 0xFFu) << (child == 0 ? 16 : 24));
    m_nodes[at].child[child] = static_cast<std::uint32_t>(m_faceList.size());
    for (std::uint32_t f : members.faces)
        m_faceList.push_back(static_cast<std::uint16_t>(f));
}

void SpatialTree::write(OutStream& out) const {
    out << m_bounds.min << m_bounds.max;
    out << static_cast<std::uint32_t>(m_nodes.size());
    for (const SpatialTreeNode& node : m_nodes)
        out << node.split << node.flags << node.child[0] << node.child[1];
    out << static_cast<std::uint32_t>(m_faceList.size());
    for (std::uint16_t f : m_faceList)
        out << f;
}

} // namespace vx
