// The spatial tree: the sweep search against the plain classification of every face, the
// shape of small trees worked by hand, and properties of trees over generated meshes.
#include "MeshExporter/SpatialTree.h"
#include "MeshExporter/SpatialTreeMembers.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "tests/MeshExporter/CollisionTestMeshes.h"
#include "tests/MeshExporter/LiteralSplitSearch.h"
#include "tools/info/CollisionMeshFileInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <set>
#include <tuple>

namespace vx {
namespace {

using test::closedShape;
using test::Mesh;
using test::soup;
using test::terrain;

std::string treeBytes(const SpatialTree& tree) {
    StringOutBuffer bytes;
    OutStream out(&bytes);
    tree.write(out);
    return std::string(bytes.text());
}

TEST(SpatialTree, SweepMatchesThePlainScanByteForByte) {
    const std::vector<std::pair<const char*, Mesh>> meshes = {
        {"terrain", terrain(20, 1)},
        {"flat terrain", terrain(12, 2, true)},
        {"closed", closedShape(14, 20)},
        {"soup", soup(600, 3)},
        {"small soup", soup(40, 4)}};
    for (const auto& [name, mesh] : meshes) {
        for (bool fine : {false, true}) {
            SpatialTree fast;
            SpatialTree literal(test::literalSplitSearch);
            ASSERT_TRUE(fast.build(mesh.vertices, mesh.faces, fine));
            ASSERT_TRUE(literal.build(mesh.vertices, mesh.faces, fine));
            EXPECT_GT(fast.nodes().size(), 1u) << name;
            EXPECT_EQ(std::tie(fast.nodes(), fast.faceList()),
                      std::tie(literal.nodes(), literal.faceList()))
                << name << " fine " << fine;
            EXPECT_EQ(treeBytes(fast), treeBytes(literal)) << name << " fine " << fine;
        }
    }
}

TEST(SpatialTree, FiveFacesMakeOneLeafUnderAnArtificialRoot) {
    const Mesh mesh = soup(5, 9);
    SpatialTree tree;
    ASSERT_TRUE(tree.build(mesh.vertices, mesh.faces, false));
    ASSERT_EQ(tree.nodes().size(), 1u);
    const SpatialTreeNode& root = tree.nodes()[0];
    // The empty second leaf starts where the first ends.
    EXPECT_EQ(std::make_tuple(root.flags, root.split, root.child[0], root.child[1]),
              std::make_tuple(0u | 4u | 8u | (5u << 16), tree.bounds().max.x, 0u, 5u));
    EXPECT_EQ(tree.faceList(), (std::vector<std::uint16_t>{0, 1, 2, 3, 4}));
    // Box (24 bytes), node count, one node, face count, five numbers.
    EXPECT_EQ(treeBytes(tree).size(), 24u + 4u + 16u + 4u + 10u);
}

TEST(SpatialTree, MaximumDepths) {
    EXPECT_EQ(std::make_tuple(
                  SpatialTree::maximumDepth(100, false), SpatialTree::maximumDepth(100, true),
                  SpatialTree::maximumDepth(1000, false), SpatialTree::maximumDepth(1000, true)),
              std::make_tuple(8, 12, 11, 16));
}

TEST(SpatialTree, TwoSheetsApartInYSplitBetweenThem) {
    Mesh mesh = terrain(6, 5, true);
    const Mesh upper = terrain(6, 5, true);
    const auto offset = static_cast<std::uint16_t>(mesh.vertices.size());
    for (Vector3 v : upper.vertices)
        mesh.vertices.push_back(v + Vector3(0, 3, 0));
    for (CollisionFace f : upper.faces) {
        for (std::uint16_t& c : f.corners)
            c = static_cast<std::uint16_t>(c + offset);
        mesh.faces.push_back(f);
    }
    SpatialTree tree;
    ASSERT_TRUE(tree.build(mesh.vertices, mesh.faces, false));
    const SpatialTreeNode& root = tree.nodes()[0];
    EXPECT_EQ(root.flags & 3u, 1u);
    EXPECT_GE(root.split, 0.0f);
    EXPECT_LE(root.split, 3.0f);
}

// The leaves of a flattened tree with the boxes its splits give them.
struct Leaf {
    TreeBox box;
    std::vector<std::uint16_t> faces;
};

void leavesOf(const SpatialTree& tree, std::uint32_t node, const TreeBox& box,
              std::vector<Leaf>& out) {
    const SpatialTreeNode& record = tree.nodes()[node];
    const unsigned axis = record.flags & 3u;
    // Children partition the box at the split, which lies within it.
    EXPECT_GE(record.split, box.min[axis]);
    EXPECT_LE(record.split, box.max[axis]);
    for (unsigned c = 0; c < 2; ++c) {
        TreeBox child = box;
        (c == 0 ? child.max : child.min)[axis] = record.split;
        if (record.flags & (c == 0 ? kTreeChild0Leaf : kTreeChild1Leaf)) {
            const std::uint32_t count = (record.flags >> (c == 0 ? 16 : 24)) & 0xFFu;
            Leaf leaf{child, {}};
            for (std::uint32_t i = 0; i < count; ++i)
                leaf.faces.push_back(tree.faceList().at(record.child[c] + i));
            out.push_back(leaf);
        } else {
            EXPECT_GT(record.child[c], node);
            leavesOf(tree, record.child[c], child, out);
        }
    }
}

bool contains(const TreeBox& box, const Vector3& p) {
    for (unsigned k = 0; k < 3; ++k)
        if (p[k] < box.min[k] || p[k] > box.max[k])
            return false;
    return true;
}

TEST(SpatialTree, LeavesHoldEveryFaceInsideTheirBoxesAndQueriesMatchAScan) {
    const std::vector<Mesh> meshes = {terrain(30, 6), closedShape(20, 30), soup(1000, 7)};
    for (const Mesh& mesh : meshes) {
        for (bool fine : {false, true}) {
            SpatialTree tree;
            ASSERT_TRUE(tree.build(mesh.vertices, mesh.faces, fine));
            EXPECT_FALSE(tree.oversizedLeaf());
            std::vector<Leaf> leaves;
            leavesOf(tree, 0, tree.bounds(), leaves);
            std::vector<bool> seen(mesh.faces.size(), false);
            for (const Leaf& leaf : leaves) {
                EXPECT_LE(leaf.faces.size(), kTreeLeafCapacity);
                BoxD grown;
                for (unsigned k = 0; k < 3; ++k) {
                    grown.min[k] = static_cast<double>(leaf.box.min[k]) - 1e-4;
                    grown.max[k] = static_cast<double>(leaf.box.max[k]) + 1e-4;
                }
                for (std::uint16_t f : leaf.faces) {
                    seen[f] = true;
                    PointD p[3];
                    for (unsigned c = 0; c < 3; ++c) {
                        const Vector3& v = mesh.vertices[mesh.faces[f].corners[c]];
                        p[c] = {static_cast<double>(v.x), static_cast<double>(v.y),
                                static_cast<double>(v.z)};
                    }
                    EXPECT_TRUE(triangleOverlapsBox(p[0], p[1], p[2], grown))
                        << "face " << f << " of " << mesh.faces.size();
                }
            }
            EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0);

            info::CollisionMeshRecord record;
            record.faces = mesh.faces;
            record.hasTree = true;
            record.treeMin = tree.bounds().min;
            record.treeMax = tree.bounds().max;
            record.nodes = tree.nodes();
            record.treeFaces = tree.faceList();
            std::mt19937 random(11);
            for (int q = 0; q < 200; ++q) {
                // Points on faces (a corner blend) and points anywhere in the box.
                Vector3 point;
                if (q % 2 == 0) {
                    const CollisionFace& f = mesh.faces[random() % mesh.faces.size()];
                    point = (mesh.vertices[f.corners[0]] + mesh.vertices[f.corners[1]] +
                             mesh.vertices[f.corners[2]]) /
                            3.0f;
                } else {
                    std::uniform_real_distribution<float> t(0.0f, 1.0f);
                    for (unsigned k = 0; k < 3; ++k)
                        point[k] = tree.bounds().min[k] +
                                   t(random) * (tree.bounds().max[k] - tree.bounds().min[k]);
                }
                std::set<std::uint16_t> scanned;
                for (const Leaf& leaf : leaves)
                    if (contains(leaf.box, point))
                        scanned.insert(leaf.faces.begin(), leaf.faces.end());
                const std::vector<std::uint16_t> walked = info::queryTree(record, point);
                EXPECT_EQ(walked, std::vector<std::uint16_t>(scanned.begin(), scanned.end()));
                EXPECT_TRUE(q % 2 != 0 || !walked.empty()) << "a point on a face finds it";
            }
        }
    }
}

} // namespace
} // namespace vx
