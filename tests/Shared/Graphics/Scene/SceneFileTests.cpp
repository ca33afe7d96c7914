// The scene graph file. Expected bytes of tiny cases, round trips of every kind,
// the older versions, and defensive reading (truncation, corruption, hostile links).
#include "Shared/Base/Assert.h"
#include "Shared/Base/Streams/Buffers/MemoryInBuffer.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/FileOutStream.h"
#include "Shared/Base/Streams/InStream.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Graphics/Scene/BaseSpline.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/PrimitiveBuffer.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/SceneOutline.h"
#include "Shared/Graphics/Scene/UtilBaseSplineNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLocatorNode.h"
#include "Shared/Graphics/Scene/UtilLodNode.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Shared/Graphics/Scene/SceneTestData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace vx {
namespace {

using test::Bytes;
using test::hex;

Bytes header(std::uint32_t version = 5) {
    return Bytes().i32(-1).u32(version);
}

// A RootNode "r" with one UtilMeshNode "m": mesh "mesh" over geometry "geo" with vertex
// buffer "vb" (one position, one vertex whose named-values index is 7 and blend-weight index
// 3) and no primitive buffer, one group "g" with material "mat" whose "color" is a colour.
std::string tinyMeshFile(std::uint32_t version) {
    Bytes vertex = Bytes().i32(0).i32(-1).i32(-1).i32(-1).u32(0);
    if (version >= 1)
        vertex.i32(7);
    if (version >= 5)
        vertex.i32(3);
    Bytes material = Bytes().counted("mat");
    if (version < 3) {
        material.u8(1).u8(2).f32(0.1f).f32(0.2f).f32(0.3f).f32(0.4f);
        for (int i = 1; i < 12; ++i)
            material.u8(0);
    } else {
        material.u8(1).counted("color").u8(2).f32(0.1f).f32(0.2f).f32(0.3f).f32(0.4f);
    }
    material.u8(1).u8(0).u32(0);
    // clang-format off
    return header(version)
        .u32(2).u32(1).term("RootNode").u32(2).term("UtilMeshNode")
        .u32(2)
        .u32(1).u32(1).term("r").u32(0).u32(1).u32(2)
        .u32(2).u32(2).term("m").u32(1).u32(1)
            .u32(0)                                   // influences
            .u8(1).u8(1).u32(0).counted("mesh")       // mesh, first appearance, number 0
                .u8(1).u8(1).u32(0).counted("geo")    // geometry
                    .u8(1).u8(1).u32(0).counted("vb") // vertex buffer
                        .u32(1).f32(1).f32(2).f32(3)  // positions
                        .u32(0).u32(0).u32(0)         // normals, diffuse, specular
                        .u32(1).raw(vertex.str())
                        .u32(0).u32(0).u32(0).u32(0)  // UV sets, texts, tables, skin weights
                    .u8(0)                            // no primitive buffer
                    .u32(0)                           // geometry named values
                .u32(1).counted("g").u8(1).u8(1).u32(0).raw(material.str())
                    .u32(0).u32(0)                    // group polygons, named values
                .u32(0)                               // mesh named values
            .u32(0)                                   // mesh node named values
        .str();
    // clang-format on
}

// The same scene built in memory.
void buildTinyMeshScene(Scene& scene) {
    auto* node = test::addNew<UtilMeshNode>(*test::setNewRoot(scene, "r"), "m");
    auto vb = std::make_shared<VertexBuffer>();
    vb->m_name = "vb";
    vb->m_positions = {{1, 2, 3}};
    Vertex v;
    v.setPosition(0);
    v.setNamedValues(7);
    v.setBlendWeight(3);
    vb->m_vertices = {v};
    auto geometry = std::make_shared<MeshGeometry>();
    geometry->m_name = "geo";
    geometry->m_vertexBuffer = vb;
    auto material = std::make_shared<Material>("mat");
    material->setChannel("color", std::make_unique<ColorValue>(0.1f, 0.2f, 0.3f, 0.4f));
    auto mesh = std::make_shared<MaterialGroupedMesh>();
    mesh->m_name = "mesh";
    mesh->m_geometry = geometry;
    mesh->m_groups.resize(1);
    mesh->m_groups[0].m_name = "g";
    mesh->m_groups[0].m_material = material;
    node->setMesh(mesh);
}

const UtilMeshNode& onlyMeshNode(const Scene& scene) {
    return dynamic_cast<const UtilMeshNode&>(*(*scene.getRoot()->children())[0]);
}

TEST(SceneFile, TinyMeshSceneBytesPinEveryFieldOrderAndWidth) {
    Scene scene;
    EXPECT_EQ(hex(test::writeToBytes(scene)), "ff ff ff ff 05 00 00 00"); // no root: no graph
    buildTinyMeshScene(scene);
    EXPECT_EQ(hex(test::writeToBytes(scene)), hex(tinyMeshFile(5)));
}

TEST(SceneFile, TransformWithMeshWritesThreeTypesInWalkOrder) {
    Scene scene;
    auto* transform = new UtilTransformNode();
    transform->setName("t");
    transform->m_matrix = Matrix({1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12});
    transform->m_rotatePivotTranslation = {13, 14, 15};
    transform->m_scalePivot = {16, 17, 18};
    transform->setBool("anim_export", true);
    scene.setRoot(transform); // wrapped in a new RootNode named ""
    test::addNew<UtilMeshNode>(*transform, "s");
    transform->release();
    // clang-format off
    Bytes expected = header()
        .u32(3).u32(1).term("RootNode").u32(2).term("UtilTransformNode").u32(3).term("UtilMeshNode")
        .u32(3)
        .u32(1).u32(1).term("").u32(0).u32(1).u32(2)
        .u32(2).u32(2).term("t").u32(1).u32(1).u32(1).u32(3);
    for (int i = 1; i <= 12; ++i)
        expected.f32(static_cast<float>(i));
    expected.u32(1).counted("anim_export").u8(2).u8(1);
    for (int i = 13; i <= 18; ++i)
        expected.f32(static_cast<float>(i));
    expected.u32(3).u32(3).term("s").u32(1).u32(2).u32(0).u8(0).u32(0);
    // clang-format on
    EXPECT_EQ(hex(test::writeToBytes(scene)), hex(expected.str()));
}

TEST(SceneFile, SplineNodeBytes) {
    Scene scene;
    auto* node = test::addNew<UtilBaseSplineNode>(*test::setNewRoot(scene), "c");
    auto spline = std::make_shared<BaseSpline>();
    spline->m_name = "s";
    spline->m_controlPoints = {{1, 2, 3}, {4, 5, 6}};
    spline->m_knots = {0, 1};
    spline->m_extraValue = 0xA5A5A5A5u;
    spline->m_namedValues.setFloat("zephSpeed", 2.5f);
    node->setSpline(spline);
    // clang-format off
    const Bytes expected = header()
        .u32(2).u32(1).term("RootNode").u32(2).term("UtilBaseSplineNode")
        .u32(2)
        .u32(1).u32(1).term("").u32(0).u32(1).u32(2)
        .u32(2).u32(2).term("c").u32(1).u32(1)
            .u32(0)                                         // influences
            .u8(1).u8(1).u32(0).counted("s")                // spline, first appearance, number 0
                .u32(2).f32(1).f32(2).f32(3).f32(4).f32(5).f32(6)
                .u32(2).f32(0).f32(1)
                .u32(0xA5A5A5A5u)
                .u8(0)                                      // no material
                .u32(1).counted("zephSpeed").u8(1).f32(2.5f)
            .u32(0);                                        // node named values
    // clang-format on
    // Read back: ReferenceSceneRoundTripsWithSharingKept.
    EXPECT_EQ(hex(test::writeToBytes(scene)), hex(expected.str()));
}

TEST(SceneFile, JointAndLodAndLocatorPayloadBytes) {
    Scene scene;
    auto* root = test::setNewRoot(scene);
    auto* joint = test::addNew<UtilJointNode>(*root, "j");
    joint->addKey(1.0f, {0.1f, 0.2f, 0.3f, 0.4f}, {5, 6, 7});
    joint->addKey(2.0f, {0.5f, 0.6f, 0.7f, 0.8f}, {8, 9, 10});
    auto* lod = test::addNew<UtilLodNode>(*root, "l");
    lod->m_thresholds = {10, 20, 30, 40}; // cut to the child count minus one
    for (const char* level : {"v0", "v1"})
        test::addNew<BranchNode>(*lod, level);
    test::addNew<UtilLocatorNode>(*root, "p")->m_position = {1, 2, 3};
    // clang-format off
    const Bytes expected = header()
        .u32(5).u32(1).term("RootNode").u32(2).term("UtilJointNode").u32(3).term("UtilLodNode")
            .u32(4).term("BranchNode").u32(5).term("UtilLocatorNode")
        .u32(6)
        .u32(1).u32(1).term("").u32(0).u32(3).u32(2).u32(3).u32(6)
        .u32(2).u32(2).term("j").u32(1).u32(1).u32(0)
            .u32(2).f32(0.1f).f32(0.2f).f32(0.3f).f32(0.4f).f32(0.5f).f32(0.6f).f32(0.7f).f32(0.8f)
            .f32(5).f32(6).f32(7).f32(8).f32(9).f32(10)
            .f32(1).f32(2)
            .u32(0)
        .u32(3).u32(3).term("l").u32(1).u32(1).u32(2).u32(4).u32(5)
            .u32(1).f32(10).u32(0)
        .u32(4).u32(4).term("v0").u32(1).u32(3).u32(0)
        .u32(4).u32(5).term("v1").u32(1).u32(3).u32(0)
        .u32(5).u32(6).term("p").u32(1).u32(1).u32(0).f32(1).f32(2).f32(3).u32(0);
    // clang-format on
    EXPECT_EQ(hex(test::writeToBytes(scene)), hex(expected.str()));
    EXPECT_EQ(lod->m_thresholds, std::vector<float>{10});

    lod->removeChild((*lod->children())[1]);
    lod->removeChild((*lod->children())[0]);
    test::writeToBytes(scene);
    EXPECT_TRUE(lod->m_thresholds.empty());
    lod->m_thresholds = {};
    for (int i = 0; i < 3; ++i)
        test::addNew<BranchNode>(*lod);
    test::writeToBytes(scene);
    EXPECT_EQ(lod->m_thresholds, (std::vector<float>{0, 0}));
}

TEST(SceneFile, SharedGeometryIsWrittenOnceThenReferenced) {
    Scene scene;
    auto* root = test::setNewRoot(scene);
    auto geometry = std::make_shared<MeshGeometry>();
    geometry->m_name = "g";
    for (const char* name : {"a", "b"}) {
        auto* node = test::addNew<UtilMeshNode>(*root, name);
        auto mesh = std::make_shared<MaterialGroupedMesh>();
        mesh->m_name = name;
        mesh->m_geometry = geometry;
        node->setMesh(mesh);
    }
    // clang-format off
    const Bytes expected = header()
        .u32(2).u32(1).term("RootNode").u32(2).term("UtilMeshNode")
        .u32(3)
        .u32(1).u32(1).term("").u32(0).u32(2).u32(2).u32(3)
        .u32(2).u32(2).term("a").u32(1).u32(1).u32(0)
            .u8(1).u8(1).u32(0).counted("a")
                .u8(1).u8(1).u32(0).counted("g").u8(0).u8(0).u32(0) // in full
                .u32(0).u32(0)
            .u32(0)
        .u32(2).u32(3).term("b").u32(1).u32(1).u32(0)
            .u8(1).u8(1).u32(1).counted("b")                        // second mesh object
                .u8(1).u8(0).u32(0)                                 // the geometry again
                .u32(0).u32(0)
            .u32(0);
    // clang-format on
    // The sharing read back: ReferenceSceneRoundTripsWithSharingKept.
    EXPECT_EQ(hex(test::writeToBytes(scene)), hex(expected.str()));
}

// Written again, a read file gives the same bytes: every field the file carries came back, and
// so did the sharing (a shared object split in two, or two merged, would be written otherwise).
TEST(SceneFile, ReferenceSceneRoundTripsWithSharingKept) {
    const auto before = SceneNode::liveCount();
    {
        Scene scene;
        test::buildReferenceScene(scene);
        const std::string bytes = test::writeToBytes(scene);
        Scene back;
        ASSERT_TRUE(test::readFromBytes(back, bytes)) << back.lastError();
        EXPECT_EQ(back.version(), 5u);
        EXPECT_EQ(hex(test::writeToBytes(back)), hex(bytes));

        // The shared mesh node has both parents, in their order.
        const SceneNode* instance = (*back.getRoot()->children()).back();
        const SceneNode* shape = (*instance->children())[0];
        EXPECT_EQ(shape->name(), "bodyShape");
        EXPECT_EQ(shape->parentCount(), 2u);
        EXPECT_EQ(shape->parents()[1], instance);
    }
    EXPECT_EQ(SceneNode::liveCount(), before);
}

TEST(SceneFile, OlderVersionsReadWithTheAbsentFieldsAsSpecified) {
    for (std::uint32_t version = 1; version <= 5; ++version) {
        SCOPED_TRACE(version);
        Scene scene;
        ASSERT_TRUE(test::readFromBytes(scene, tinyMeshFile(version))) << scene.lastError();
        EXPECT_EQ(scene.version(), version);
        const MaterialGroupedMesh& mesh = *onlyMeshNode(scene).mesh();
        const Vertex& v = mesh.m_geometry->m_vertexBuffer->m_vertices[0];
        EXPECT_EQ(v.getNamedValues(), 7);
        EXPECT_EQ(v.getBlendWeight(), version >= 5 ? 3 : -1);
        const Material& material = *mesh.m_groups[0].m_material;
        ASSERT_EQ(material.channels().size(), 1u);
        const auto* color = dynamic_cast<const ColorValue*>(material.getChannel("color"));
        ASSERT_NE(color, nullptr);
        EXPECT_EQ(color->m_rgba[3], 0.4f);
        // Written again, it is a current file that reads back to the same bytes.
        const std::string bytes = test::writeToBytes(scene);
        Scene current;
        ASSERT_TRUE(test::readFromBytes(current, bytes));
        EXPECT_EQ(current.version(), 5u);
        EXPECT_EQ(hex(test::writeToBytes(current)), hex(bytes));
    }
}

TEST(SceneFile, OldMaterialFormReadsChannelsByStandardPosition) {
    // Version 2: the bools of channels 4 (bumpmap) and 11 (reflectedColor) are set.
    std::string file = tinyMeshFile(2);
    const std::string oldMaterial =
        Bytes().counted("mat").u8(1).u8(2).f32(0.1f).f32(0.2f).f32(0.3f).f32(0.4f).str();
    Bytes replacement = Bytes().counted("mat").u8(0).u8(0).u8(0).u8(0);
    replacement.u8(1).u8(2).f32(1).f32(1).f32(1).f32(1);
    for (int i = 5; i < 11; ++i)
        replacement.u8(0);
    replacement.u8(1).u8(2).f32(0).f32(0).f32(0).f32(0);
    const auto at = file.find(oldMaterial);
    ASSERT_NE(at, std::string::npos);
    // The old material's 11 zero bools after the colour follow oldMaterial.
    file.replace(at, oldMaterial.size() + 11, replacement.str());
    Scene scene;
    ASSERT_TRUE(test::readFromBytes(scene, file)) << scene.lastError();
    const Material& material = *onlyMeshNode(scene).mesh()->m_groups[0].m_material;
    EXPECT_EQ(material.channels().size(), 2u);
    EXPECT_TRUE(material.getChannel("bumpmap") && material.getChannel("reflectedColor"));
    EXPECT_EQ(material.getChannel("color"), nullptr);
}

TEST(SceneFile, TerminatedTextsKeepAt255Characters) {
    Scene scene;
    test::setNewRoot(scene, std::string(300, 'x'));
    const std::string bytes = test::writeToBytes(scene);
    Scene back;
    ASSERT_TRUE(test::readFromBytes(back, bytes));
    EXPECT_EQ(back.getRoot()->name(), std::string(255, 'x'));
}

TEST(SceneFile, InfluencesUpTheGraphAreFreedAfterReading) {
    const auto before = SceneNode::liveCount();
    std::string bytes;
    {
        // A skinned mesh parented under its own joint, and one influenced by the root.
        Scene scene;
        auto* joint = new UtilJointNode();
        scene.setRoot(joint);
        joint->release();
        auto* mesh = test::addNew<UtilMeshNode>(*joint);
        mesh->addInfluenceObject(joint);
        mesh->addInfluenceObject(scene.getRoot());
        bytes = test::writeToBytes(scene);
    }
    EXPECT_EQ(SceneNode::liveCount(), before);
    {
        Scene back;
        ASSERT_TRUE(test::readFromBytes(back, bytes)) << back.lastError();
        const SceneNode* joint = (*back.getRoot()->children())[0];
        const auto& mesh = dynamic_cast<const UtilMeshNode&>(*(*joint->children())[0]);
        ASSERT_EQ(mesh.influenceCount(), 2u);
        EXPECT_EQ(std::make_tuple(mesh.influenceObject(0), mesh.influenceObject(1)),
                  std::make_tuple(joint, back.getRoot()));
    }
    EXPECT_EQ(SceneNode::liveCount(), before);
}

TEST(SceneFile, GraphsThatCannotBeWrittenReturnFalse) {
    test::LogCapture capture;
    {
        // An influence that is not part of the graph would be written as a dangling identifier.
        Scene scene;
        auto* mesh = test::addNew<UtilMeshNode>(*test::setNewRoot(scene));
        auto* outsider = new UtilJointNode();
        outsider->setName("outside");
        mesh->addInfluenceObject(outsider);
        outsider->release();
        StringOutBuffer buffer;
        OutStream out(&buffer);
        EXPECT_FALSE(scene.write(out));
        EXPECT_EQ(buffer.text().size(), 8u); // marker and version only
        EXPECT_NE(scene.lastError().find("influence 'outside'"), std::string::npos);
    }
    {
        // A joint whose key lists differ in length breaks an invariant: assertion, then false.
        Scene scene;
        auto* joint = new UtilJointNode();
        joint->m_timeIndices = {1.0f};
        scene.setRoot(joint);
        joint->release();
        StringOutBuffer buffer;
        OutStream out(&buffer);
        EXPECT_FALSE(scene.write(out));
        EXPECT_NE(test::LogCapture::debugText().find("m_rotations.size() == m_timeIndices.size()"),
                  std::string::npos);
        // The scene is still usable.
        joint->m_rotations.resize(1);
        joint->m_translations.resize(1);
        EXPECT_TRUE(scene.write(out));
    }
}

// --- Defensive reading ---------------------------------------------------------------------

struct BadFile {
    const char* what;
    std::string bytes;
    const char* message;
};

// Root "r" (id 1) of type 1 = RootNode, type 2 = BranchNode, children as given.
Bytes branchEntry(std::uint32_t type, std::uint32_t id, const char* name,
                  std::vector<std::uint32_t> parents, std::vector<std::uint32_t> children) {
    Bytes b = Bytes().u32(type).u32(id).term(name).u32(static_cast<std::uint32_t>(parents.size()));
    for (auto p : parents)
        b.u32(p);
    b.u32(static_cast<std::uint32_t>(children.size()));
    for (auto c : children)
        b.u32(c);
    return b;
}

std::string graphFile(std::vector<Bytes> entries) {
    Bytes b = header().u32(2).u32(1).term("RootNode").u32(2).term("BranchNode");
    b.u32(static_cast<std::uint32_t>(entries.size()));
    for (const Bytes& e : entries)
        b.raw(e.str());
    return b.str();
}

std::string deepChain(std::uint32_t depth) {
    std::vector<Bytes> entries;
    entries.push_back(branchEntry(1, 1, "r", {}, {2}));
    for (std::uint32_t id = 2; id <= depth; ++id)
        entries.push_back(branchEntry(2, id, "n", {id - 1},
                                      id < depth ? std::vector<std::uint32_t>{id + 1}
                                                 : std::vector<std::uint32_t>{}));
    return graphFile(entries);
}

std::string nestedPairs(int depth) {
    // A version-5 tiny mesh file whose material colour is wrapped in `depth` pairs.
    std::string file = tinyMeshFile(5);
    const std::string color = Bytes().u8(2).f32(0.1f).f32(0.2f).f32(0.3f).f32(0.4f).str();
    const std::string plain = Bytes().u8(2).f32(1).f32(1).f32(1).f32(1).str();
    std::string nested = color;
    for (int i = 0; i < depth; ++i)
        nested = Bytes().u8(3).str() + nested + plain;
    const auto at = file.find(color);
    file.replace(at, color.size(), nested);
    return file;
}

TEST(SceneFileReading, HostileFilesFailWithAClearMessageAndNoLeak) {
    const std::string tiny = tinyMeshFile(5);
    std::string unknownKind = tiny;
    unknownKind[unknownKind.find(Bytes().counted("color").u8(2).str()) + 9] = 9;
    std::string badPresence = tiny;
    badPresence[badPresence.find(Bytes().u8(1).u8(1).u32(0).counted("mesh").str())] = 7;
    std::string danglingShared = tiny;
    {
        // The geometry as a reference to number 0 before any geometry was read.
        const std::string first = Bytes().u8(1).u8(1).u32(0).counted("geo").str();
        danglingShared.replace(danglingShared.find(first), 2, Bytes().u8(1).u8(0).str());
    }
    std::string outOfOrder = tiny;
    {
        const std::string first = Bytes().u8(1).u8(1).u32(0).counted("geo").str();
        outOfOrder.replace(outOfOrder.find(first) + 2, 4, Bytes().u32(4).str());
    }
    std::string hugeCount = tiny;
    {
        const std::string positions = Bytes().u32(1).f32(1).f32(2).f32(3).str();
        hugeCount.replace(hugeCount.find(positions), 4, Bytes().u32(0x40000000).str());
    }

    const std::vector<BadFile> files = {
        {"empty", "", "unexpected end of file"},
        {"wrong marker", Bytes().i32(0).u32(5).u32(0).u32(0).str(), "not a scene graph file"},
        {"no nodes", header().u32(1).u32(1).term("RootNode").u32(0).str(), "holds no nodes"},
        {"marker and version only", header().str(), "unexpected end of file"},
        {"version 0", header(0).u32(0).u32(0).str(), "m_version >= 1"},
        {"future version", header(6).u32(0).u32(0).str(), "version 6 is newer"},
        {"type count beyond the file", header().u32(1000).str(), "node type count 1000"},
        {"node count beyond the file",
         header().u32(1).u32(1).term("RootNode").u32(0xFFFFFFFF).str(), "node count"},
        {"unknown type", header().u32(1).u32(1).term("Camera").u32(0).str(),
         "unknown node type 'Camera'"},
        {"duplicate type id",
         header().u32(2).u32(1).term("RootNode").u32(1).term("LeafNode").u32(0).str(),
         "appears twice"},
        {"type id naming nothing", graphFile({branchEntry(9, 1, "r", {}, {})}), "names no type"},
        {"duplicate node id",
         graphFile({branchEntry(1, 1, "r", {}, {}), branchEntry(2, 1, "b", {}, {})}),
         "appears twice"},
        {"child naming nothing", graphFile({branchEntry(1, 1, "r", {}, {5})}),
         "child identifier 5"},
        {"parent naming nothing",
         graphFile({branchEntry(1, 1, "r", {}, {2}), branchEntry(2, 2, "b", {1, 8}, {})}),
         "parent identifier 8"},
        {"parents not matching the children",
         graphFile({branchEntry(1, 1, "r", {}, {2}), branchEntry(2, 2, "b", {}, {})}),
         "do not match"},
        {"child listed twice",
         graphFile({branchEntry(1, 1, "r", {}, {2, 2}), branchEntry(2, 2, "b", {1}, {})}), "twice"},
        {"self child",
         graphFile({branchEntry(1, 1, "r", {}, {2}), branchEntry(2, 2, "b", {1, 2}, {2})}),
         "as its own child"},
        {"cycle",
         graphFile({branchEntry(1, 1, "r", {}, {2}), branchEntry(2, 2, "a", {1, 3}, {3}),
                    branchEntry(2, 3, "b", {2}, {2})}),
         "cycle"},
        {"first node with a parent",
         graphFile({branchEntry(1, 1, "r", {2}, {}), branchEntry(2, 2, "b", {}, {1})}),
         "not a root"},
        {"unreachable node",
         graphFile({branchEntry(1, 1, "r", {}, {}), branchEntry(2, 2, "b", {}, {})}),
         "not reachable"},
        {"unreachable cycle",
         graphFile({branchEntry(1, 1, "r", {}, {}), branchEntry(2, 2, "a", {3}, {3}),
                    branchEntry(2, 3, "b", {2}, {2})}),
         "not reachable"},
        {"too deep", deepChain(1100), "deeper than 1024"},
        {"unknown channel value kind", unknownKind, "unknown channel value kind 9"},
        {"presence byte 7", badPresence, "neither 0 nor 1"},
        {"shared reference naming nothing", danglingShared, "names nothing"},
        {"shared object out of order", outOfOrder, "out of order"},
        {"count beyond the file", hugeCount, "position count 1073741824"},
        {"values nested too deep", nestedPairs(100), "nested deeper than 64"},
    };
    test::LogCapture capture;
    const auto before = SceneNode::liveCount();
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        Scene scene;
        EXPECT_FALSE(test::readFromBytes(scene, file.bytes));
        EXPECT_EQ(scene.getRoot(), nullptr);
        EXPECT_NE(scene.lastError().find(file.message), std::string::npos) << scene.lastError();
        EXPECT_NE(test::LogCapture::debugText().find(scene.lastError()), std::string::npos);
        EXPECT_EQ(SceneNode::liveCount(), before);
    }
    // The limits themselves are fine.
    Scene deep;
    EXPECT_TRUE(test::readFromBytes(deep, deepChain(1024))) << deep.lastError();
    deep.clear();
    Scene nested;
    EXPECT_TRUE(test::readFromBytes(nested, nestedPairs(63))) << nested.lastError();
    nested.clear();
    EXPECT_EQ(SceneNode::liveCount(), before);
}

