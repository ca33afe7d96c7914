#include "MeshExporter/SpatialTree.h"

#include "MeshExporter/SpatialTreeMembers.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/math/Matrix.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <memory>

namespace vx {

namespace {

constexpr std::size_t kAlwaysLeaf = 6;
constexpr std::size_t kLeafUnlessCheaper = 16;
// Past the maximum depth only oversized nodes split; a split that reduces neither side could
// repeat forever, and this bounds the recursion whatever the input.
constexpr int kDepthMargin = 32;

} // namespace

struct SpatialTree::BuildNode {
    TreeBox box;
    TreeMembers members;
    int axis = 0;
    float split = 0.0f;
    std::unique_ptr<BuildNode> children[2];
    bool leaf() const { return !children[0]; }
};

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

    auto root = std::make_unique<BuildNode>();
    root->box = m_bounds;
    root->members = rootMembers(m_faces);
    subdivide(*root, 1);
    if (root->leaf()) {
        // The file's root must be an inner node: an empty right leaf beside the whole mesh.
        auto top = std::make_unique<BuildNode>();
        top->box = m_bounds;
        top->axis = 0;
        top->split = m_bounds.max.x;
        top->children[1] = std::make_unique<BuildNode>();
        top->children[1]->box = m_bounds;
        top->children[1]->box.min.x = m_bounds.max.x;
        top->children[0] = std::move(root);
        root = std::move(top);
        ++m_depth;
    }
    flatten(*root);
    m_scratch = {};
    return true;
}

void SpatialTree::subdivide(BuildNode& node, int depth) {
    if (!split(node, depth)) {
        // A leaf needs only its face list.
        for (unsigned a = 0; a < 3; ++a) {
            node.members.byMin[a] = {};
            node.members.byMax[a] = {};
        }
        return;
    }
    subdivide(*node.children[0], depth + 1);
    subdivide(*node.children[1], depth + 1);
}

bool SpatialTree::split(BuildNode& node, int depth) {
    const std::size_t n = node.members.size();
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
    const double leafCost = (1.0 - m_leafFactor) * static_cast<double>(n) * halfArea(node.box);
    const SplitChoice best = m_search(m_faces, node.members, node.box, m_scratch);
    const bool better = best.found && best.cost < leafCost;
    if (n <= kLeafUnlessCheaper && !better)
        return false;
    const auto a = static_cast<unsigned>(best.axis);
    const bool reduces = best.left < n && best.right < n;
    const bool inside = node.box.min[a] < best.position && best.position < node.box.max[a];
    if (!best.found || !(!fits || better || reduces || inside))
        return false;
    if (depth >= m_maximumDepth && !reduces)
        return false;

    node.axis = best.axis;
    node.split = best.position;
    auto left = std::make_unique<BuildNode>();
    auto right = std::make_unique<BuildNode>();
    left->box = node.box;
    left->box.max[a] = best.position;
    right->box = node.box;
    right->box.min[a] = best.position;
    std::vector<unsigned char> sides(n);
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned side =
            classifyFace(m_faces[node.members.faces[i]], best.axis, best.position, node.box);
        sides[i] = static_cast<unsigned char>(
            side == kSidePlane ? (best.planarRight ? kSideRight : kSideLeft) : side);
    }
    splitMembers(node.members, sides, left->members, right->members);
    node.members = {};
    node.children[0] = std::move(left);
    node.children[1] = std::move(right);
    return true;
}

void SpatialTree::flatten(const BuildNode& node) {
    const std::size_t at = m_nodes.size();
    m_nodes.push_back({node.split, static_cast<std::uint32_t>(node.axis), {0, 0}});
    for (unsigned c = 0; c < 2; ++c) {
        const BuildNode& child = *node.children[c];
        if (child.leaf()) {
            const std::size_t count = child.members.size();
            m_largestLeaf = std::max(m_largestLeaf, count);
            m_nodes[at].flags |= (c == 0 ? kTreeChild0Leaf : kTreeChild1Leaf) |
                                 (static_cast<std::uint32_t>(count & 0xFFu) << (c == 0 ? 16 : 24));
            m_nodes[at].child[c] = static_cast<std::uint32_t>(m_faceList.size());
            for (std::uint32_t f : child.members.faces)
                m_faceList.push_back(static_cast<std::uint16_t>(f));
        } else {
            m_nodes[at].child[c] = static_cast<std::uint32_t>(m_nodes.size());
            flatten(child);
        }
    }
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
