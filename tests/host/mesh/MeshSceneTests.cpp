// Meshes, normals, colours, shading, skinning and blind data read from small scenes written the
// way Maya writes them.
#include "tests/host/mesh/SceneFixture.h"

#include "tests/Shared/Base/TestLogCapture.h"

#include <vornexhost/Component.h>
#include <vornexhost/MaLoader.h>
#include <vornexhost/MeshGeometry.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ScriptEditor.h>

#include <maya/MDagPathArray.h>
#include <maya/MFileIO.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnSkinCluster.h>
#include <maya/MItGeometry.h>
#include <maya/MItMeshEdge.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>
#include <maya/MPlug.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace vornexhost::test {
namespace {

using MeshSceneTest = SceneTest;

std::vector<int> ints(const MIntArray& a) {
    return {a.begin(), a.end()};
}

TEST_F(MeshSceneTest, SkinWeightsComeBackAsStoredInEitherForm) {
    // A cylinder of two rings bound to two joints, weights stored in both forms Maya writes,
    // and a second, three-vertex shape to ask the same function set about. Bottom ring
    // (vertices 0-3) on the hip, top ring shared; vertex 5 has no knee weight.
    const std::vector<float> want = {1,     0,     1,    0, 1,    0,    1,    0,
                                     0.25f, 0.75f, 0.9f, 0, 0.5f, 0.5f, 0.5f, 0.5f};
    for (const char* file : {"skin_sparse_weights.ma", "skin_dense_weights.ma"}) {
        SCOPED_TRACE(file);
        resetScene();
        loadFile(file);
        EXPECT_TRUE(warnings.empty()) << warnings.front();
        MFnSkinCluster skin(objectOf(node("skinCluster1")));
        MDagPathArray influences;
        ASSERT_EQ(skin.influenceObjects(influences), 2u);
        EXPECT_STREQ(influences[0].partialPathName().asChar(), "hip");
        EXPECT_STREQ(influences[1].partialPathName().asChar(), "knee");
        EXPECT_EQ(skin.indexForInfluenceObject(influences[1]), 1u);

        // The shape's geometry flows from the cylinder creator through the deformers.
        const MDagPath shape = pathTo(node("legShape"));
        EXPECT_EQ(MFnMesh(shape).numVertices(), 8);
        // Vertex by vertex, as the reader asks: SkinReading.
        MFloatArray all;
        unsigned influenceCount = 0;
        ASSERT_TRUE(skin.getWeights(shape, MObject(), all, influenceCount));
        EXPECT_EQ(influenceCount, 2u);
        EXPECT_EQ(std::vector<float>(all.begin(), all.end()), want);

        // A vertex of the leg checks against whichever shape is asked about.
        MItGeometry legVertices(shape);
        for (int i = 0; i < 5; ++i)
            legVertices.next();
        MFloatArray w;
        EXPECT_FALSE(
            skin.getWeights(pathTo(node("triShape")), legVertices.component(), w, influenceCount));
        EXPECT_TRUE(skin.getWeights(shape, legVertices.component(), w, influenceCount));
    }
}

TEST_F(MeshSceneTest, FunctionSetsRefuseOtherNodesAndForeignInfluences) {
    loadFile("skin_no_weights.ma");
    MStatus status;
    MFnSkinCluster wrong(objectOf(node("tweak1")), &status);
    EXPECT_FALSE(status);
    MFnMesh notMesh(objectOf(node("skinCluster1")), &status);
    EXPECT_FALSE(status);
    EXPECT_EQ(notMesh.numVertices(&status), 0);
    EXPECT_FALSE(status);
    MItMeshPolygon noFaces(objectOf(node("skinCluster1")), &status);
    EXPECT_FALSE(status);
    EXPECT_TRUE(noFaces.isDone());
    MFnSkinCluster skin(objectOf(node("skinCluster1")));
    skin.indexForInfluenceObject(pathTo(node("leg")), &status);
    EXPECT_FALSE(status);
    // No weights stored: every influence weighs nothing.
    MFloatArray w;
    unsigned n = 0;
    ASSERT_TRUE(skin.getWeights(pathTo(node("legShape")), MObject(), w, n));
    EXPECT_EQ(w.length(), 16u);
    for (float x : w)
        EXPECT_EQ(x, 0.0f);
}

TEST_F(MeshSceneTest, BlindDataOfEveryFormatOnFacesAndVertices) {
    loadFile("blind_data.ma");
    MFnMesh mesh(pathTo(node("boxShape")));
    MIntArray ids;
    mesh.getBlindDataTypes(MFn::kMeshPolygonComponent, ids);
    EXPECT_EQ(ints(ids), std::vector<int>{1000});
    mesh.getBlindDataTypes(MFn::kMeshVertComponent, ids);
    EXPECT_EQ(ints(ids), std::vector<int>{2000});
    const MFn::Type face = MFn::kMeshPolygonComponent;
    EXPECT_TRUE(mesh.hasBlindData(2, face, 1000));
    EXPECT_FALSE(mesh.hasBlindData(3, face, 1000));
    // Integer, double and string values as the reader asks for them:
    // MeshAttributes.ColoursSplitByValueAndBlindDataReachPolygonsAndVertices.
    int surface = 0;
    double friction = 0;
    bool wet = false;
    ASSERT_TRUE(mesh.getBoolBlindData(2, face, 1000, "wet", wet));
    EXPECT_TRUE(wet);
    ASSERT_TRUE(mesh.getIntBlindData(4, face, 1000, "surface", surface));
    EXPECT_EQ(surface, -3);
    // Wrong format, missing face, unknown id and unknown attribute all fail.
    EXPECT_FALSE(mesh.getDoubleBlindData(2, face, 1000, "surface", friction));
    EXPECT_FALSE(mesh.getIntBlindData(3, face, 1000, "surface", surface));
    EXPECT_FALSE(mesh.getIntBlindData(2, face, 999, "surface", surface));
    EXPECT_FALSE(mesh.getIntBlindData(2, face, 1000, "depth", surface));

    EXPECT_TRUE(mesh.hasBlindData(6, MFn::kMeshVertComponent, 2000));
    EXPECT_FALSE(mesh.hasBlindData(5, MFn::kMeshVertComponent, 2000));
}

TEST_F(MeshSceneTest, CubeCreatorWithTweaksOnTheShape) {
    loadFile("cube_creator_tweaks.ma");
    MFnMesh mesh(pathTo(node("boxShape")));
    MPointArray points;
    mesh.getPoints(points);
    ASSERT_EQ(points.length(), 8u);
    EXPECT_EQ(points[0], MPoint(-1, -2, 3));
    EXPECT_EQ(points[2], MPoint(-1, 3, 3)); // 2 from the creator, 1 from the tweak
    EXPECT_EQ(points[7], MPoint(1, -2, -3));
    EXPECT_EQ(mesh.numUVs(), 14);
    float u = 0, v = 0;
    ASSERT_TRUE(mesh.getPolygonUV(4, 1, u, v));
    EXPECT_EQ(u, 0.875f);
    EXPECT_EQ(v, 0.0f);
    MIntArray vertices;
    mesh.getPolygonVertices(5, vertices);
    EXPECT_EQ(ints(vertices), (std::vector<int>{6, 0, 2, 4}));
    EXPECT_TRUE(warnings.empty());
}

TEST_F(MeshSceneTest, CreatorAxisTurnsThePrimitive) {
    loadFile("cube_creator_axis.ma");
    MPoint p;
    ASSERT_TRUE(MFnMesh(pathTo(node("boxShape"))).getPoint(0, p));
    // Height now runs along +x: the corner (-0.5, -1, 0.5) lies at (-1, 0.5, 0.5).
    EXPECT_NEAR(p.x, -1.0, 1e-12);
    EXPECT_NEAR(p.y, 0.5, 1e-12);
    EXPECT_NEAR(p.z, 0.5, 1e-12);
}

// Fails unless every edge has one or two faces and every face corner has a UV in every set;
// returns the number of border edges (those with one face).
std::uint32_t checkEdgesAndUvs(const MeshGeometry& mesh, const std::string& what) {
    std::uint32_t border = 0;
    for (std::uint32_t e = 0; e < mesh.edgeCount(); ++e) {
        const std::uint32_t faces = mesh.edgeFaceStart[e + 1] - mesh.edgeFaceStart[e];
        EXPECT_TRUE(faces == 1 || faces == 2) << what << " edge " << e << ": " << faces;
        border += faces == 1 ? 1u : 0u;
    }
    for (const MeshUvSet& set : mesh.uvSets)
        for (std::int32_t id : set.cornerUv) {
            EXPECT_GE(id, 0) << what;
            EXPECT_LT(std::size_t(id), set.u.size()) << what;
        }
    return border;
}

// The mean of a face's corners.
std::array<double, 3> faceCentre(const MeshGeometry& mesh, std::uint32_t f) {
    std::array<double, 3> centre{};
    for (std::uint32_t c = mesh.faceStart[f]; c < mesh.faceStart[f + 1]; ++c)
        for (std::size_t k = 0; k < 3; ++k)
            centre[k] += mesh.points[std::size_t(mesh.cornerVertex[c]) * 3 + k] / mesh.faceSize(f);
    return centre;
}

TEST_F(MeshSceneTest, DefaultPrimitivesHaveTheirCountsAndAreClosedWithOutwardNormals) {
    struct Case {
        const char* creator;
        bool caps;
        int vertices, faces, edges, normals, uvs;
        std::uint32_t border;
    };
    // The sphere is smooth: one normal per vertex, its poles' UVs split per segment; the
    // cylinder's rims are hard. With subdivided caps each cap is a fan of 20 triangles around
    // a centre vertex. The plane is a 10 x 10 grid with a 40-edge border.
    const Case cases[] = {
        {"polySphere", false, 382, 400, 780, 382, 439, 0},
        {"polyCylinder", false, 40, 22, 60, 80, -1, 0},
        {"polyCylinder", true, 42, 60, 100, -1, -1, 0},
        {"polyPlane", false, 121, 100, 220, -1, -1, 40},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.creator) + (c.caps ? " with caps" : "");
        resetScene();
        load(std::string("createNode transform -n \"p\";\ncreateNode mesh -n \"pShape\" -p "
                         "\"p\";\ncreateNode ") +
             c.creator + " -n \"make\";\n" + (c.caps ? "\tsetAttr \".sc\" 1;\n" : "") +
             "connectAttr \"make.out\" \"pShape.i\";\n");
        const MFnMesh fn(pathTo(node("pShape")));
        EXPECT_EQ((std::vector<int>{fn.numVertices(), fn.numPolygons(), fn.numEdges()}),
                  (std::vector<int>{c.vertices, c.faces, c.edges}))
            << what;
        if (c.normals >= 0) {
            EXPECT_EQ(fn.numNormals(), c.normals) << what;
        }
        if (c.uvs >= 0) {
            EXPECT_EQ(fn.numUVs(), c.uvs) << what;
        }
        if (&c == &cases[0]) { // the sphere starts on the ring nearest the bottom pole
            MPoint first;
            fn.getPoint(0, first);
            EXPECT_NEAR(first.x, 0.148778, 1e-6);
            EXPECT_NEAR(first.y, -0.987688, 1e-6);
            EXPECT_NEAR(first.z, -0.0483409, 1e-6);
        }
        const auto mesh = fn.geometry();
        ASSERT_TRUE(mesh) << what;
        EXPECT_EQ(checkEdgesAndUvs(*mesh, what), c.border);
        // Every face normal points away from the centre (up, for the plane).
        const bool plane = c.border != 0;
        for (std::uint32_t f = 0; f < mesh->faceCount(); ++f) {
            double n[3];
            faceNormal(*mesh, f, n);
            const auto centre = faceCentre(*mesh, f);
            EXPECT_GT(plane ? n[1] : n[0] * centre[0] + n[1] * centre[1] + n[2] * centre[2], 0.0)
                << what << " face " << f;
        }
    }
}