TEST(SceneFileReading, ReadingReplacesTheSceneAndAFailureLeavesItEmpty) {
    test::LogCapture capture;
    Scene scene;
    test::buildReferenceScene(scene);
    ASSERT_TRUE(test::readFromBytes(scene, tinyMeshFile(4)));
    EXPECT_EQ(scene.getRoot()->name(), "r");
    EXPECT_FALSE(test::readFromBytes(scene, "garbage!"));
    EXPECT_EQ(scene.getRoot(), nullptr);
    EXPECT_EQ(scene.version(), 5u);
}

TEST(SceneFileReading, EveryPrefixOfAValidFileFailsCleanly) {
    test::LogCapture capture;
    Scene reference;
    test::buildReferenceScene(reference);
    const std::string bytes = test::writeToBytes(reference);
    const auto before = SceneNode::liveCount();
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        Scene scene;
        ASSERT_FALSE(test::readFromBytes(scene, bytes.substr(0, length))) << length;
        EXPECT_EQ(scene.getRoot(), nullptr);
        EXPECT_FALSE(scene.lastError().empty());
        ASSERT_EQ(SceneNode::liveCount(), before) << length;
    }
    Scene whole;
    EXPECT_TRUE(test::readFromBytes(whole, bytes));
}

TEST(SceneFileReading, CorruptedBytesNeverCrashOrLeak) {
    test::LogCapture capture;
    Scene reference;
    test::buildReferenceScene(reference);
    const std::string bytes = test::writeToBytes(reference);
    const auto before = SceneNode::liveCount();
    std::size_t accepted = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (const int value : {0x00, 0x01, 0x02, 0x7F, 0xFF}) {
            std::string corrupt = bytes;
            corrupt[i] = static_cast<char>(value);
            {
                Scene scene;
                if (test::readFromBytes(scene, corrupt)) {
                    ++accepted;
                    // What was accepted writes and reads again.
                    Scene again;
                    ASSERT_TRUE(test::readFromBytes(again, test::writeToBytes(scene)))
                        << "byte " << i << " = " << value << ": " << again.lastError();
                } else {
                    EXPECT_FALSE(scene.lastError().empty());
                }
            }
            ASSERT_EQ(SceneNode::liveCount(), before) << "byte " << i << " = " << value;
        }
    }
    EXPECT_GT(accepted, 0u); // floats and names change without harm
}

