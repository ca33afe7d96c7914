// cgfx shader nodes on the shipped effects: effect name, technique, texture records, traces
// on standard output and the error list for textures outside the RawData tree; and the texture
// rules themselves: lower-casing, layer order and technique, RawData-relative paths.
#include "MeshExporter/ExportErrorList.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Vornex/Reader/CgfxRecords.h"
#include "tests/Vornex/Reader/ReaderTestSupport.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <map>

namespace vx::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class CgfxReading : public ReaderSceneTest {
protected:
    void SetUp() override {
        // The scenes name the effects by artists' paths; the host finds them by file name.
        setenv("VORNEX_CGFX_PATH", VORNEX_EXAMPLES_DIR "/rawdata/shaders", 1);
        exportErrorList().clear();
    }
    void TearDown() override { exportErrorList().clear(); }

    // The material of each shading engine, read with standard output captured.
    std::map<std::string, std::shared_ptr<Material>> readAll() {
        // Ended also when a read throws: a capture left open stops every later test.
        struct Capture {
            explicit Capture(std::string& out) : text(out) { ::testing::internal::CaptureStdout(); }
            ~Capture() { text = ::testing::internal::GetCapturedStdout(); }
            std::string& text;
        } capture(traces);
        read("cgfx.ma");
        std::map<std::string, std::shared_ptr<Material>> materials;
        open("cgfx.ma");
        for (const char* name : {"rock", "cliff_parallax", "hull", "ghost"})
            materials[name] = engineMaterial(std::string(name) + "SG");
        return materials;
    }

    std::string traces;
};

TEST_F(CgfxReading, StaticMeshLayersNameTheTechniqueAndTexturesAreStoredUnderRawData) {
    auto materials = readAll();
    const Material& rock = *materials.at("rock");
    EXPECT_TRUE(rock.isHardwareShader());
    EXPECT_EQ(rock.getText("zeph_FxFileName"), "StaticMesh.fx");
    EXPECT_EQ(rock.getText("zeph_TechniqueName"), "BaseDirt");
    EXPECT_EQ(rock.getInt("zeph_NumFxTextures"), 2);
    EXPECT_EQ(rock.getText("zeph_FxTexture0"), "rock/base_a.dds");
    EXPECT_EQ(rock.getText("zeph_FxTexture1"), "rock/dirt.dds");
    EXPECT_FALSE(rock.getText("zeph_FxTexture2"));
    // A hardware shader reports no unset standard channels.
    EXPECT_EQ(countReports("Color channel not set"), 0u);

    const Material& cliff = *materials.at("cliff_parallax");
    EXPECT_EQ(cliff.getText("zeph_FxFileName"), "StaticMesh.fx"); // from a backslashed path
    EXPECT_EQ(cliff.getText("zeph_TechniqueName"), "Baseparallaxdetail");
}

TEST_F(CgfxReading, BundledMeshSkipsTheShadowMapAndStrayPathsReachTheErrorList) {
    auto materials = readAll();
    const Material& hull = *materials.at("hull");
    EXPECT_EQ(hull.getText("zeph_TechniqueName"), "");
    EXPECT_EQ(hull.getInt("zeph_NumFxTextures"), 2);
    EXPECT_EQ(hull.getText("zeph_FxTexture0"), "vehicles/hull.dds");
    EXPECT_EQ(hull.getText("zeph_FxTexture1"), "d:/temp/hull_n.dds");
    EXPECT_THAT(exportErrorList().entries(),
                ElementsAre("ERROR: Adding texture that doesn't reside under RawData "
                            "d:/temp/hull_n.dds"));

    // An effect that cannot be read lists no parameters: name, empty technique, no textures.
    const Material& ghost = *materials.at("ghost");
    EXPECT_EQ(ghost.getText("zeph_FxFileName"), "nowhere.fx");
    EXPECT_EQ(ghost.getText("zeph_TechniqueName"), "");
    EXPECT_EQ(ghost.getInt("zeph_NumFxTextures"), 0);
}

TEST_F(CgfxReading, TracesGoToStandardOutputWithTheirSite) {
    readAll();
    EXPECT_THAT(traces, HasSubstr("\nVornex/Reader/CgfxReading.cpp("));
    EXPECT_THAT(traces, HasSubstr(") Parsing cgFX shader <StaticMesh.fx>"));
    EXPECT_THAT(traces, HasSubstr(") Saving cgFX texture <rock/base_a.dds>"));
    EXPECT_THAT(traces, HasSubstr(") Saving cgFX technique name <BaseDirt>"));
    EXPECT_THAT(traces, HasSubstr(") Number of cgfx Textures <2>"));
}

TEST_F(CgfxReading, MeshesUnderACgfxMaterialTakeEveryUvSet) {
    read("cgfx.ma");
    const VertexBuffer& buffer = vertices(meshNode("boulderShape"));
    EXPECT_EQ(buffer.m_texts, (std::vector<std::string>{"map1", "detail"}));
    ASSERT_EQ(buffer.uvSetCount(), 2u);
    EXPECT_EQ(buffer.m_uvSets[1].size(), 4u);
    for (const Vertex& v : buffer.m_vertices)
        EXPECT_EQ(v.getUvCount(), 2u);
}

