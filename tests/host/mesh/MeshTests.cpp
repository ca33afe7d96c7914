#include "tests/host/mesh/SceneFixture.h"

#include <vornexhost/MeshGeometry.h>
#include <vornexhost/ScriptEditor.h>

#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MItMeshEdge.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace vornexhost::test {
namespace {

using MeshTest = SceneTest;

using Triple = std::tuple<float, float, float>;

// The normal of every face corner, through the polygon iterator and the mesh's normal array.
std::vector<Triple> cornerNormals(Node* shape, std::set<int>* ids = nullptr) {
    MFnMesh mesh(objectOf(shape));
    MFloatVectorArray normals;
    EXPECT_TRUE(mesh.getNormals(normals));
    std::vector<Triple> out;
    for (MItMeshPolygon face(objectOf(shape)); !face.isDone(); face.next())
        for (unsigned k = 0; k < face.polygonVertexCount(); ++k) {
            const int id = face.normalIndex(static_cast<int>(k));
            const MFloatVector& n = normals[static_cast<unsigned>(id)];
            if (ids)
                ids->insert(id);
            out.emplace_back(n.x, n.y, n.z);
        }
    return out;
}

// A hard cube's normals: MeshReading.HardCubeSplitsEveryCornerIntoItsOwnVertexAndMirrorsX.
TEST_F(MeshTest, SmoothCubeSharesOneUnitNormalPerVertex) {
    Node* shape = createCube("cube", true);
    std::set<int> ids;
    cornerNormals(shape, &ids);
    EXPECT_EQ(ids.size(), 8u);
    MFnMesh mesh(objectOf(shape));
    MFloatVectorArray normals;
    mesh.getNormals(normals);
    ASSERT_EQ(normals.length(), 8u);
    for (const MFloatVector& n : normals)
        EXPECT_NEAR(n.length(), 1.0f, 1e-6f);
    // Vertex 0 sits at (-x, -y, +z): its normal points out along the diagonal.
    MItMeshPolygon face(objectOf(shape));
    const MFloatVector& n0 = normals[static_cast<unsigned>(face.normalIndex(0))];
    const float d = 1.0f / std::sqrt(3.0f);
    EXPECT_NEAR(n0.x, -d, 1e-6f);
    EXPECT_NEAR(n0.y, -d, 1e-6f);
    EXPECT_NEAR(n0.z, d, 1e-6f);
}

TEST_F(MeshTest, OneHardEdgeSplitsOnlyTheVerticesAtItsEnds) {
    // Two quads folded along a shared edge 1-4; the fold edge is hard, the border smooth.
    Node* shape = createNode("mesh", "foldShape", createNode("transform", "fold"));
    setPoints(shape, {0, 0, 0, 1, 0, 0, 2, 0, 1, 0, 1, 0, 1, 1, 0, 2, 1, 1});
    setEdges(shape, {0, 1, 1, 1, 2, 1, 3, 4, 1, 4, 5, 1, 0, 3, 1, 1, 4, 0, 2, 5, 1});
    setFaces(shape, {{{0, 5, -3, -5}, {}, {}}, {{1, 6, -4, -6}, {}, {}}});
    std::set<int> ids;
    cornerNormals(shape, &ids);
    EXPECT_EQ(ids.size(), 8u); // 6 vertices, the two on the fold split in two

    MItMeshEdge edge(objectOf(shape));
    int previous = 0;
    ASSERT_TRUE(edge.setIndex(5, previous));
    EXPECT_FALSE(edge.isSmooth());
    MIntArray faces;
    EXPECT_EQ(edge.getConnectedFaces(faces), 2);
    ASSERT_TRUE(edge.setIndex(0, previous));
    EXPECT_TRUE(edge.isSmooth());
    EXPECT_TRUE(edge.onBoundary());
}

TEST_F(MeshTest, ReadsCountsPointsTweaksAndUvsAsStored) {
    Node* shape = createCube("cube", false);
    setNumber(shape, "pt[3].px", 0.25);
    setNumber(shape, "pt[3].pz", -1.0);
    MFnMesh mesh(objectOf(shape));
    EXPECT_EQ(mesh.numVertices(), 8);
    EXPECT_EQ(mesh.numPolygons(), 6);
    EXPECT_EQ(mesh.numEdges(), 12);
    EXPECT_EQ(mesh.numFaceVertices(), 24);
    EXPECT_EQ(mesh.numUVs(), 14);
    MPoint p;
    ASSERT_TRUE(mesh.getPoint(3, p));
    EXPECT_EQ(p, MPoint(0.75, 0.5, -0.5));
    EXPECT_FALSE(mesh.getPoint(8, p));

    // Corner vertices and UVs by face: MeshSceneTest.CubeCreatorWithTweaksOnTheShape.
    int uv = -1;
    ASSERT_TRUE(mesh.getPolygonUVid(4, 1, uv));
    EXPECT_EQ(uv, 10);
    EXPECT_FALSE(mesh.getPolygonUVid(6, 0, uv));
    EXPECT_FALSE(mesh.getPolygonUVid(0, 4, uv));

    // Edges at a vertex come back in index order; a face numbers its own corners.
    MItMeshVertex it(objectOf(shape));
    int previous = 0;
    ASSERT_TRUE(it.setIndex(7, previous));
    MIntArray edges;
    it.getConnectedEdges(edges);
    EXPECT_EQ(std::vector<int>(edges.begin(), edges.end()), (std::vector<int>{3, 9, 11}));
    MItMeshPolygon face(objectOf(shape));
    ASSERT_TRUE(face.setIndex(4, previous));
    EXPECT_EQ(face.getLocalVertexIndex(5), 2);
    EXPECT_EQ(face.getLocalVertexIndex(0), -1);
}

TEST_F(MeshTest, TwoUvSetsAreReadByName) {
    Node* shape = createCube("cube", false);
    // A second set mapping only the front face.
    setUvSet(shape, 1, "lightmap", {0, 0, 1, 0, 1, 1, 0, 1});
    std::vector<FaceSpec> faces = cubeFaces();
    faces[0].uvs.push_back({1, {0, 1, 2, 3}});
    setFaces(shape, faces);
    MFnMesh mesh(objectOf(shape));
    MStringArray names;
    mesh.getUVSetNames(names);
    ASSERT_EQ(names.length(), 2u);
    EXPECT_EQ(names[0], "map1");
    EXPECT_EQ(names[1], "lightmap");
    const MString lightmap("lightmap");
    EXPECT_EQ(mesh.numUVs(lightmap), 4);
    int uv = -1;
    ASSERT_TRUE(mesh.getPolygonUVid(0, 2, uv, &lightmap));
    EXPECT_EQ(uv, 2);
    float u = 0, v = 0;
    ASSERT_TRUE(mesh.getPolygonUV(0, 2, u, v, &lightmap));
    EXPECT_EQ(u, 1.0f);
    EXPECT_EQ(v, 1.0f);
    // Faces the second set does not map have no UV there; the first set still answers.
    EXPECT_FALSE(mesh.getPolygonUVid(1, 0, uv, &lightmap));
    EXPECT_TRUE(mesh.getPolygonUVid(1, 0, uv));
    const MString missing("nothing");
    EXPECT_FALSE(mesh.getPolygonUVid(0, 0, uv, &missing));
}

TEST_F(MeshTest, ColoursPerFaceCornerInBothStorages) {
    for (const bool newStorage : {true, false}) {
        resetScene();
        Node* shape = createCube("cube", false);
        const std::vector<float> colours = {1, 0, 0, 1, 0, 1, 0, 0.5f, 0, 0, 1, 1};
        for (std::size_t i = 0; i < colours.size() / 4; ++i) {
            const char* names[4] = {"r", "g", "b", "a"};
            for (std::size_t k = 0; k < 4; ++k) {
                const std::string at =
                    newStorage ? "clst[0].clsp[" + std::to_string(i) + "].clp" + names[k]
                               : "clr[" + std::to_string(i) + "].clr" + names[k];
                setNumber(shape, at, double(colours[i * 4 + k]));
            }
        }
        if (newStorage)
            setText(shape, "clst[0].clsn", "colorSet1");
        // Face 0 coloured per corner, face 1 without colour.
        std::vector<FaceSpec> faces = cubeFaces();
        faces[0].colors.push_back({0, {0, 1, 2, 1}});
        setFaces(shape, faces);
        MItMeshPolygon face(objectOf(shape));
        EXPECT_TRUE(face.hasColor());
        MColor c;
        ASSERT_TRUE(face.getColor(c, 1));
        EXPECT_EQ(c, MColor(0, 1, 0, 0.5f));
        ASSERT_TRUE(face.getColor(c, 2));
        EXPECT_EQ(c, MColor(0, 0, 1, 1));
        face.next();
        EXPECT_FALSE(face.hasColor());
        EXPECT_FALSE(face.getColor(c, 0));
    }
}

TEST_F(MeshTest, LockedUserNormalsWinOverComputedOnes) {
    Node* shape = createCube("cube", true);
    // Corner 0 (vertex 0 on the front face) is locked pointing along +z; the placeholder
    // written for the other corners leaves them computed.
    for (int c = 0; c < 24; ++c) {
        const double value = c == 0 ? 0.0 : 1e20;
        const std::string at = "n[" + std::to_string(c) + "].";
        setNumber(shape, at + "nx", value);
        setNumber(shape, at + "ny", value);
        setNumber(shape, at + "nz", c == 0 ? 2.0 : 1e20);
    }
    std::set<int> ids;
    const std::vector<Triple> normals = cornerNormals(shape, &ids);
    EXPECT_EQ(normals[0], Triple(0, 0, 1));
    EXPECT_EQ(ids.size(), 9u); // the locked corner leaves vertex 0's shared normal
    const float d = 1.0f / std::sqrt(3.0f);
    EXPECT_NEAR(std::get<0>(normals[23]), -d, 1e-6f); // face 5 corner 3: vertex 4 (-x, +y, -z)
}

TEST_F(MeshTest, IndicesBeyondTheMeshAreRejected) {
    Node* shape = createCube("cube", false);
    setFaces(shape, {{{0, 5, -2, -40}, {}, {}}});
    EXPECT_EQ(MFnMesh(objectOf(shape)).numPolygons(), 0);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("edge 39"), std::string::npos) << warnings[0];

    // One point stored at a huge index is not stretched into millions of vertices.
    Node* sparse = createCube("sparse", false);
    setNumber(sparse, "vt[50000000].vx", 1.0);
    EXPECT_EQ(MFnMesh(objectOf(sparse)).numVertices(), 0);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[1].find("<sparseShape>"), std::string::npos) << warnings[1];
}

TEST_F(MeshTest, FunctionSetsRefuseOtherNodes) {
    Node* xf = createNode("transform", "t");
    MStatus status;
    MFnMesh mesh(objectOf(xf), &status);
    EXPECT_FALSE(status);
    EXPECT_EQ(mesh.numVertices(&status), 0);
    EXPECT_FALSE(status);
    MItMeshPolygon faces(objectOf(xf), &status);
    EXPECT_FALSE(status);
    EXPECT_TRUE(faces.isDone());
}

} // namespace
} // namespace vornexhost::test