// The fuzz target's seed corpus: small files written by this writer. Each must still read;
// VORNEX_UPDATE_CORPUS=1 rewrites them.
TEST(SceneFileCorpus, SeedFilesReadBack) {
    const std::filesystem::path corpus =
        std::filesystem::path(VORNEX_SOURCE_DIR) / "fuzz" / "corpus" / "scene";
    std::vector<std::pair<std::string, std::string>> seeds;
    {
        Scene scene;
        test::buildReferenceScene(scene);
        seeds.emplace_back("reference.sgf", test::writeToBytes(scene));
    }
    for (std::uint32_t version = 1; version <= 5; ++version)
        seeds.emplace_back("tiny-v" + std::to_string(version) + ".sgf", tinyMeshFile(version));
    seeds.emplace_back("graph.sgf", graphFile({branchEntry(1, 1, "r", {}, {2, 3}),
                                               branchEntry(2, 2, "a", {1}, {3}),
                                               branchEntry(2, 3, "b", {1, 2}, {})}));
    if (std::getenv("VORNEX_UPDATE_CORPUS")) {
        std::filesystem::create_directories(corpus);
        for (const auto& [name, bytes] : seeds)
            std::ofstream(corpus / name, std::ios::binary) << bytes;
    }
    for (const auto& [name, bytes] : seeds) {
        SCOPED_TRACE(name);
        const std::string stored = test::readWholeFile((corpus / name).string());
        EXPECT_EQ(hex(stored), hex(bytes));
        Scene scene;
        EXPECT_TRUE(test::readFromBytes(scene, stored)) << scene.lastError();
    }
}

