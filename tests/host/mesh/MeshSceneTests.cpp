// Meshes, shading, skinning and blind data read from small scenes written the way Maya writes
// them.
#include "tests/host/mesh/SceneFixture.h"

#include "tests/Shared/Base/TestLogCapture.h"

#include <vornexhost/Component.h>
#include <vornexhost/MaLoader.h>
#include <vornexhost/MeshGeometry.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ScriptEditor.h>

#include <maya/MDagPathArray.h>
#include <maya/MFloatArray.h>
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
#include <string>
#include <vector>

namespace vornexhost::test {
namespace {

class MeshSceneTest : public SceneTest {
protected:
    void load(const std::string& text) {
        const MaLoadResult result = loadMayaAscii(activeScene(), "fixture.ma", text);
        ASSERT_TRUE(result.ok) << result.error;
        for (const std::string& w : result.warnings)
            ADD_FAILURE() << "loader warning: " << w;
    }
    void loadFile(const std::string& name) {
        load(vx::test::readWholeFile(VORNEX_TEST_DATA_DIR "/host/mesh/" + name));
    }
    static Node* node(const std::string& name) {
        Node* n = activeScene().findNode(name);
        EXPECT_NE(n, nullptr) << name;
        return n;
    }
};

std::vector<std::string> names(const MObjectArray& objects) {
    std::vector<std::string> out;
    for (const MObject& o : objects)
        out.emplace_back(MFnDependencyNode(o).name().asChar());
    return out;
}

std::vector<int> ints(const MIntArray& a) {
    return {a.begin(), a.end()};
}

TEST_F(MeshSceneTest, ShadersPerInstanceWholeOrPerFaceThroughObjectGroups) {
    // Faces an object group does not list have no shader (-1).
    // A unit cube "|a|boxShape" and two lamberts feeding redSG and blueSG: shaded through two
    // object groups; as two instances, each whole; as two instances, the second through groups.
    struct Case {
        const char* file;
        std::vector<std::vector<std::string>> engines; // per instance
        std::vector<std::vector<int>> indices;
    };
    const Case cases[] = {
        {"shaders_object_groups.ma", {{"redSG", "blueSG"}}, {{0, -1, 0, 0, -1, 1}}},
        {"shaders_per_instance.ma",
         {{"redSG"}, {"blueSG"}},
         {std::vector<int>(6, 0), std::vector<int>(6, 0)}},
        {"shaders_per_instance_object_groups.ma",
         {{"redSG"}, {"blueSG", "redSG"}},
         {{0, 0, 0, 0, 0, 0}, {0, 0, 0, 1, 1, 1}}},
    };
    for (unsigned k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        resetScene();
        loadFile(c.file);
        // The function set answers for any instance, whichever path it was made from.
        MFnMesh mesh(pathTo(node("|a|boxShape"), k == 2 ? 1u : 0u));
        MObjectArray shaders;
        MIntArray indices;
        for (unsigned instance = 0; instance < c.engines.size(); ++instance) {
            ASSERT_TRUE(mesh.getConnectedShaders(instance, shaders, indices)) << k;
            EXPECT_EQ(names(shaders), c.engines[instance]) << k << " instance " << instance;
            EXPECT_EQ(ints(indices), c.indices[instance]) << k << " instance " << instance;
        }
        EXPECT_FALSE(
            mesh.getConnectedShaders(static_cast<unsigned>(c.engines.size()), shaders, indices))
            << k;
    }
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

TEST_F(MeshSceneTest, SkinFunctionSetRefusesOtherNodesAndForeignInfluences) {
    loadFile("skin_no_weights.ma");
    MStatus status;
    MFnSkinCluster wrong(objectOf(node("tweak1")), &status);
    EXPECT_FALSE(status);
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
    MStringArray longNames, shortNames, formats;
    ASSERT_TRUE(mesh.getBlindDataAttrNames(1000, longNames, shortNames, formats));
    std::vector<std::string> described;
    for (unsigned i = 0; i < longNames.length(); ++i)
        described.push_back(longNames[i].str() + "/" + shortNames[i].str() + ":" +
                            formats[i].str());
    EXPECT_EQ(described, (std::vector<std::string>{"surface/surf:int", "friction/fric:double",
                                                   "wet/wet:boolean", "tag/tag:string"}));

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

} // namespace
} // namespace vornexhost::test