TEST_F(MeshSceneTest, UnevaluableHistoryWarnsOnceAndLeavesTheMeshEmpty) {
    loadFile("unevaluable_history.ma");
    MFnMesh mesh(pathTo(node("boxShape")));
    EXPECT_EQ(mesh.numVertices(), 0);
    MStringArray sets;
    mesh.getUVSetNames(sets);
    EXPECT_EQ(sets.length(), 1u); // an empty mesh still has its default UV set
    MFnMesh again(pathTo(node("boxShape")));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("<polySmoothFace1>"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("<boxShape>"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("Delete history"), std::string::npos) << warnings[0];
}

// Loading a scene file builds its meshes side by side; the reader then finds each one built,
// exactly as building it on request gives it, and hears its warnings only when it asks.
TEST_F(MeshSceneTest, MeshesBuiltAheadAreTheOnesBuiltOnRequestAndWarnOnlyWhenAskedFor) {
    struct Case {
        const char* file;
        std::vector<const char*> shapes;
        const char* warnsFor; // the shape whose evaluation warns
    };
    const std::vector<Case> cases = {
        {"signed_and_positive_edges.ma", {"signedShape", "positiveShape"}, "positiveShape"},
        {"unevaluable_history.ma", {"boxShape"}, "boxShape"},
        {"smooth_cubes.ma", {}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = VORNEX_TEST_DATA_DIR "/host/mesh/" + std::string(c.file);
        // Built on request, one after the other.
        loadFile(c.file);
        std::vector<Node*> shapes;
        for (const auto& n : activeScene().nodes())
            if (n->hasFn(MFn::kMesh))
                shapes.push_back(n.get());
        std::vector<std::shared_ptr<const MeshGeometry>> onRequest;
        for (Node* shape : shapes)
            onRequest.push_back(MFnMesh(pathTo(shape)).geometry());
        const std::vector<std::string> requestWarnings = warnings;
        warnings.clear();

        ASSERT_EQ(MFileIO::open(MString(path.c_str())), MStatus::kSuccess);
        EXPECT_TRUE(warnings.empty()) << warnings.front();
        for (const char* name : c.shapes)
            EXPECT_TRUE(node(name)->evaluatedMesh.mesh) << name;
        std::vector<Node*> loaded;
        for (const auto& n : activeScene().nodes())
            if (n->hasFn(MFn::kMesh))
                loaded.push_back(n.get());
        ASSERT_EQ(loaded.size(), shapes.size());
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            const std::shared_ptr<const MeshGeometry> ahead = loaded[i]->evaluatedMesh.mesh;
            const auto asked = MFnMesh(pathTo(loaded[i])).geometry();
            EXPECT_EQ(asked, ahead) << loaded[i]->name() << " was built again";
            ASSERT_TRUE(asked && onRequest[i]);
            EXPECT_EQ(asked->points, onRequest[i]->points);
            EXPECT_EQ(asked->cornerVertex, onRequest[i]->cornerVertex);
            EXPECT_EQ(asked->cornerNormal, onRequest[i]->cornerNormal);
            EXPECT_EQ(asked->normals, onRequest[i]->normals);
            EXPECT_EQ(asked->vertexFaces, onRequest[i]->vertexFaces);
            EXPECT_EQ(asked->edgeFaces, onRequest[i]->edgeFaces);
            if (c.warnsFor && loaded[i]->name() == c.warnsFor) {
                ASSERT_EQ(warnings.size(), 1u);
                EXPECT_NE(warnings[0].find(c.warnsFor), std::string::npos) << warnings[0];
            }
        }
        MFnMesh again(pathTo(loaded.back()));
        EXPECT_EQ(warnings, requestWarnings);
        warnings.clear();
        resetScene();
    }
}

TEST_F(MeshSceneTest, PositiveEdgeListsReadTheSameCornersAndNormalsAsSignedOnes) {
    // The unit cube twice: with signed edge lists, and with every face's edges written positive
    // as some other tools save them.
    loadFile("signed_and_positive_edges.ma");
    const auto expected = MFnMesh(pathTo(node("signedShape"))).geometry();
    const auto actual = MFnMesh(pathTo(node("positiveShape"))).geometry();
    ASSERT_TRUE(expected && actual);
    ASSERT_EQ(expected->faceCount(), 6u);
    EXPECT_EQ(actual->faceStart, expected->faceStart);
    EXPECT_EQ(actual->cornerVertex, expected->cornerVertex);
    EXPECT_EQ(actual->cornerEdge, expected->cornerEdge);
    EXPECT_EQ(actual->cornerPrevEdge, expected->cornerPrevEdge);
    ASSERT_EQ(actual->cornerNormal.size(), 24u);
    for (std::size_t c = 0; c < 24; ++c)
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_EQ(actual->normals[std::size_t(actual->cornerNormal[c]) * 3 + k],
                      expected->normals[std::size_t(expected->cornerNormal[c]) * 3 + k])
                << "corner " << c;
    MFnMesh again(pathTo(node("positiveShape")));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("<positiveShape>"), std::string::npos) << warnings[0];

    // Edges that do not close into a loop stay malformed, whatever their signs.
    warnings.clear();
    resetScene();
    loadFile("open_positive_edges.ma"); // the first face's "f 4 0 5 1 4" as "f 4 0 5 2 4"
    EXPECT_EQ(MFnMesh(pathTo(node("openShape"))).numPolygons(), 0);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("malformed"), std::string::npos) << warnings[0];
}