// The scene graph file inspector.
TEST(SceneOutline, ShowsNodesMeshesMaterialsAndNamedValues) {
    Scene scene;
    test::buildReferenceScene(scene);
    std::ostringstream out;
    printSceneOutline(scene, out);
    const std::string text = out.str();
    const auto lines =
        test::listedLines(VORNEX_TEST_DATA_DIR "/scene/outline_of_reference_scene.txt");
    EXPECT_EQ(lines.size(), 21u);
    for (const std::string& line : lines) {
        const bool start = line.ends_with(" ...");
        const std::string expected = start ? line.substr(0, line.size() - 4) : line + "\n";
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
    }
}

TEST(SceneOutline, RunSceneInfoReadsAFileAndReportsFailures) {
    test::LogCapture capture;
    test::TempDir dir;
    const std::string path = dir.file("scene.sgf");
    {
        Scene scene;
        test::buildReferenceScene(scene);
        FileOutStream out(path.c_str());
        ASSERT_TRUE(scene.write(out));
        ASSERT_TRUE(out.close());
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runSceneInfo(path.c_str(), out, err), 0);
    EXPECT_EQ(out.str().rfind(path + ":\nScene graph version 5\nRootNode \"scene.ma\"", 0), 0u);
    EXPECT_TRUE(err.str().empty());

    std::ostringstream out2;
    std::ostringstream err2;
    EXPECT_EQ(runSceneInfo(dir.file("missing.sgf").c_str(), out2, err2), 1);
    EXPECT_NE(err2.str().find("cannot open"), std::string::npos);
    {
        FileOutStream bad(dir.file("bad.sgf").c_str());
        bad << "not a scene";
        ASSERT_TRUE(bad.close());
    }
    std::ostringstream err3;
    EXPECT_EQ(runSceneInfo(dir.file("bad.sgf").c_str(), out2, err3), 1);
    EXPECT_NE(err3.str().find("not a scene graph file"), std::string::npos);
}

