// The cgfx texture rules: lower-casing, layer order and technique, RawData-relative paths.
#include "Vornex/Reader/CgfxRecords.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

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
} // namespace vx