TEST_F(MeshSceneTest, FunctionSetsAndIteratorsShareOneEvaluationUntilTheSceneChanges) {
    loadFile("cube.ma");
    const MDagPath path = pathTo(node("boxShape"));
    const auto first = MFnMesh(path).geometry();
    EXPECT_EQ(MFnMesh(path).geometry(), first);
    MObject everything;
    MItMeshVertex vertices(path, everything);
    MPoint before = vertices.position();
    EXPECT_EQ(before, MPoint(-0.5, -0.5, 0.5));
    // A tweak is a change of the scene: the next evaluation sees it.
    MFnDependencyNode shape(path.node());
    MPlug tweak = shape.findPlug("pnts").elementByLogicalIndex(0).child(1);
    ASSERT_TRUE(tweak.setValue(2.0));
    const auto second = MFnMesh(path).geometry();
    EXPECT_NE(second, first);
    EXPECT_EQ(second->points[1], 1.5);
    EXPECT_EQ(first->points[1], -0.5); // the iterator's mesh is unchanged while it lives
    EXPECT_EQ(MFnMesh(path).geometry(), second);
}

TEST_F(MeshSceneTest, SubdividedCubeCoversTheBoxLatticeClosedAndOutward) {
    loadFile("subdivided_cube.ma");
    MFnMesh fn(pathTo(node("boxShape")));
    // Surface points of a 3 x 4 x 5 lattice: 60 less the 1 x 2 x 3 inside; faces 2(6 + 8 + 12).
    EXPECT_EQ(fn.numVertices(), 54);
    EXPECT_EQ(fn.numPolygons(), 52);
    EXPECT_EQ(fn.numEdges(), 54 + 52 - 2);
    const auto mesh = fn.geometry();
    ASSERT_TRUE(mesh);
    // Unit steps on every axis: the box runs -1..1, -1.5..1.5, -2..2.
    std::vector<std::array<double, 3>> lattice;
    for (int i = 0; i <= 2; ++i)
        for (int j = 0; j <= 3; ++j)
            for (int k = 0; k <= 4; ++k)
                if (i == 0 || i == 2 || j == 0 || j == 3 || k == 0 || k == 4)
                    lattice.push_back({i - 1.0, j - 1.5, k - 2.0});
    std::vector<std::array<double, 3>> points;
    for (std::size_t v = 0; v < mesh->vertexCount(); ++v)
        points.push_back({mesh->points[v * 3], mesh->points[v * 3 + 1], mesh->points[v * 3 + 2]});
    std::sort(lattice.begin(), lattice.end());
    std::sort(points.begin(), points.end());
    EXPECT_EQ(points, lattice);
    EXPECT_EQ(checkEdgesAndUvs(*mesh, "box"), 0u);
    for (std::uint32_t f = 0; f < mesh->faceCount(); ++f) {
        ASSERT_EQ(mesh->faceSize(f), 4u);
        double n[3];
        faceNormal(*mesh, f, n);
        const auto centre = faceCentre(*mesh, f);
        // Each face is one unit square on the box's surface, facing out.
        EXPECT_NEAR(n[0] * centre[0] + n[1] * centre[1] + n[2] * centre[2],
                    std::fabs(n[0]) > 0.5   ? 1.0
                    : std::fabs(n[1]) > 0.5 ? 1.5
                                            : 2.0,
                    1e-12)
            << "face " << f;
    }
    EXPECT_TRUE(warnings.empty());
}