// Vertices, buffers, channel values and materials, with their bytes; their reading is checked by
// the reference scene's round trip, which every list and kind is part of.
template <typename T>
std::string bytesOf(const T& object) {
    StringOutBuffer buffer;
    OutStream out(&buffer);
    Scene scene;
    object.write(out, scene);
    return buffer.text();
}

std::string vertexBytes(const Vertex& vertex) {
    StringOutBuffer buffer;
    OutStream out(&buffer);
    vertex.write(out);
    return buffer.text();
}

TEST(Vertex, UvAccessOutsideTheSetsAsserts) {
    test::LogCapture capture;
    Vertex v;
    v.addUv(4);
    EXPECT_EQ(v.getUv(0), 4);
    EXPECT_THROW(v.getUv(1), AssertionFailed);
    EXPECT_THROW(v.getUv(-1), AssertionFailed);
    EXPECT_NE(
        test::LogCapture::debugText().find("index >= 0 && static_cast<uint>(index) < m_uvs.size()"),
        std::string::npos);
}

TEST(Vertex, WritesItsIndicesInFileOrderReadsThemBackAndComparesThemAll) {
    Vertex v;
    v.setPosition(1);
    v.setNormal(2);
    v.setDiffuse(3);
    v.setSpecular(4);
    v.setBlendWeight(5);
    v.setNamedValues(6);
    v.addUv(7);
    v.addUv(8);
    // A new vertex has every index none and no UVs.
    const Bytes none = Bytes().i32(-1).i32(-1).i32(-1).i32(-1).u32(0).i32(-1).i32(-1);
    EXPECT_EQ(hex(vertexBytes(Vertex())), hex(none.str()));
    const std::string bytes = vertexBytes(v);
    const Bytes expected = Bytes().i32(1).i32(2).i32(3).i32(4).u32(2).i32(7).i32(8).i32(6).i32(5);
    EXPECT_EQ(hex(bytes), hex(expected.str()));

    MemoryInBuffer buffer(bytes.data(), bytes.size());
    InStream in(&buffer);
    Scene scene;
    Vertex back;
    ASSERT_TRUE(back.read(in, scene, 5));
    EXPECT_EQ(std::make_tuple(back, in.remaining()), std::make_tuple(v, 0u));
    // Equality sees the second UV index, the UV count and the blend weight.
    back.setUv(1, 3);
    EXPECT_NE(back, v);
    back = v;
    back.addUv(-1);
    EXPECT_NE(back, v);
    back = v;
    back.setBlendWeight(0);
    EXPECT_NE(back, v);
}

