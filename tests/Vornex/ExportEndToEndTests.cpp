// The VornexFtr translator and the plug-in's registration, through the host program and the
// host's plug-in loader.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/RunVornex.h"
#include "tests/Vornex/SceneQueries.h"
#include "tests/tools/info/FileReadBack.h"
#include "tools/info/MeshVertexDecoder.h"

#include <HostProgram.h>
#include <vornexhost/NodeType.h>
#include <vornexhost/PluginRegistry.h>

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MPxNode.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vx {
namespace {

using test::fixturePath;
using test::vornex;

TEST(VornexExport, WithoutARootTheErrorListNamesTheMissingRoot) {
    test::TempDir dir;
    const std::string out = dir.file("tank.bundledMesh");
    // A read the reader gives up ends the export before anything is listed.
    EXPECT_EQ(vornex({"export", fixturePath("shape_under_shape.ma"), out}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("tank.log")));

    EXPECT_EQ(vornex({"export", fixturePath("one_frame_no_root.ma"), out}), 1);
    EXPECT_EQ(test::readWholeFile(dir.file("tank.log")),
              "export type not found, possible missing root_XXXXXXXX node in Maya scene\r\n");
    // The export's own log sits beside its output.
    const std::string log = test::readWholeFile(out + "_log.txt");
    EXPECT_NE(log.find("Info: export type not found, possible missing root_XXXXXXXX node in "
                       "Maya scene\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("Info: parseActiveMayaScene called\r\n"), std::string::npos);
}

TEST(VornexExport, TheExampleSoldierBecomesTwoSkinnedPartsPerLod) {
    test::TempDir dir;
    const std::string out = dir.file("soldier.skinnedMesh");
    ASSERT_EQ(vornex({"export", test::examplePath("characters/soldier/soldier.ma"), out}), 0)
        << test::readWholeFile(dir.file("soldier.log"));
    // No "Textures" folder beside the output: the body's normal map is named as missing.
    EXPECT_EQ(test::readWholeFile(dir.file("soldier.log")),
              "Normal map soldier_n.dds not found in " + dir.path() +
                  "/Textures/: materials using it keep that tangent-space map\r\n");
    const meshfile::MeshFile mesh =
        test::readMeshBack(dir.file("meshes/soldier.skinnedmesh"), meshfile::MeshKind::Skinned);
    ASSERT_EQ(mesh.lodCounts, (std::vector<std::uint32_t>{2}));
    EXPECT_EQ(mesh.stride, 52u);
    // 30 bones: the upper body's 21 and the legs' 10 (the hips in both) need two parts.
    for (const auto& lod : mesh.lods[0])
        ASSERT_EQ(lod.parts.size(), 2u);
    EXPECT_EQ(mesh.lods[0][0].parts[0].bones.size(), 21u);
    EXPECT_EQ(mesh.lods[0][0].parts[1].bones.size(), 10u);
    ASSERT_EQ(mesh.materials[0][0].size(), 2u);
    EXPECT_EQ(mesh.materials[0][0][0].effect, "SkinnedMeshNormalMap.fx");
    EXPECT_EQ(mesh.materials[0][0][1].effect, "SkinnedMeshTangent.fx");
    EXPECT_EQ(mesh.materials[0][0][1].technique, "soldier_gear_tangent");
    EXPECT_NE(test::readWholeFile(dir.file("soldier.nfo")).find("/meshes/soldier.skinnedmesh\r\n"),
              std::string::npos);
}

TEST(VornexExport, ABundledSceneWithoutGeometriesSaysSo) {
    test::TempDir dir;
    const std::string out = dir.file("crate.bundledMesh");
    EXPECT_EQ(vornex({"export", fixturePath("traversal.ma"), out}), 1);
    EXPECT_EQ(test::readWholeFile(dir.file("crate.log")),
              "There is seems to no geom nodes, aborting\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("crate.nfo")));
}

TEST(VornexExport, TheExampleTreeBecomesAStaticMeshWithItsFileListAndErrorList) {
    test::TempDir dir;
    const std::string out = dir.file("Oak.staticMesh");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path()); // the lightmapper's pictures land here
    const int status = vornex({"export", test::examplePath("vegetation/oak/oak.ma"), out});
    std::filesystem::current_path(before);
    ASSERT_EQ(status, 0) << test::readWholeFile(dir.file("Oak.log"));

    const meshfile::MeshFile mesh =
        test::readMeshBack(dir.file("meshes/oak.staticmesh"), meshfile::MeshKind::Static);
    ASSERT_EQ(mesh.lodCounts, (std::vector<std::uint32_t>{2, 1}));
    EXPECT_EQ(mesh.stride, 56u) << "one texture set and the lightmap's";
    ASSERT_EQ(mesh.materials[0][0].size(), 2u);
    EXPECT_EQ(mesh.materials[0][0][0].effect, "StaticMesh.fx");
    EXPECT_EQ(mesh.materials[0][0][0].technique, "BaseDetailNDetail");
    EXPECT_EQ(mesh.materials[0][0][1].technique, "AlphaLeaves");
    EXPECT_EQ(mesh.materials[0][1].size(), 2u);
    EXPECT_EQ(mesh.materials[1][0].size(), 1u);
    EXPECT_EQ(mesh.lods[0][0].partTransforms.size(), 2u);

    // Samples for both LODs of the lightmapped tree, none for the stump.
    EXPECT_TRUE(std::filesystem::exists(dir.file("meshes/oak.samples")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("meshes/oak.samp_01")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("meshes/oak.samp_10")));
    const std::string list = test::readWholeFile(dir.file("Oak.nfo"));
    for (const char* entry :
         {"/meshes/oak.staticmesh\r\n", "/meshes/oak.samples\r\n",
          "vegetation/oak/bark_base.dds\r\n", "vegetation/oak/leaves_base.dds\r\n"})
        EXPECT_NE(list.find(entry), std::string::npos) << entry << " in\n" << list;
    // Outside RawData the artist is told where the samples went.
    EXPECT_NE(test::readWholeFile(dir.file("Oak.log"))
                  .find("ERROR: Adding samples file that doesn't reside under RawData "),
              std::string::npos);
}

TEST(VornexExport, AnUnwritableOutputFolderFailsBeforeReading) {
    test::TempDir dir;
    test::LogCapture capture;
    std::ofstream(dir.file("plain")) << "a file, not a folder";
    const std::string out = dir.file("plain/tank.bundledMesh");
    EXPECT_EQ(vornex({"export", fixturePath("traversal.ma"), out}), 1);
    EXPECT_TRUE(capture.contains("cannot write \"" + out + "\""));
    EXPECT_FALSE(capture.contains("parseActiveMayaScene called"));
}

TEST(VornexExport, TheSelectionModeReadsOnlyTheSelection) {
    test::TempDir dir;
    const std::string out = dir.file("picked.skeleton");
    // The selection's ancestors come along: root_animation names the type, and the animation
    // of the bones read is written.
    EXPECT_EQ(vornex({"export", fixturePath("animation.ma"), out, "--right-handed",
                      "--include-images", "--selection", "spine"}),
              0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("picked.baf")));
    const std::string log = test::readWholeFile(out + "_log.txt");
    EXPECT_NE(log.find("Info: parseDAG(spine)\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Info: parseDAG(Root)"), std::string::npos);
    EXPECT_NE(log.find("Info: No conversion of coordinate system\r\n"), std::string::npos);
    EXPECT_NE(log.find("Info: Texture binaries included\r\n"), std::string::npos);
}

// A vehicle of movable parts in one hierarchy (a hull holding turret, hatch, periscope, grille,
// animated tracks and a tow hook anchor).
TEST(VornexExport, AVehicleKeepsEveryPartsNumberItsPlacedBoxAndItsAnimatedMatrices) {
    test::TempDir dir;
    // The tracks' texture is looked up in a "textures" folder beside the output.
    std::filesystem::create_directories(dir.file("textures"));
    std::filesystem::copy_file(fixturePath("tank_tracks.dds"),
                               dir.file("textures/tank_tracks.dds"));
    const std::string out = dir.file("tank.bundledMesh");
    ASSERT_EQ(vornex({"export", fixturePath("vehicle.ma"), out}), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("tank.log")))
        << test::readWholeFile(dir.file("tank.log"));

    const meshfile::MeshFile f =
        test::readMeshBack(dir.file("meshes/tank.bundledmesh"), meshfile::MeshKind::Bundled);
    ASSERT_FALSE(HasFailure()) << "the mesh file could not be read";
    // Parts in walk order, the anchor not counted: hull 0, turret 1, hatch 2, periscope 3,
    // grille 4, left track 5, right track 6; each material's vertices carry their parts' numbers.
    EXPECT_EQ(f.lods[0][0].partCount, 7u);
    const std::vector<std::pair<std::string, std::set<int>>> partsOf = {
        {"tank_body", {0, 1, 2}},
        {"grille_alpha_test", {4}},
        {"tracks_AnimatedUV", {5, 6}},
        {"Alpha_Glass_EnvMap", {3}}};
    const auto& materials = f.materials[0][0];
    ASSERT_EQ(materials.size(), partsOf.size());
    std::set<std::array<std::uint8_t, 3>> trackCodes; // part, UV matrix, animation type
    for (std::size_t m = 0; m < materials.size(); ++m) {
        std::set<int> parts;
        for (std::uint32_t v = 0; v < materials[m].vertexCount; ++v) {
            const auto decoded = meshfile::decodeVertex(
                f, static_cast<std::uint32_t>(materials[m].baseVertexIndex) + v);
            const auto& index = decoded.find(meshfile::kUsageBlendIndices)->bytes;
            parts.insert(index[0]);
            if (partsOf[m].first == "tracks_AnimatedUV")
                trackCodes.insert({index[0], index[1], index[2]});
        }
        EXPECT_EQ(parts, partsOf[m].second) << partsOf[m].first;
    }
    // Red 0.7 and 0.6 on the tracks: matrices 10 - 7 and 10 - 6, translation (type 0).
    EXPECT_EQ(trackCodes, (std::set<std::array<std::uint8_t, 3>>{{5, 3, 0}, {6, 4, 0}}));
    // The box holds every part as placed: the tracks reach x = +-2, the grille z = -3.51, the
    // hatch (tilted 20 degrees, 2.8 up) y = 2.8 + 0.05 cos 20 + 0.4 sin 20.
    const auto& block = f.lods[0][0];
    EXPECT_EQ(block.boundsMin.x, -2.0f);
    EXPECT_FLOAT_EQ(block.boundsMin.y, 0.25f);
    EXPECT_FLOAT_EQ(block.boundsMin.z, -3.51f);
    EXPECT_EQ(block.boundsMax.x, 2.0f);
    const double tilt = 20.0 * 3.14159265358979 / 180.0;
    EXPECT_NEAR(block.boundsMax.y, 2.8 + 0.05 * std::cos(tilt) + 0.4 * std::sin(tilt), 1e-5);
    EXPECT_EQ(block.boundsMax.z, 3.5f);

    const std::string script = test::readWholeFile(dir.file("tank.con"));
    EXPECT_NE(script.find("GeometryTemplate.nrOfAnimatedUVMatrix 4\r\n"), std::string::npos)
        << script;
    EXPECT_NE(script.find("ObjectTemplate.anchor 0/-0.4000/-3.6000\r\n"), std::string::npos)
        << script;
}

class LoadedPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        ::testing::internal::CaptureStderr();
        std::string error;
        m_loaded = vornexhost::PluginRegistry::instance().load(VX_VORNEX_PLUGIN, error);
        m_stderr = ::testing::internal::GetCapturedStderr();
        ASSERT_TRUE(m_loaded) << error;
    }
    void TearDown() override { vornexhost::PluginRegistry::instance().unloadAll(); }

    std::unique_ptr<MPxFileTranslator> translator() const {
        const auto& translators = vornexhost::PluginRegistry::instance().translators;
        const auto it = translators.find("VornexFtr");
        if (it == translators.end())
            return nullptr;
        return std::unique_ptr<MPxFileTranslator>(
            static_cast<MPxFileTranslator*>(it->second.creator()));
    }

    bool m_loaded = false;
    std::string m_stderr;
};