TEST_F(MeshSceneTest, IteratorsWalkOnlyTheComponentsTheyAreGiven) {
    loadFile("cube.ma");
    const MDagPath path = pathTo(node("boxShape"));
    auto walked = [&](auto&& iterator) {
        std::vector<int> out;
        for (; !iterator.isDone(); iterator.next())
            out.push_back(iterator.index());
        iterator.reset();
        out.push_back(iterator.index());
        return out;
    };
    auto component = [](MFn::Type type, std::vector<int> indices) {
        return MObject(std::make_shared<Component>(type, std::move(indices)));
    };
    MObject faces = component(MFn::kMeshPolygonComponent, {4, 1, 9});
    MObject edges = component(MFn::kMeshEdgeComponent, {11, 0, -1});
    MObject vertices = component(MFn::kMeshVertComponent, {7, 3});
    EXPECT_EQ(walked(MItMeshPolygon(path, faces)), (std::vector<int>{4, 1, 4}));
    EXPECT_EQ(walked(MItMeshEdge(path, edges)), (std::vector<int>{11, 0, 11}));
    EXPECT_EQ(walked(MItMeshVertex(path, vertices)), (std::vector<int>{7, 3, 7}));
    // A component of another kind, or none, walks everything.
    EXPECT_EQ(walked(MItMeshEdge(path, faces)).size(), 13u);
    MObject none;
    EXPECT_EQ(walked(MItMeshPolygon(path, none)).size(), 7u);
    // Geometry asked of the walked face is the face's own.
    MItMeshPolygon face(path, faces);
    MIntArray faceEdges;
    ASSERT_TRUE(face.getEdges(faceEdges));
    EXPECT_EQ(ints(faceEdges), (std::vector<int>{11, 9, 7, 5}));
}