TEST(VertexBuffer, WritesEveryListInFileOrder) {
    VertexBuffer vb;
    vb.m_name = "sVertexBuffer";
    vb.m_positions = {{1, 2, 3}};
    vb.m_normals = {{0, 0, 1}};
    vb.m_diffuseColors = {Color{0.5f, 0.25f, 0.125f, 0.0f}};
    vb.m_specularColors = {Color{}};
    Vertex v;
    v.setPosition(0);
    v.addUv(0);
    vb.m_vertices = {v};
    vb.m_uvSets = {{{0.5f, 0.75f}}};
    vb.m_texts = {"map1"};
    vb.m_vertexNamedValues.resize(1);
    vb.m_vertexNamedValues[0].setBool("b", true);
    SkinWeight w;
    w.m_weights[0] = 1.0f;
    w.m_bones[0] = 2;
    vb.m_skinWeights = {w};

    // clang-format off
    const Bytes expected = Bytes().counted("sVertexBuffer")
        .u32(1).f32(1).f32(2).f32(3)                                 // positions
        .u32(1).f32(0).f32(0).f32(1)                                 // normals
        .u32(1).f32(0.5f).f32(0.25f).f32(0.125f).f32(0)              // diffuse
        .u32(1).f32(1).f32(1).f32(1).f32(1)                          // specular
        .u32(1).i32(0).i32(-1).i32(-1).i32(-1).u32(1).i32(0).i32(-1).i32(-1) // vertices
        .u32(1).u32(1).f32(0.5f).f32(0.75f)                          // UV sets
        .u32(1).counted("map1")                                      // texts
        .u32(1).u32(1).counted("b").u8(2).u8(1)                      // named value tables
        .u32(1).f32(1).f32(0).f32(0).f32(0).i32(2).i32(-1).i32(-1).i32(-1); // skin weights
    // clang-format on
    EXPECT_EQ(hex(bytesOf(vb)), hex(expected.str()));
}