TEST_F(LoadedPlugin, RegistersTheTranslatorAndTheCommandAndReportsTheGlExtensions) {
    auto& registry = vornexhost::PluginRegistry::instance();
    EXPECT_EQ(m_stderr, "Failed to initialize GL_ARB_multitexture!\n"
                        "Failed to initialize GL_NV_register_combiners!\n");
    ASSERT_EQ(registry.translators.count("VornexFtr"), 1u);
    EXPECT_EQ(registry.translators["VornexFtr"].optionsScript, "vornexOptions");
    EXPECT_EQ(registry.translators["VornexFtr"].defaultOptions,
              "includeImages=0;zaxisPositive=0;righthandedSystem=0;");
    EXPECT_EQ(registry.commands.count("Vornex"), 1u);
    // The viewport shader node: a hardware shader with its six colours after the base outputs.
    const vornexhost::NodeType* shader =
        vornexhost::NodeTypeRegistry::instance().find("rscMeshShader");
    ASSERT_NE(shader, nullptr);
    EXPECT_EQ(shader->typeId, 0x81020u);
    EXPECT_EQ(shader->apiType, MFn::kPluginHwShaderNode);
    EXPECT_EQ(shader->pluginKind, int(MPxNode::kHwShaderNode));
    EXPECT_EQ(shader->classification, "shader/surface/utility");
    // The node's own attributes come after those of its base types.
    std::vector<std::string> colours;
    for (unsigned i = shader->topCount() < 8 ? 0 : shader->topCount() - 8; i < shader->topCount();
         ++i)
        colours.push_back(shader->top(i)->longName + "/" + shader->top(i)->shortName);
    EXPECT_EQ(colours,
              (std::vector<std::string>{"outColor/oc", "outTransparency/ot", "color/c1", "detail/d",
                                        "dirt/st", "crack/d2", "NDetail/nd", "NCrack/nc"}));
    const vornexhost::Attribute* dirt = shader->find("dirt");
    ASSERT_NE(dirt, nullptr);
    EXPECT_TRUE(dirt->usedAsColor);
    ASSERT_EQ(dirt->children.size(), 3u);
    EXPECT_EQ(dirt->children[0]->longName + "/" + dirt->children[0]->shortName, "dirtR/str");
    const vornexhost::Attribute* colorGreen = shader->find("c1g");
    ASSERT_NE(colorGreen, nullptr);
    EXPECT_EQ(colorGreen->longName, "colorG");
    EXPECT_EQ(colorGreen->defaultValue, 0.5);
    EXPECT_TRUE(colorGreen->keyable);
    // The host drops a plug-in's commands and translators itself; node types are the plug-in's.
    registry.unloadAll();
    EXPECT_EQ(vornexhost::NodeTypeRegistry::instance().find("rscMeshShader"), nullptr);
}

TEST_F(LoadedPlugin, TheTranslatorWritesOnlyAndClaimsItsOwnFiles) {
    const auto ftr = translator();
    ASSERT_NE(ftr, nullptr);
    EXPECT_FALSE(ftr->haveReadMethod());
    EXPECT_TRUE(ftr->haveWriteMethod());
    EXPECT_FALSE(ftr->canBeOpened());
    EXPECT_EQ(ftr->defaultExtension(), "bundledMesh");
    MFileObject file;
    file.setFullName("somewhere/x.sgf");
    EXPECT_EQ(ftr->reader(file, "", MPxFileTranslator::kOpenAccessMode), MStatus::kFailure);
    // Which names are its own: TranslatorOptions.IdentifiesItsOwnFileKinds.
    EXPECT_EQ(ftr->identifyFile(file, nullptr, 0), MPxFileTranslator::kIsMyFileType);
    file.setFullName("a.staticMesh");
    EXPECT_EQ(ftr->identifyFile(file, nullptr, 0), MPxFileTranslator::kNotMyFileType);
}

} // namespace
} // namespace vx