TEST(CgfxRecords, LowerCasingTakesAsciiAndTheFiveLatinCapitalsInEitherEncoding) {
    EXPECT_EQ(lowerLatin1("c:/Work/RawData/Textures/Rock.DDS"),
              "c:/work/rawdata/textures/rock.dds");
    // Latin-1 bytes: Å Ä Ö Ü É lowered, other high bytes (Ø, ß) untouched.
    EXPECT_EQ(lowerLatin1("\xC5\xC4\xD6\xDC\xC9\xD8\xDF"), "\xE5\xE4\xF6\xFC\xE9\xD8\xDF");
    // The same letters in UTF-8; Ø (C3 98) is not among them.
    EXPECT_EQ(lowerLatin1("\xC3\x85ngstr\xC3\x96m\xC3\x98"), "\xC3\xA5ngstr\xC3\xB6m\xC3\x98");
    EXPECT_EQ(fileNamePart("D:\\fx\\StaticMesh.fx"), "StaticMesh.fx");
    EXPECT_EQ(fileNamePart("a\\b/c/BundledMesh.fx"), "BundledMesh.fx");
    EXPECT_EQ(fileNamePart("plain.fx"), "plain.fx");
}

TEST(CgfxRecords, StaticMeshLayersBuildTheTechniqueAndSkipDefaults) {
    CgfxRecordBuilder builder("StaticMesh.fx", "rock");
    const CgfxTexture base = builder.addTexture("c:/game/RawData/Rock/Base_A.dds");
    const CgfxTexture detail = builder.addTexture("Detail.dds"); // the default: skipped
    const CgfxTexture dirt = builder.addTexture("c:/game/rawdata/rock/dirt_a.dds");
    const CgfxTexture crack = builder.addTexture(""); // unset: skipped
    EXPECT_FALSE(base.skipped);
    EXPECT_EQ(base.index, 0);
    EXPECT_EQ(base.stored, "rock/base_a.dds");
    EXPECT_TRUE(base.error.empty());
    EXPECT_TRUE(detail.skipped);
    EXPECT_EQ(dirt.index, 1);
    EXPECT_EQ(dirt.stored, "rock/dirt_a.dds");
    EXPECT_TRUE(crack.skipped);
    EXPECT_EQ(builder.technique(), "BaseDirt");
    EXPECT_EQ(builder.textureCount(), 2);

    // Past the sixth slot every texture counts and names no layer.
    CgfxRecordBuilder many("MyStaticMesh_v2.fx", "m");
    for (const char* name : {"a", "b", "c", "d", "e", "f", "ncrack.dds"})
        many.addTexture(std::string("rawdata/") + name);
    EXPECT_EQ(many.technique(), "BaseDetailDirtCrackNDetailNCrack");
    EXPECT_EQ(many.textureCount(), 7);
}

TEST(CgfxRecords, ParallaxMaterialsAndOtherEffectsKeepTheirOwnRules) {
    CgfxRecordBuilder parallax("StaticMesh.fx", "cliff_parallax");
    parallax.addTexture("rawdata/cliff.dds");
    EXPECT_EQ(parallax.technique(), "Baseparallaxdetail");

    CgfxRecordBuilder bundled("BundledMesh.fx", "hull");
    EXPECT_TRUE(bundled.addTexture("ShadowMap.dds").skipped);
    EXPECT_TRUE(bundled.addTexture("").skipped);
    EXPECT_FALSE(bundled.addTexture("rawdata/hull.dds").skipped);
    EXPECT_EQ(bundled.technique(), "");

    // Only the bundled-mesh effect skips the shadow map; other effects keep empty paths too.
    CgfxRecordBuilder skinned("SkinnedMesh.fx", "body");
    EXPECT_FALSE(skinned.addTexture("shadowmap.dds").skipped);
}

TEST(CgfxRecords, PathsOutsideRawDataAreKeptWholeWithAnErrorUnlessTheyAreTheLightingTable) {
    CgfxRecordBuilder builder("SkinnedMesh.fx", "body");
    const CgfxTexture lut = builder.addTexture("d:/other/specularlut_pow36.dds");
    EXPECT_EQ(lut.stored, "d:/other/specularlut_pow36.dds");
    EXPECT_TRUE(lut.error.empty());
    const CgfxTexture stray = builder.addTexture("D:/Temp/Skin.dds");
    EXPECT_EQ(stray.stored, "d:/temp/skin.dds");
    EXPECT_EQ(stray.error,
              "ERROR: Adding texture that doesn't reside under RawData d:/temp/skin.dds");
    EXPECT_EQ(stray.index, 1);
}

} // namespace
} // namespace vx::test