TEST(PrimitiveBuffer, WritesPolygonsAttributesAndRecordsButNotFaceOrShaderIndices) {
    PrimitiveBuffer pb;
    pb.m_name = "p";
    pb.m_primitiveKind = 4;
    pb.m_primitives = {{{0, 1, 2}, 17, 3}};
    pb.m_attributes["tag"] = {NamedValueKind::Float, 9};
    pb.m_attributeValues = {{{9, NamedValue(1.5f)}}};
    // clang-format off
    const Bytes expected = Bytes().counted("p").u8(4)
        .u32(1).u32(3).i32(0).i32(1).i32(2)      // polygons
        .u32(1).counted("tag").u8(1).u32(9)      // attributes
        .u32(1).u32(1).u32(9).u8(1).f32(1.5f);   // attribute records
    // clang-format on
    const std::string bytes = bytesOf(pb);
    EXPECT_EQ(hex(bytes), hex(expected.str()));

    MemoryInBuffer buffer(bytes.data(), bytes.size());
    InStream in(&buffer);
    Scene scene;
    PrimitiveBuffer back;
    ASSERT_TRUE(back.read(in, scene) && in.remaining() == 0);
    EXPECT_TRUE(back.sameContent(pb));
    EXPECT_EQ(back.m_primitives[0].m_faceIndex, -1);
}

