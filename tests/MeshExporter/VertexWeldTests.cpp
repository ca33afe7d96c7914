// Welding a material group whose corners are numbers into shared vertices: the same result as
// welding a whole copy of the vertex per corner, and lightmap places that split shared vertices
// only where the corners' places differ.
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/LightmapUvStep.h"
#include "MeshExporter/VertexWeld.h"
#include "Shared/Graphics/Scene/OwnedNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "tests/MeshExporter/WholeCorners.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>

namespace vx {
namespace {

ExportVertex vertex(float x, float u, const SceneNode* source) {
    ExportVertex v;
    v.position = Vector3(x, 0.0f, 0.0f);
    v.uvs[0] = {u, 0.0f};
    v.sourceNode = source;
    return v;
}

bool sameBytes(const ExportVertex& a, const ExportVertex& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

ExportVertexList wholeCorners(const ExportVertexList& vertices,
                              const std::vector<std::uint32_t>& corners) {
    ExportVertexList out;
    for (std::uint32_t c : corners)
        out.push_back(vertices[c]);
    return out;
}

TEST(VertexWeld, NumberedCornersWeldByTheirFieldsInOrderOfFirstUse) {
    const auto ownedA = makeNode<UtilTransformNode>();
    const auto ownedB = makeNode<UtilTransformNode>();
    const SceneNode& meshA = *ownedA;
    const SceneNode& meshB = *ownedB;
    // Equal fields from two meshes, a texture coordinate of -0 against +0 (other bits), and a
    // vertex no corner uses.
    const ExportVertexList vertices = {vertex(1, 0.0f, &meshA), vertex(1, 0.0f, &meshB),
                                       vertex(1, -0.0f, &meshA), vertex(5, 0.5f, &meshA)};
    const std::vector<std::uint32_t> corners = {1, 2, 0, 0, 2, 1};
    const WeldedCorners welded = weldCorners(vertices, corners);
    // A welded vertex is the vertex of the corner that used it first, with its source node.
    EXPECT_EQ(welded.vertices, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(welded.indices, (std::vector<std::uint32_t>{0, 1, 0, 0, 1, 0}));

    // Random groups with many shared and many equal vertices: numbered corners weld bit for bit
    // as their whole copies do.
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        ExportVertexList shared;
        for (int v = 0; v < 40; ++v)
            shared.push_back(vertex(static_cast<float>(random() % 6),
                                    static_cast<float>(random() % 3) * 0.25f,
                                    random() % 2 ? &meshA : &meshB));
        std::vector<std::uint32_t> numbered(90);
        for (std::uint32_t& c : numbered)
            c = static_cast<std::uint32_t>(random() % shared.size());
        const WeldedCorners fromNumbers = weldCorners(shared, numbered);
        const test::WeldedCopies fromCopies =
            test::weldWholeCorners(wholeCorners(shared, numbered));
        ASSERT_EQ(fromNumbers.indices, fromCopies.indices) << "round " << round;
        ASSERT_EQ(fromNumbers.vertices.size(), fromCopies.vertices.size()) << "round " << round;
        for (std::size_t v = 0; v < fromCopies.vertices.size(); ++v)
            EXPECT_TRUE(sameBytes(shared[fromNumbers.vertices[v]], fromCopies.vertices[v]))
                << "round " << round << " vertex " << v;
        EXPECT_LT(fromCopies.vertices.size(), shared.size()) << "the rounds must weld";
    }
}

TEST(VertexWeld, LightmapPlacesSplitSharedVerticesOnlyWhereTheyDiffer) {
    // A quad of two triangles on the floor and a wall triangle on one of its edges: the floor
    // shares vertices 0 and 2 between its triangles, the wall shares 1 and 2 with the floor but
    // lies in another chart. The same triangles with a vertex per corner must come out alike.
    // A last corner short of a triangle gets no place: it keeps its vertex as it was, although
    // the vertex's first corner placed it.
    MaterialTriangles shared{"floor", nullptr, {}, {0, 1, 2, 0, 2, 3, 1, 4, 2, 0}};
    const Vector3 up(0, 1, 0);
    const Vector3 side(0, 0, 1);
    const std::vector<Vector3> positions = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {1, 1, 0}};
    for (std::size_t v = 0; v < positions.size(); ++v) {
        ExportVertex e;
        e.position = positions[v];
        e.normal = v == 4 ? side : up;
        e.uvs[0] = {positions[v].x, positions[v].z};
        shared.vertices.push_back(e);
    }
    MaterialTriangles perCorner{
        "floor", nullptr, wholeCorners(shared.vertices, shared.corners), {}};
    for (std::uint32_t c = 0; c < perCorner.vertices.size(); ++c)
        perCorner.corners.push_back(c);

    test::TempDir dir;
    std::filesystem::create_directories(dir.file("rawdata/meshes"));
    std::vector<MaterialTriangles> numbered = {shared};
    std::vector<MaterialTriangles> copies = {perCorner};
    std::uint32_t numberedSets = 1;
    std::uint32_t copiedSets = 1;
    exportErrorList().clear();
    // The mapper leaves its debug pictures in the working folder.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const bool numberedMapped =
        createLightmapUvs(numbered, numberedSets, 64, 0, 0, dir.file("rawdata/a.staticMesh"));
    const bool copiesMapped =
        createLightmapUvs(copies, copiedSets, 64, 0, 0, dir.file("rawdata/b.staticMesh"));
    std::filesystem::current_path(before);
    ASSERT_TRUE(numberedMapped && copiesMapped);
    EXPECT_TRUE(exportErrorList().empty()) << exportErrorList().entries()[0];
    EXPECT_EQ(numberedSets, 2u);
    const MaterialTriangles& n = numbered[0];
    const MaterialTriangles& p = copies[0];
    ASSERT_EQ(n.corners.size(), p.corners.size());
    for (std::size_t c = 0; c < n.corners.size(); ++c)
        EXPECT_TRUE(sameBytes(n.corner(c), p.corner(c))) << "corner " << c;
    // Corners that shared a vertex and got one place still share it; the wall's corners on the
    // floor's edge got places of their own.
    EXPECT_EQ(n.corners[0], n.corners[3]);
    EXPECT_EQ(n.corners[2], n.corners[4]);
    EXPECT_NE(n.corners[6], n.corners[1]);
    EXPECT_NE(n.corners[8], n.corners[2]);
    EXPECT_NE(n.corners[9], n.corners[0]);
    EXPECT_LT(n.vertices.size(), n.corners.size());
}

} // namespace
} // namespace vx