using Triple = std::tuple<float, float, float>;

// The normal of every face corner, through the polygon iterator and the mesh's normal array.
std::vector<Triple> cornerNormals(const std::string& shape, std::set<int>& ids) {
    MFnMesh mesh(pathTo(activeScene().findNode(shape)));
    MFloatVectorArray normals;
    EXPECT_TRUE(mesh.getNormals(normals));
    std::vector<Triple> out;
    for (MItMeshPolygon face(pathTo(activeScene().findNode(shape))); !face.isDone(); face.next())
        for (unsigned k = 0; k < face.polygonVertexCount(); ++k) {
            const int id = face.normalIndex(static_cast<int>(k));
            const MFloatVector& n = normals[static_cast<unsigned>(id)];
            ids.insert(id);
            out.emplace_back(n.x, n.y, n.z);
        }
    return out;
}

bool near(const Triple& a, const Triple& b) {
    return std::fabs(std::get<0>(a) - std::get<0>(b)) < 1e-6f &&
           std::fabs(std::get<1>(a) - std::get<1>(b)) < 1e-6f &&
           std::fabs(std::get<2>(a) - std::get<2>(b)) < 1e-6f;
}

// A hard cube's normals: MeshReading.HardCubeSplitsEveryCornerIntoItsOwnVertexAndMirrorsX.
TEST_F(MeshSceneTest, SmoothCubeSharesOneUnitNormalPerVertexUnlessACornerIsLocked) {
    loadFile("smooth_cubes.ma");
    std::set<int> ids;
    const std::vector<Triple> normals = cornerNormals("cubeShape", ids);
    EXPECT_EQ(ids.size(), 8u);
    for (const auto& [x, y, z] : normals)
        EXPECT_NEAR(std::sqrt(x * x + y * y + z * z), 1.0f, 1e-6f);
    // Corner 0 is vertex 0 at (-x, -y, +z): its normal points out along the diagonal.
    const float d = 1.0f / std::sqrt(3.0f);
    EXPECT_TRUE(near(normals[0], {-d, -d, d}));
    // Locked along +z in the second cube; the placeholder written for the other corners leaves
    // them computed, and the locked corner leaves vertex 0's shared normal.
    ids.clear();
    const std::vector<Triple> locked = cornerNormals("lockedShape", ids);
    EXPECT_EQ(locked[0], Triple(0, 0, 1));
    EXPECT_EQ(ids.size(), 9u);
    EXPECT_TRUE(near(locked[23], {-d, d, -d})); // face 5 corner 3: vertex 4
}

