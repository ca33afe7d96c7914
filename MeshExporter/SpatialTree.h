#pragma once
// The space partition written with every collision mesh: axis-aligned splits chosen by a
// surface-area cost, flattened into 16-byte node records and a list of 16-bit face numbers.
#include "MeshExporter/CollisionFace.h"
#include "MeshExporter/SpatialTreeMembers.h"
#include "MeshExporter/SpatialTreeSplit.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vx {

class OutStream;

struct SpatialTreeNode {
    float split = 0.0f;
    // Bits 0-1 axis; bit 2 / bit 3: child 0 / child 1 is a leaf; bits 16-23 / 24-31: the face
    // count of leaf child 0 / child 1.
    std::uint32_t flags = 0;
    // An inner child's node number, or a leaf child's first entry in the face list.
    std::uint32_t child[2] = {0, 0};
    bool operator==(const SpatialTreeNode&) const = default;
};

inline constexpr std::uint32_t kTreeChild0Leaf = 4;
inline constexpr std::uint32_t kTreeChild1Leaf = 8;
// The most faces a leaf's 8-bit count can state.
inline constexpr std::size_t kTreeLeafCapacity = 255;

class SpatialTree {
public:
    explicit SpatialTree(SplitSearch search = sweepSplitSearch) : m_search(search) {}

    // Builds and flattens the tree; false when there is no face. `fine` (used for every
    // collision mesh of a block but the first) allows a deeper tree with cheaper splits.
    // Afterwards, check oversizedLeaf(): such a tree cannot be written faithfully.
    bool build(const std::vector<Vector3>& vertices, const std::vector<CollisionFace>& faces,
               bool fine);
    // Box of all vertices, node count and nodes, face number count and face numbers.
    void write(OutStream& out) const;

    // The deepest the subdivision goes before leaves up to the capacity are accepted.
    static int maximumDepth(std::size_t faceCount, bool fine);

    const std::vector<SpatialTreeNode>& nodes() const { return m_nodes; }
    const std::vector<std::uint16_t>& faceList() const { return m_faceList; }
    const TreeBox& bounds() const { return m_bounds; }
    // The largest leaf holds more faces than its count field can state: no split was found.
    bool oversizedLeaf() const { return m_largestLeaf > kTreeLeafCapacity; }
    std::size_t largestLeaf() const { return m_largestLeaf; }
    // Levels of the built tree, the artificial root included.
    int depth() const { return m_depth; }

private:
    // Decides whether the node at `depth` holding `members` splits; when it does, hands its faces
    // to the two member lists of the level below and returns the split.
    bool split(const TreeBox& box, const TreeMembers& members, int depth, SplitChoice& choice);
    // Writes the children of the split node record `at` (and their subtrees, depth first) as they
    // are built, so that no node outlives its subtree.
    void addChildren(std::size_t at, const TreeBox& box, const SplitChoice& choice, int depth);
    void addLeaf(std::size_t at, unsigned child, const TreeMembers& members);

    SplitSearch m_search;
    std::vector<TreeFace> m_faces;
    SplitScratch m_scratch;
    // Per depth, the faces of the two children of the node being split there; reused from node
    // to node.
    std::vector<std::array<TreeMembers, 2>> m_levels;
    std::vector<unsigned char> m_sides;
    std::vector<std::uint32_t> m_positions;
    int m_maximumDepth = 0;
    double m_leafFactor = 0.0;
    TreeBox m_bounds;
    std::vector<SpatialTreeNode> m_nodes;
    std::vector<std::uint16_t> m_faceList;
    std::size_t m_largestLeaf = 0;
    int m_depth = 0;
};

} // namespace vx
