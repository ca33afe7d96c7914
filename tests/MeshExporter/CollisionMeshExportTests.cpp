// Collision meshes exported through the driver and read back with the strict reader of
// `vornex info`, and the mesh building on its own: welding, triangles only, material numbers.
#include "MeshExporter/CollisionMaterialList.h"
#include "MeshExporter/CollisionMeshDataExporter.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/FaceAdjacency.h"
#include "MeshExporter/MeshExporter.h"
#include "Shared/Graphics/Scene/Material.h"
#include "tests/MeshExporter/ExportRun.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vx {
namespace {

using test::buildMesh;
using test::cgfxMaterial;
using test::ExportSceneBuilder;
using test::MeshDraft;

// An axis-aligned box of twelve triangles from `low` to `high`, in one material.
MeshDraft boxDraft(const Vector3& low, const Vector3& high, const std::shared_ptr<Material>& m) {
    MeshDraft draft;
    for (int i = 0; i < 8; ++i)
        draft.positions.emplace_back((i & 1) ? high.x : low.x, (i & 2) ? high.y : low.y,
                                     (i & 4) ? high.z : low.z);
    draft.polygons = {{0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
                      {2, 6, 7}, {2, 7, 3}, {0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5}};
    draft.groupOfPolygon.assign(draft.polygons.size(), 0);
    draft.groups = {m};
    return draft;
}

std::shared_ptr<Material> plainMaterial(const std::string& name) {
    return std::make_shared<Material>(name);
}

// lod0 holding "body" (a visible box) with "nonvis" below it, and "door" without collision
// before it, so the body's collision lands in the second slot.
void bunker(ExportSceneBuilder& b, std::initializer_list<std::pair<std::string, Vector3>> cols) {
    const auto concrete =
        cgfxMaterial("concrete", "StaticMesh.fx", "Base", {"bunker/concrete.dds", ""});
    b.transform("geom0", "root_staticMesh");
    b.transform("geom0_NoLightmap", "geom0");
    b.transform("lod0", "geom0");
    b.transform("door", "lod0");
    b.mesh("doorShape", "door",
           buildMesh("doorShape", boxDraft({0, 0, 0}, {1, 2, 0.1f}, concrete)));
    b.transform("body", "lod0");
    b.mesh("bodyShape", "body", buildMesh("bodyShape", boxDraft({0, 0, 0}, {4, 3, 4}, concrete)));
    b.transform("nonvis", "body");
    for (const auto& [name, size] : cols) {
        b.transform(name, "nonvis");
        b.mesh(name + "Shape", name,
               buildMesh(name + "Shape", boxDraft({0, 0, 0}, size, plainMaterial(name + "_mat"))));
    }
}

struct Export : test::ExportRun {
    explicit Export(ExportSceneBuilder& b) : ExportRun(b, "bunker.staticMesh") {}
    info::CollisionMeshFileContents read() const {
        return test::readCollisionMeshBack(dir.file("meshes/bunker.collisionmesh"));
    }
};

TEST(CollisionMeshExport, Col0AndCol2WriteTwoMeshesInTheBodysSlot) {
    ExportSceneBuilder b;
    bunker(b, {{"col0", {4, 3, 4}}, {"col2", {2, 1, 2}}});
    Export e(b);
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    const info::CollisionMeshFileContents f = e.read();
    EXPECT_EQ(f.version, 10u);
    ASSERT_EQ(f.slots.size(), 2u);
    ASSERT_EQ(f.slots[0].size(), 1u);
    EXPECT_TRUE(f.slots[0][0].meshes.empty()); // the door: written as 0
    ASSERT_EQ(f.slots[1][0].meshes.size(), 2u);
    const info::CollisionMeshRecord& col0 = f.slots[1][0].meshes[0];
    const info::CollisionMeshRecord& col2 = f.slots[1][0].meshes[1];
    EXPECT_EQ(col0.number, 0u);
    EXPECT_EQ(col2.number, 2u);
    // Twelve triangles over eight welded corners; closed, so every edge has its neighbour.
    EXPECT_EQ(col0.faces.size(), 12u);
    EXPECT_EQ(col0.vertices.size(), 8u);
    EXPECT_EQ(col0.min, Vector3(0, 0, 0));
    EXPECT_EQ(col0.max, Vector3(4, 3, 4));
    EXPECT_EQ(col2.max, Vector3(2, 1, 2));
    EXPECT_TRUE(col0.hasTree);
    ASSERT_TRUE(col0.hasAdjacency);
    EXPECT_EQ(std::count(col0.neighbours.begin(), col0.neighbours.end(), kNoNeighbour), 0);
    // Materials numbered in the order met, per vertex the last face's.
    for (const CollisionFace& face : col0.faces)
        EXPECT_EQ(face.material, 0u);
    for (const CollisionFace& face : col2.faces)
        EXPECT_EQ(face.material, 1u);
    EXPECT_EQ(col2.vertexMaterials, std::vector<std::uint16_t>(8, 1));
    EXPECT_EQ(collisionMaterialList().names(), (std::vector<std::string>{"col0_mat", "col2_mat"}));
    EXPECT_EQ(std::count_if(exportedFileSet().paths().begin(), exportedFileSet().paths().end(),
                            [](const std::string& path) {
                                return path.ends_with("/meshes/bunker.collisionmesh");
                            }),
              1);
}

TEST(CollisionMeshExport, NumberingStartsAgainForTheNextExport) {
    ExportSceneBuilder first;
    bunker(first, {{"col0", {1, 1, 1}}});
    ASSERT_TRUE(Export(first).ok);
    ExportSceneBuilder second;
    bunker(second, {{"col1", {2, 2, 2}}});
    Export e(second);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(collisionMaterialList().names(), std::vector<std::string>{"col1_mat"});
    EXPECT_EQ(e.read().slots[1][0].meshes[0].faces[0].material, 0u);
}

TEST(CollisionMeshExport, FlatMeshHasNeitherTreeNorAdjacency) {
    ExportSceneBuilder b;
    bunker(b, {{"col0", {0.0004f, 0.0004f, 0.0f}}});
    test::LogCapture log;
    Export e(b);
    ASSERT_TRUE(e.ok);
    const info::CollisionMeshFileContents file = e.read();
    const info::CollisionMeshRecord& mesh = file.slots[1][0].meshes[0];
    EXPECT_FALSE(mesh.hasTree);
    EXPECT_FALSE(mesh.hasAdjacency);
    EXPECT_TRUE(log.contains("Bounding box is zero for collisionmesh"));
}

TEST(CollisionMeshBuild, CornersWeldWithinTheTolerance) {
    ExportSceneBuilder b;
    b.transform("col0", "root_staticMesh", test::translation(10, 0, 0));
    MeshDraft draft;
    // Two triangles whose shared corners are 5e-8 apart, and one corner 0.001 from another.
    draft.positions = {{0, 0, 0},     {1, 0, 0}, {0, 1, 0},     {5e-8f, 0, 0},
                       {0, 1, 5e-8f}, {1, 1, 0}, {1.001f, 0, 0}};
    draft.polygons = {{0, 1, 2}, {3, 4, 5}, {6, 5, 4}};
    draft.groupOfPolygon = {0, 0, 0};
    draft.groups = {plainMaterial("rock")};
    b.mesh("colShape", "col0", buildMesh("colShape", draft));
    collisionMaterialList().clear();
    CollisionMesh mesh;
    ASSERT_TRUE(buildCollisionMesh(*b.find("col0"), mesh));
    // Vertices 0 and 3 are one, 2 and 4 are one; 6 is its own; the transform moved them all.
    ASSERT_EQ(mesh.vertices.size(), 5u);
    EXPECT_EQ(mesh.vertices[0], Vector3(10, 0, 0));
    EXPECT_EQ(mesh.vertices[4].x, 1.001f + 10.0f);
    ASSERT_EQ(mesh.faces.size(), 3u);
    EXPECT_EQ(mesh.faces[1].corners[0], 0u);
    EXPECT_EQ(mesh.faces[1].corners[1], 2u);
    EXPECT_EQ(mesh.faces[1].corners[2], 3u);
    EXPECT_EQ(mesh.faces[2].corners[0], 4u);
}

TEST(FaceAdjacency, SharedEdgesPairAndOpenEdgesStayUnpaired) {
    // Two triangles sharing edge 1-2 (reversed in the second), plus a third on the same edge.
    std::vector<CollisionFace> faces(3);
    faces[0].corners[0] = 0, faces[0].corners[1] = 1, faces[0].corners[2] = 2;
    faces[1].corners[0] = 2, faces[1].corners[1] = 1, faces[1].corners[2] = 3;
    faces[2].corners[0] = 1, faces[2].corners[1] = 2, faces[2].corners[2] = 4;
    const std::vector<std::uint32_t> n = faceAdjacency(faces);
    // Edge 1-2 is edge 1 of face 0, edge 0 of face 1, edge 0 of face 2: sorted by edge index,
    // the first two pair and the third keeps no neighbour.
    const std::vector<std::uint32_t> expected = {
        kNoNeighbour, 1,           kNoNeighbour, 0, kNoNeighbour, kNoNeighbour, kNoNeighbour,
        kNoNeighbour, kNoNeighbour};
    EXPECT_EQ(n, expected);
}

} // namespace
} // namespace vx