TEST(NamedValueTable, WritesEachKindWithItsKindByte) {
    StringOutBuffer buffer;
    OutStream out(&buffer);
    NamedValueTable table;
    table.setBool("b", true);
    table.setInt("a", -2);
    table.setText("d", "xy");
    table.setFloat("c", 2.0f);
    table.write(out);
    // clang-format off
    const Bytes expected = Bytes().u32(4)
        .counted("a").u8(0).i32(-2).counted("b").u8(2).u8(1)
        .counted("c").u8(1).f32(2.0f).counted("d").u8(3).counted("xy");
    // clang-format on
    EXPECT_EQ(hex(buffer.text()), hex(expected.str()));
}

// A new colour is white (the pair's first value below).
TEST(ChannelValue, EveryKindWritesItsBytesAndClonesWhole) {
    TextureValue texture;
    texture.m_fileName = "t.tga";
    texture.m_filterType = 5;
    texture.m_image = TextureImage{1, 1, {9, 8, 7, 6}};
    texture.m_offsetU = 1;
    texture.m_offsetV = 2;
    texture.m_rotateUV = 3;
    texture.m_namedValues.setInt("i", 1);
    // clang-format off
    const Bytes textureBytes = Bytes().u8(1).counted("t.tga").u8(5)
        .u32(1).u32(1).u32(4).u8(9).u8(8).u8(7).u8(6)   // image
        .f32(1).f32(2).f32(3).u32(1).counted("i").u8(0).i32(1);
    // clang-format on
    EXPECT_EQ(hex(bytesOf(texture)), hex(textureBytes.str()));

    TextureValue noImage;
    noImage.m_fileName = "n";
    EXPECT_EQ(hex(bytesOf(noImage)),
              hex(Bytes().u8(0).counted("n").u8(0).f32(0).f32(0).f32(0).u32(0).str()));

    const PairValue pair(std::make_unique<ColorValue>(), texture.clone());
    EXPECT_EQ(hex(bytesOf(pair)),
              hex(Bytes().u8(2).f32(1).f32(1).f32(1).f32(1).u8(1).raw(textureBytes.str()).str()));
    const CombinedValue combined(14, pair.clone(), std::make_unique<ColorValue>());
    const ColorValue color(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_EQ(hex(bytesOf(combined)),
              hex(Bytes().u8(14).u8(3).raw(bytesOf(pair)).u8(2).f32(1).f32(1).f32(1).f32(1).str()));

    // Reading: the reference scene's round trip. Clones are equal to what they copy.
    for (const ChannelValue* value :
         std::initializer_list<const ChannelValue*>{&texture, &noImage, &pair, &combined, &color})
        EXPECT_EQ(*value->clone(), *value);
    // Equality looks inside the combined value's inner values.
    auto copy = combined.clone();
    static_cast<ColorValue&>(*static_cast<CombinedValue&>(*copy).m_second).m_rgba[0] = 0.5f;
    EXPECT_NE(*copy, combined);
}

TEST(Material, OnlyAColourTextureWritesOneChannelNamedColor) {
    Material material("lambert1");
    material.setChannel("color", std::make_unique<ColorValue>()); // replaced below
    auto texture = std::make_unique<TextureValue>();
    texture->m_fileName = "a.tga";
    const std::string textureBytes = bytesOf(*texture);
    material.setChannel("color", std::move(texture));
    material.m_namedValues.setText("zeph_TechniqueName", "base");
    // clang-format off
    const Bytes expected = Bytes().counted("lambert1").u8(1).u32(5).raw("color").u8(1)
        .raw(textureBytes).u8(1).u8(0).u32(1).counted("zeph_TechniqueName").u8(3).counted("base");
    // clang-format on
    EXPECT_EQ(hex(bytesOf(material)), hex(expected.str()));
}

} // namespace
} // namespace vx
