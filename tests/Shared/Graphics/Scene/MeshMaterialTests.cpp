// Vertices, buffers, channel values and materials, with their bytes. Their reading is checked
// by the reference scene's round trip (SceneFileTests), which every list and kind is part of.
#include "Shared/Base/Assert.h"
#include "Shared/Base/Streams/Buffers/MemoryInBuffer.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/InStream.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/PrimitiveBuffer.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Shared/Graphics/Scene/SceneTestData.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vx {
namespace {

using test::Bytes;
using test::hex;

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