TEST_F(MeshSceneTest, OneHardEdgeSplitsOnlyTheVerticesAtItsEnds) {
    loadFile("fold.ma"); // two quads folded along the hard edge 1-4; the border is smooth
    std::set<int> ids;
    cornerNormals("foldShape", ids);
    EXPECT_EQ(ids.size(), 8u); // 6 vertices, the two on the fold split in two
    MItMeshEdge edge(pathTo(node("foldShape")));
    int previous = 0;
    ASSERT_TRUE(edge.setIndex(5, previous));
    EXPECT_FALSE(edge.isSmooth());
    MIntArray faces;
    EXPECT_EQ(edge.getConnectedFaces(faces), 2);
    ASSERT_TRUE(edge.setIndex(0, previous));
    EXPECT_TRUE(edge.isSmooth());
    EXPECT_TRUE(edge.onBoundary());
}

TEST_F(MeshSceneTest, CountsPointsTweaksAndTwoUvSetsReadAsStored) {
    loadFile("cube_two_uv_sets.ma"); // vertex 3 tweaked by (0.25, 0, -1)
    MFnMesh mesh(pathTo(node("cubeShape")));
    EXPECT_EQ((std::vector<int>{mesh.numVertices(), mesh.numPolygons(), mesh.numEdges(),
                                mesh.numFaceVertices(), mesh.numUVs()}),
              (std::vector<int>{8, 6, 12, 24, 14}));
    MPoint p;
    ASSERT_TRUE(mesh.getPoint(3, p));
    EXPECT_EQ(p, MPoint(0.75, 0.5, -0.5));
    EXPECT_FALSE(mesh.getPoint(8, p));
    int uv = -1;
    ASSERT_TRUE(mesh.getPolygonUVid(4, 1, uv));
    EXPECT_EQ(uv, 10);
    EXPECT_FALSE(mesh.getPolygonUVid(6, 0, uv));
    EXPECT_FALSE(mesh.getPolygonUVid(0, 4, uv));

    // The second set maps only the front face.
    MStringArray sets;
    mesh.getUVSetNames(sets);
    EXPECT_EQ(std::vector<MString>(sets.begin(), sets.end()),
              (std::vector<MString>{"map1", "lightmap"}));
    const MString lightmap("lightmap");
    EXPECT_EQ(mesh.numUVs(lightmap), 4);
    float u = 0, v = 0;
    ASSERT_TRUE(mesh.getPolygonUVid(0, 2, uv, &lightmap));
    ASSERT_TRUE(mesh.getPolygonUV(0, 2, u, v, &lightmap));
    EXPECT_EQ(std::tuple(uv, u, v), std::tuple(2, 1.0f, 1.0f));
    EXPECT_FALSE(mesh.getPolygonUVid(1, 0, uv, &lightmap));
    EXPECT_TRUE(mesh.getPolygonUVid(1, 0, uv));
    const MString missing("nothing");
    EXPECT_FALSE(mesh.getPolygonUVid(0, 0, uv, &missing));

    // Edges at a vertex come back in index order; a face numbers its own corners.
    MObject everything;
    MItMeshVertex vertex(pathTo(node("cubeShape")), everything);
    int previous = 0;
    ASSERT_TRUE(vertex.setIndex(7, previous));
    MIntArray edges;
    vertex.getConnectedEdges(edges);
    EXPECT_EQ(ints(edges), (std::vector<int>{3, 9, 11}));
    MItMeshPolygon face(pathTo(node("cubeShape")));
    ASSERT_TRUE(face.setIndex(4, previous));
    EXPECT_EQ(std::pair(face.getLocalVertexIndex(5), face.getLocalVertexIndex(0)),
              std::pair(2, -1));
}

TEST_F(MeshSceneTest, ColoursPerFaceCornerInBothStorages) {
    loadFile("colours.ma"); // face 0 coloured per corner, face 1 without colour
    for (const char* shape : {"setsShape", "oldShape"}) {
        SCOPED_TRACE(shape);
        MItMeshPolygon face(pathTo(node(shape)));
        EXPECT_TRUE(face.hasColor());
        MColor c1, c2, none;
        ASSERT_TRUE(face.getColor(c1, 1) && face.getColor(c2, 2));
        EXPECT_EQ(std::tuple(c1, c2), std::tuple(MColor(0, 1, 0, 0.5f), MColor(0, 0, 1, 1)));
        face.next();
        EXPECT_FALSE(face.hasColor());
        EXPECT_FALSE(face.getColor(none, 0));
    }
}

TEST_F(MeshSceneTest, IndicesBeyondTheMeshAreRejected) {
    loadFile("indices_beyond.ma");
    EXPECT_EQ(MFnMesh(pathTo(node("cubeShape"))).numPolygons(), 0);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("edge 39"), std::string::npos) << warnings[0];
    // One point stored at a huge index is not stretched into millions of vertices.
    EXPECT_EQ(MFnMesh(pathTo(node("sparseShape"))).numVertices(), 0);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[1].find("<sparseShape>"), std::string::npos) << warnings[1];
}

} // namespace
} // namespace vornexhost::test
