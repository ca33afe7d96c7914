// The mesh file reader of vornex info: tiny files of each kind built by hand from the layout,
// decoded field by field; truncation, hostile counts, inconsistent declarations, the kind and
// version check, the greedy shadow section; the printer through the info command; the index
// range counts against their literal scan; and the other files `vornex info` reads.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Shared/Graphics/Scene/SceneTestData.h"
#include "tests/tools/info/FileReadBack.h"
#include "tools/info/IndexRangeCounts.h"
#include "tools/info/InfoCommand.h"
#include "tools/info/MeshFileReader.h"
#include "tools/info/MeshVertexDecoder.h"
#include "tools/info/SampleFileInfo.h"
#include "tools/info/SampleFileReader.h"
#include "vximage/DdsCodec.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <tuple>

namespace vx::meshfile {
namespace {

using test::Bytes;

// A tiny file and the offsets of the fields the tests corrupt.
struct Sample {
    MeshKind kind;
    std::string bytes;
    std::map<std::string, std::size_t> at;
};

class SampleBuilder {
public:
    explicit SampleBuilder(MeshKind kind) { m_sample.kind = kind; }
    Bytes& b() { return m_bytes; }
    Bytes& mark(const std::string& name) {
        m_sample.at[name] = m_bytes.size();
        return m_bytes;
    }
    void header(std::uint32_t version, const std::vector<std::uint32_t>& lods) {
        m_bytes.u32(0).u32(version).u32(0).u32(0).u32(0).u8(0);
        mark("geometries").u32(static_cast<std::uint32_t>(lods.size()));
        mark("lod count");
        for (std::uint32_t l : lods)
            m_bytes.u32(l);
    }
    // {offset, type, usage, usage index} per element; the end element is added.
    void declaration(const std::vector<std::array<int, 4>>& elements, std::uint32_t stride) {
        mark("element count").u32(static_cast<std::uint32_t>(elements.size() + 1));
        for (std::size_t k = 0; k < elements.size(); ++k) {
            const auto& e = elements[k];
            mark("element " + std::to_string(k))
                .u16(0)
                .u16(static_cast<std::uint16_t>(e[0]))
                .u8(static_cast<std::uint8_t>(e[1]))
                .u8(0)
                .u8(static_cast<std::uint8_t>(e[2]))
                .u8(static_cast<std::uint8_t>(e[3]));
        }
        mark("end element").u16(0xFF).u16(0).u8(17).u8(0).u8(0).u8(0);
        m_bytes.u32(4);
        mark("stride").u32(stride);
    }
    void indices(const std::vector<std::uint16_t>& indices) {
        mark("index count").u32(static_cast<std::uint32_t>(indices.size()));
        for (std::uint16_t i : indices)
            m_bytes.u16(i);
    }
    void bounds(float lo, float hi) { m_bytes.f32(lo).f32(lo).f32(lo).f32(hi).f32(hi).f32(hi); }
    void matrix(float scale, float tx) {
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                m_bytes.f32(row == 3 && column < 3 ? tx + static_cast<float>(column)
                            : row == column        ? (row == 3 ? 1.0f : scale)
                                                   : 0.0f);
    }
    Sample done() {
        m_sample.bytes = m_bytes.str();
        return m_sample;
    }

private:
    Sample m_sample;
    Bytes m_bytes;
};

// Position, normal, blend index bytes, one UV set, tangent: 48 bytes; three vertices.
void staticOrBundledBody(SampleBuilder& s, std::uint8_t part) {
    s.declaration({{0, 2, 0, 0}, {12, 2, 3, 0}, {24, 4, 2, 0}, {28, 1, 5, 0}, {36, 2, 6, 0}}, 48);
    s.mark("vertex count").u32(3);
    for (int v = 0; v < 3; ++v) {
        const float k = static_cast<float>(v);
        s.b().f32(k).f32(2 * k).f32(-k).f32(0).f32(1).f32(0).u8(part).u8(0).u8(0).u8(0);
        s.b().f32(0.25f).f32(0.5f).f32(1).f32(0).f32(0);
    }
    s.indices({0, 1, 2});
    s.b().u32(8);
}

Sample staticSample() {
    SampleBuilder s(MeshKind::Static);
    s.header(11, {1});
    staticOrBundledBody(s, 0);
    s.bounds(-2, 4);
    s.mark("part count").u32(2);
    s.matrix(1, 0);
    s.matrix(1, 5);
    s.mark("material count").u32(1);
    s.mark("effect length").counted("StaticMesh.fx").counted("Base");
    s.mark("texture count").u32(2).counted("a.dds").counted("b.dds");
    s.b().i32(0).u32(0).u32(3).u32(3).u32(0).u32(0);
    s.bounds(-1, 1);
    return s.done();
}

Sample bundledSample() {
    SampleBuilder s(MeshKind::Bundled);
    s.header(10, {1});
    staticOrBundledBody(s, 1);
    s.bounds(-2, 4);
    s.b().u32(2);
    s.mark("material count").u32(2);
    s.b().counted("BundledMesh.fx").counted("Alpha").u32(1).counted("c.dds");
    s.b().i32(0).u32(0).u32(3).u32(3).u32(0).u32(0);
    // A draw range past both buffers: shipped files have such, so it is read, not refused.
    s.b().counted("BundledMesh.fx").counted("").u32(0);
    s.b().i32(2).u32(3).u32(3).u32(5).u32(0).u32(0);
    return s.done();
}

Sample skinnedSample() {
    SampleBuilder s(MeshKind::Skinned);
    s.header(11, {1});
    s.declaration(
        {{0, 2, 0, 0}, {12, 2, 3, 0}, {24, 0, 1, 0}, {28, 4, 2, 0}, {32, 1, 5, 0}, {40, 2, 6, 0}},
        52);
    s.mark("vertex count").u32(2);
    s.b().f32(1).f32(2).f32(3).f32(0).f32(0).f32(1).f32(0.75f).u8(1).u8(0).u8(0).u8(0);
    s.b().f32(0.5f).f32(0.125f).f32(0).f32(1).f32(0);
    s.b().f32(4).f32(5).f32(6).f32(0).f32(0).f32(1).f32(1).u8(0).u8(0).u8(0).u8(0);
    s.b().f32(1).f32(1).f32(0).f32(1).f32(0);
    s.indices({0, 1, 2}); // 2 is not below the vertex count: allowed, counted
    s.bounds(1, 6);
    s.mark("part count").u32(1);
    s.mark("bone count").u32(2).u32(3);
    s.matrix(2, 0);
    s.b().u32(5);
    s.matrix(1, -1);
    s.mark("material count").u32(1);
    s.b().counted("SkinnedMesh.fx").counted("humanskin").u32(1).counted("skin.dds");
    s.b().i32(0).u32(0).u32(3).u32(2).u32(0).u32(2);
    return s.done();
}

// A static file of the given LOD counts with empty LODs (no parts, no materials) and no
// vertices, followed by `tail`.
std::string emptyStaticFile(const std::vector<std::uint32_t>& lods, const std::string& tail) {
    SampleBuilder s(MeshKind::Static);
    s.header(11, lods);
    s.declaration({{0, 2, 0, 0}}, 12);
    s.b().u32(0);
    s.indices({});
    s.b().u32(8);
    for (std::uint32_t g = 0; g < lods.size(); ++g)
        for (std::uint32_t l = 0; l < lods[g]; ++l)
            s.bounds(0, 1), s.b().u32(0);
    for (std::uint32_t g = 0; g < lods.size(); ++g)
        for (std::uint32_t l = 0; l < lods[g]; ++l)
            s.b().u32(0);
    return s.done().bytes + tail;
}

bool read(const std::string& bytes, MeshKind kind, MeshFile& file, std::string& error) {
    return readMeshFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), kind,
                        file, error);
}

// The error of a file that must fail.
std::string errorOf(const std::string& bytes, MeshKind kind) {
    MeshFile file;
    std::string error;
    EXPECT_FALSE(read(bytes, kind, file, error));
    return error;
}

std::string withWord(std::string bytes, std::size_t at, std::uint32_t word) {
    for (unsigned i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((word >> (8 * i)) & 0xFF);
    return bytes;
}

TEST(MeshFileReader, StaticFileDecodesFieldByField) {
    const Sample sample = staticSample();
    // Header 29, declaration 52, primitive type, stride and count 12, vertices 144, indices
    // 10, sort copies 4, LOD block 24 + 4 + 128, material block 4 + 17 + 8 + 4 + 18 + 24 + 24.
    ASSERT_EQ(sample.bytes.size(), 506u);
    MeshFile f;
    std::string error;
    ASSERT_TRUE(read(sample.bytes, MeshKind::Static, f, error)) << error;
    EXPECT_EQ(std::tuple(f.version, f.lodCounts, f.stride, f.vertexCount, f.indices,
                         f.indicesOutOfRange, f.hasSortCopies, f.sortCopies, f.hasShadowSection),
              std::tuple(11u, std::vector<std::uint32_t>{1}, 48u, 3u,
                         std::vector<std::uint16_t>{0, 1, 2}, 0u, true, 8u, false));
    ASSERT_EQ(f.elements.size(), 6u);
    EXPECT_EQ(std::tuple(f.elements[3].offset, f.elements[3].usage),
              std::tuple(28, kUsageTexcoord));
    const LodBlock& lod = f.lods.at(0).at(0);
    EXPECT_EQ(std::tuple(lod.boundsMin, lod.boundsMax),
              std::tuple(Vector3(-2, -2, -2), Vector3(4, 4, 4)));
    ASSERT_EQ(lod.partTransforms.size(), 2u);
    EXPECT_EQ((std::array{lod.partTransforms[1][12], lod.partTransforms[1][14],
                          lod.partTransforms[1][15]}),
              (std::array{5.0f, 7.0f, 1.0f}));
    const MaterialRecord& m = f.materials.at(0).at(0).at(0);
    EXPECT_EQ(std::tuple(m.effect, m.technique, m.textures, m.indexCount, m.vertexCount,
                         m.hasBounds, m.boundsMax),
              std::tuple("StaticMesh.fx", "Base", std::vector<std::string>{"a.dds", "b.dds"}, 3u,
                         3u, true, Vector3(1, 1, 1)));
    const DecodedVertex v = decodeVertex(f, 2);
    ASSERT_EQ(v.elements.size(), 5u);
    EXPECT_EQ(v.find(kUsagePosition)->values, (std::array<float, 4>{2, 4, -2, 0}));
    EXPECT_EQ(v.find(kUsageTexcoord)->values, (std::array<float, 4>{0.25f, 0.5f, 0, 0}));
    EXPECT_EQ(v.find(kUsageTangent)->count, 3u);
    EXPECT_EQ(v.find(kUsageTexcoord, 1), nullptr);
}

TEST(MeshFileReader, BundledAndSkinnedFilesDecodeFieldByField) {
    MeshFile b;
    std::string error;
    ASSERT_TRUE(read(bundledSample().bytes, MeshKind::Bundled, b, error)) << error;
    EXPECT_EQ(b.version, 10u);
    EXPECT_EQ(b.lods.at(0).at(0).partCount, 2u);
    EXPECT_TRUE(b.lods[0][0].partTransforms.empty());
    ASSERT_EQ(b.materials.at(0).at(0).size(), 2u);
    EXPECT_EQ(b.materials[0][0][0].technique, "Alpha");
    EXPECT_FALSE(b.materials[0][0][0].hasBounds);
    EXPECT_EQ(b.materials[0][0][1].baseVertexIndex, 2);
    EXPECT_EQ(b.materials[0][0][1].vertexCount, 5u);
    EXPECT_EQ(decodeVertex(b, 1).find(kUsageBlendIndices)->bytes,
              (std::array<std::uint8_t, 4>{1, 0, 0, 0}));

    MeshFile s;
    ASSERT_TRUE(read(skinnedSample().bytes, MeshKind::Skinned, s, error)) << error;
    EXPECT_FALSE(s.hasSortCopies);
    EXPECT_EQ(s.stride, 52u);
    EXPECT_EQ(s.indicesOutOfRange, 1u);
    const LodBlock& lod = s.lods.at(0).at(0);
    EXPECT_EQ(lod.boundsMin, Vector3(1, 1, 1));
    ASSERT_EQ(lod.parts.size(), 1u);
    ASSERT_EQ(lod.parts[0].bones.size(), 2u);
    EXPECT_EQ(lod.parts[0].bones[0].skeletonIndex, 3u);
    EXPECT_EQ(lod.parts[0].bones[0].inverseBind[5], 2.0f);
    EXPECT_EQ(lod.parts[0].bones[1].skeletonIndex, 5u);
    EXPECT_EQ(lod.parts[0].bones[1].inverseBind[12], -1.0f);
    EXPECT_EQ(s.materials.at(0).at(0).at(0).partSize, 2u);
    const DecodedVertex v = decodeVertex(s, 0);
    EXPECT_EQ(v.find(kUsageBlendWeight)->values[0], 0.75f);
    EXPECT_EQ(v.find(kUsageBlendWeight)->count, 1u);
    EXPECT_EQ(v.find(kUsageBlendIndices)->bytes[0], 1);
    EXPECT_EQ(v.find(kUsageTexcoord)->values[1], 0.125f);
    EXPECT_EQ(v.find(kUsageTangent)->values[1], 1.0f);
}

TEST(MeshFileReader, EveryTruncationAndAnyTrailingByteFailWithAnOffset) {
    for (const Sample& sample : {staticSample(), bundledSample(), skinnedSample()}) {
        SCOPED_TRACE(kindName(sample.kind));
        for (std::size_t size = 0; size < sample.bytes.size(); ++size) {
            const std::string error = errorOf(sample.bytes.substr(0, size), sample.kind);
            ASSERT_EQ(error.rfind("offset ", 0), 0u) << size << ": " << error;
            EXPECT_LE(std::stoull(error.substr(7)), size) << error;
        }
        EXPECT_NE(errorOf(sample.bytes + '\0', sample.kind), "");
    }
}

TEST(MeshFileReader, HugeCountsFailAtTheCountWithoutAllocating) {
    const Sample st = staticSample(), bu = bundledSample(), sk = skinnedSample();
    const std::vector<std::pair<const Sample*, std::string>> cases = {
        {&st, "geometries"},    {&st, "element count"}, {&st, "vertex count"},
        {&st, "index count"},   {&st, "part count"},    {&st, "material count"},
        {&st, "effect length"}, {&st, "texture count"}, {&bu, "material count"},
        {&sk, "part count"},    {&sk, "bone count"},
    };
    for (const auto& [sample, field] : cases) {
        for (std::uint32_t count : {0xFFFFFFFFu, 0x80000000u, 0x10000001u}) {
            const std::string error =
                errorOf(withWord(sample->bytes, sample->at.at(field), count), sample->kind);
            EXPECT_EQ(error.rfind("offset " + std::to_string(sample->at.at(field)) + ": ", 0), 0u)
                << field << ' ' << count << ": " << error;
        }
    }
    // The LOD counts are checked together, once their blocks are due.
    EXPECT_NE(errorOf(withWord(st.bytes, st.at.at("lod count"), 0xFFFFFFFFu), MeshKind::Static)
                  .find("1 geometries of 4294967295 LODs need at least 120259084260 bytes"),
              std::string::npos);
}

TEST(MeshFileReader, InconsistentDeclarationsAndVersionsAreRefused) {
    const Sample st = staticSample();
    auto at = [&](const std::string& field) { return st.at.at(field); };
    auto patchByte = [&](std::size_t offset, std::uint8_t value) {
        std::string bytes = st.bytes;
        bytes[offset] = static_cast<char>(value);
        return bytes;
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {patchByte(at("element 1") + 2, 16), "offset " + std::to_string(at("element 1")) +
                                                 ": vertex element 1 lies at offset 16 instead of "
                                                 "12, the end of the element before it"},
        {patchByte(at("element 2") + 4, 18), "offset " + std::to_string(at("element 2")) +
                                                 ": vertex element 2 has the unknown type 18"},
        {patchByte(at("element 2") + 4, 17), "vertex element 2 has the unknown type 17"},
        {patchByte(at("element 2"), 1), "vertex element 2 uses stream 1"},
        {patchByte(at("element 3"), 0xFF),
         "vertex element 3 ends the declaration before its last (5)"},
        {patchByte(at("end element") + 4, 2),
         "the last vertex element (5) is not the end element (stream 255, type 17, the rest 0)"},
        {withWord(st.bytes, at("stride"), 52),
         "offset " + std::to_string(at("stride")) +
             ": vertex stride 52 is not the size of the declared elements (48)"},
        {withWord(st.bytes, at("element count"), 0), "the vertex declaration has no elements"},
    };
    for (const auto& [bytes, expected] : cases) {
        const std::string error = errorOf(bytes, MeshKind::Static);
        EXPECT_NE(error.find(expected), std::string::npos) << error;
    }
    EXPECT_EQ(errorOf(st.bytes, MeshKind::Bundled),
              "offset 4: version 11 is not that of a bundled mesh file (10)");
    EXPECT_EQ(errorOf(bundledSample().bytes, MeshKind::Static),
              "offset 4: version 10 is not that of a static mesh file (11)");
    EXPECT_EQ(errorOf(bundledSample().bytes, MeshKind::Skinned),
              "offset 4: version 10 is not that of a skinned mesh file (11)");
}

// Shadow block: bounds (lo, hi) and `parts` identity transforms.
std::string shadowBlock(float lo, float hi, std::uint32_t parts) {
    Bytes b;
    b.f32(lo).f32(lo).f32(lo).f32(hi).f32(hi).f32(hi).u32(parts);
    for (std::uint32_t p = 0; p < parts; ++p)
        for (int i = 0; i < 16; ++i)
            b.f32(i % 5 == 0 ? 1.0f : 0.0f);
    return b.str();
}

TEST(MeshFileReader, ShadowSectionIsReadGreedilyBetweenMarkers) {
    const std::string a = shadowBlock(-1, 1, 0), b = shadowBlock(-3, 3, 1),
                      c = shadowBlock(7, 9, 0);
    auto word = [](std::uint32_t w) { return Bytes().u32(w).str(); };
    // Geometry 0: LOD 0 with two blocks, LOD 1 with none; geometry 1: LOD 0 with one.
    const std::string section = word(0) + word(0) + a + b + word(1) + word(1) + word(0) + c;
    MeshFile f;
    std::string error;
    ASSERT_TRUE(read(emptyStaticFile({2, 1}, section), MeshKind::Static, f, error)) << error;
    ASSERT_TRUE(f.hasShadowSection);
    ASSERT_EQ(f.shadows.size(), 2u);
    ASSERT_EQ(f.shadows[0].size(), 2u);
    ASSERT_EQ(f.shadows[0][0].size(), 2u);
    EXPECT_EQ(f.shadows[0][0][1].boundsMin, Vector3(-3, -3, -3));
    EXPECT_EQ(f.shadows[0][0][1].partTransforms.size(), 1u);
    EXPECT_TRUE(f.shadows[0][1].empty());
    ASSERT_EQ(f.shadows[1].size(), 1u);
    ASSERT_EQ(f.shadows[1][0].size(), 1u);
    EXPECT_EQ(f.shadows[1][0][0].boundsMax, Vector3(9, 9, 9));

    const std::size_t end = emptyStaticFile({2, 1}, "").size();
    const std::vector<std::pair<std::string, std::string>> bad = {
        {word(7), "offset " + std::to_string(end) +
                      ": the bytes after the material blocks are no shadow section: geometry 0 "
                      "should be marked 0, found 7"},
        {word(0) + word(0) + a, "the shadow section ends before the marker 1 that follows "
                                "geometry 0 LOD 0"},
        {word(0) + word(0) + word(1) + word(1) + word(1), "geometry 1 LOD 0 should be marked 0"},
        {section + a.substr(0, 10), "unexpected end of file in shadow block 1 of geometry 1 LOD 0"},
    };
    for (const auto& [tail, expected] : bad) {
        const std::string why = errorOf(emptyStaticFile({2, 1}, tail), MeshKind::Static);
        EXPECT_NE(why.find(expected), std::string::npos) << why;
    }
    EXPECT_EQ(errorOf(emptyStaticFile({}, word(0)), MeshKind::Static),
              "offset 65: 4 bytes after the material blocks");
}

TEST(MeshVertexDecoder, PackedTypesDecodeToTheirValues) {
    struct Case {
        std::uint8_t type;
        std::string bytes;
        std::vector<float> values;
    };
    const std::vector<Case> cases = {
        // Half floats 1, -2, the smallest denormal 2^-24, and 65504.
        {16,
         Bytes().u16(0x3C00).u16(0xC000).u16(0x0001).u16(0x7BFF).str(),
         {1.0f, -2.0f, 5.9604645e-08f, 65504.0f}},
        {9, Bytes().u16(0x8000).u16(0x7FFF).str(), {-1.0f, 1.0f}},
        {11, Bytes().u16(0xFFFF).u16(0).str(), {1.0f, 0.0f}},
        {7, Bytes().u16(0xFFFE).u16(3).u16(0x8000).u16(0).str(), {-2, 3, -32768, 0}},
        // x 1023, y 1, z 512.
        {13, Bytes().u32(1023u | (1u << 10) | (512u << 20)).str(), {1023, 1, 512}},
        // x -512 (clamped to -1), y 511, z -1.
        {14, Bytes().u32(0x200u | (511u << 10) | (0x3FFu << 20)).str(), {-1, 1, -1.0f / 511}},
        {8, Bytes().u8(255).u8(0).u8(51).u8(1).str(), {1, 0, 0.2f, 1.0f / 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(elementTypeName(c.type));
        ASSERT_EQ(elementTypeSize(c.type), c.bytes.size());
        const DecodedVertex v =
            decodeVertex({{0, 0, c.type, 0, kUsagePosition, 0}},
                         reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size());
        ASSERT_EQ(v.elements.at(0).count, c.values.size());
        for (std::size_t i = 0; i < c.values.size(); ++i)
            EXPECT_FLOAT_EQ(v.elements[0].values[i], c.values[i]) << i;
    }
}

int runInfo(const std::vector<std::string>& args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    const int status = info::runInfo(args, o, e);
    out = o.str();
    err = e.str();
    return status;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(MeshFileInfo, PrintsEachKindWithItsVerticesAndWarnings) {
    test::TempDir dir;
    writeFile(dir.file("a.staticMesh"), staticSample().bytes);
    writeFile(dir.file("b.BundledMesh"), bundledSample().bytes);
    writeFile(dir.file("c.skinnedmesh"), skinnedSample().bytes);
    writeFile(dir.file("d.bin"), staticSample().bytes);
    writeFile(dir.file("e.bundledMesh"), staticSample().bytes);
    // Two bones: the skinned sample's skeleton bones 3 and 5 lie beyond them.
    const std::string pose = Bytes().f32(0).f32(0).f32(0).f32(1).f32(0).f32(0).f32(0).str();
    Bytes skeleton;
    skeleton.u32(2).u32(2);
    for (const auto& [name, parent] :
         {std::pair<std::string_view, std::uint16_t>{"hips", 0xFFFF}, {"spine", 0}})
        skeleton.u16(static_cast<std::uint16_t>(name.size() + 1)).term(name).u16(parent).raw(pose);
    writeFile(dir.file("f.ske"), skeleton.str());
    std::string out, err;
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{dir.file("a.staticMesh"), "--vertices", "9"},
         {"static mesh, version 11\n", "  offset 24: D3DCOLOR BLENDINDICES 0\n",
          "    parts: 2\n      part 0: [1 0 0 0] [0 1 0 0] [0 0 1 0] [0 1 2 1]\n"
          "      part 1: [1 0 0 0] [0 1 0 0] [0 0 1 0] [5 6 7 1]\n",
          "textures: 2: \"a.dds\", \"b.dds\"\n", "first 3 of 3 vertices:\n",
          "  vertex 2: POSITION0 (2, 4, -2) NORMAL0 (0, 1, 0) BLENDINDICES0 [0 0 0 0] TEXCOORD0 "
          "(0.25, 0.5) TANGENT0 (1, 0, 0)\n"}},
        {{dir.file("b.BundledMesh"), "--vertices", "1"},
         {"sort copies: 8\n", "    parts with geometry: 2\n",
          "warning: indices 3 to 6 reach past the index buffer (3)\n",
          "warning: vertices 2 to 7 lie outside the vertex buffer (3)\n", "(1, 0, 0); part 1\n"}},
        {{dir.file("c.skinnedmesh"), "--vertices", "1"},
         {"warning: 1 indices are not below the vertex count\n",
          "warning: 1 of its indices reach past its 2 vertices\n",
          "    bone 1: skeleton bone 5, inverse bind [1 0 0 0] [0 1 0 0] [0 0 1 0] [-1 0 1 1]\n",
          "BLENDWEIGHT0 (0.75) BLENDINDICES0 [1 0 0 0]", "; bones 1, 0 weights 0.75, 0.25\n"}},
        {{dir.file("d.bin"), "--kind", "static"}, {"static mesh, version 11\n"}},
    };
    for (const auto& [args, expected] : cases) {
        ASSERT_EQ(runInfo(args, out, err), 0) << err;
        for (const std::string& text : expected)
            EXPECT_NE(out.find(text), std::string::npos) << text << "\nin:\n" << out;
    }
    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{dir.file("e.bundledMesh")},
         "': offset 4: version 11 is not that of a bundled mesh file (10)\n"},
        {{dir.file("a.staticMesh"), "--kind", "rigid"}, "--kind takes static, bundled or skinned"},
        {{dir.file("a.staticMesh"), "--vertices", "3x"}, "--vertices takes a count (got '3x')"},
        {{dir.file("a.staticMesh"), "--lod"}, "unknown option '--lod' for mesh files"},
        {{dir.file("a.staticMesh"), "--vertices"}, "--vertices needs a value"},
        {{dir.file("a.staticMesh"), "--skeleton", dir.file("f.ske")},
         "--skeleton names the bones of skinned mesh files; '"},
        {{dir.file("c.skinnedmesh"), "--skeleton", dir.file("f.ske")},
         "c.skinnedmesh: skeleton bone 3 is beyond the 2 bones of "},
    };
    for (const auto& [args, expected] : failures) {
        EXPECT_EQ(runInfo(args, out, err), 1);
        EXPECT_NE(err.find(expected), std::string::npos) << err;
        EXPECT_EQ(out, "");
    }
}

// The fuzzer's seeds are the tiny files above; VORNEX_UPDATE_CORPUS=1 rewrites them.
TEST(MeshFileCorpus, SeedFilesAreTheTinyFiles) {
    const std::filesystem::path corpus =
        std::filesystem::path(VORNEX_SOURCE_DIR) / "fuzz" / "corpus" / "meshfile";
    const std::string shadow = Bytes().u32(0).u32(0).str() + shadowBlock(-1, 1, 1);
    const std::vector<std::pair<std::string, std::string>> seeds = {
        {"tiny.staticMesh", staticSample().bytes},
        {"tiny.bundledMesh", bundledSample().bytes},
        {"tiny.skinnedMesh", skinnedSample().bytes},
        {"shadow.staticMesh", emptyStaticFile({1}, shadow)},
    };
    if (std::getenv("VORNEX_UPDATE_CORPUS")) {
        std::filesystem::create_directories(corpus);
        for (const auto& [name, bytes] : seeds)
            writeFile((corpus / name).string(), bytes);
    }
    for (const auto& [name, bytes] : seeds)
        EXPECT_EQ(test::hex(test::readWholeFile((corpus / name).string())), test::hex(bytes))
            << name;
}

// The counts of indices reaching a threshold must match the literal scan of each range.
std::uint64_t literalCount(const std::vector<std::uint16_t>& indices, const IndexRangeQuery& q) {
    std::uint64_t count = 0;
    for (std::uint64_t p = q.begin; p < q.end && p < indices.size(); ++p)
        count += indices[static_cast<std::size_t>(p)] >= q.threshold ? 1u : 0u;
    return count;
}

TEST(IndexRangeCounts, MatchTheLiteralScanOfOverlappingRanges) {
    std::mt19937 random(7);
    for (std::size_t size : {0u, 1u, 37u, 1000u}) {
        // Values crowd a few thresholds so that ties and equal thresholds occur.
        const std::uint16_t top = size < 100 ? 8 : 65535;
        std::vector<std::uint16_t> indices(size);
        for (std::uint16_t& i : indices)
            i = static_cast<std::uint16_t>(random() % (std::uint32_t{top} + 1));
        std::vector<IndexRangeQuery> queries;
        for (int q = 0; q < 200; ++q) {
            const std::uint64_t begin = random() % (size + 5);
            const std::uint64_t end = begin + random() % (size + 5);
            queries.push_back({begin, end, static_cast<std::uint32_t>(random() % (top + 3u))});
        }
        queries.push_back({0, size, 0});
        queries.push_back({0, ~std::uint64_t{0}, 70000});
        queries.push_back({5, 2, 0}); // reversed: empty
        const std::vector<std::uint64_t> counts = countIndicesAtOrAbove(indices, queries);
        ASSERT_EQ(counts.size(), queries.size());
        for (std::size_t q = 0; q < queries.size(); ++q)
            EXPECT_EQ(counts[q], literalCount(indices, queries[q])) << size << " query " << q;
        EXPECT_EQ(counts[queries.size() - 3], size);
    }
}

// `vornex info` on lightmap sample files (the strict reader, the summary and the picture) and on
// DDS textures.

// One lumel: its position, the normal (0, 0, 1) and its triangle.
void sample(Bytes& b, float x, float y, float z, std::int32_t triangle) {
    b.f32(x).f32(y).f32(z).f32(0).f32(0).f32(1).i32(triangle);
}

// 2 × 2 lumels, two of them on triangle 0 of 1 (whose 18 floats count from 0).
std::string smallFile() {
    Bytes b = Bytes().raw("SMP2").u32(2).u32(2);
    sample(b, 0.25f, 0.25f, 0.0f, 0);
    sample(b, 0, 0, 0, -1);
    sample(b, 0.1f, 0.6f, 2.0f, 0);
    sample(b, 0, 0, 0, -1);
    b.u32(1);
    for (int f = 0; f < 18; ++f)
        b.f32(static_cast<float>(f));
    return b.str();
}

bool read(const std::string& bytes, info::SampleFileContents& contents, std::string& error) {
    return info::readSampleFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                contents, error);
}

TEST(SampleFileReader, ReadsEveryFieldOfAWellFormedFile) {
    info::SampleFileContents contents;
    std::string error;
    ASSERT_TRUE(read(smallFile(), contents, error)) << error;
    EXPECT_EQ(contents.width, 2u);
    EXPECT_EQ(contents.height, 2u);
    ASSERT_EQ(contents.samples.size(), 4u);
    EXPECT_EQ(contents.samples[2].position, (Vector3{0.1f, 0.6f, 2.0f}));
    EXPECT_EQ(contents.samples[2].normal, (Vector3{0, 0, 1}));
    EXPECT_EQ(contents.samples[3].triangle, -1);
    ASSERT_EQ(contents.triangles.size(), 1u);
    EXPECT_EQ(contents.triangles[0][2].normal, (Vector3{15, 16, 17}));
}

TEST(SampleFileReader, RefusesBrokenFilesNamingTheOffset) {
    const std::string good = smallFile();
    std::string badMagic = good;
    badMagic[3] = '1';
    std::string badTriangle = good;
    const std::int32_t three = 3;
    std::memcpy(badTriangle.data() + 12 + 2 * 28 + 24, &three, 4);
    std::string belowNone = good;
    const std::int32_t minusTwo = -2;
    std::memcpy(belowNone.data() + 12 + 24, &minusTwo, 4);
    const struct {
        std::string bytes;
        const char* reason;
    } cases[] = {
        {badMagic, "no \"SMP2\" at byte offset 0"},
        {Bytes().raw("SMP2").u32(0).u32(5).u32(0).str(), "lightmap size 0x5 at byte offset 4"},
        {Bytes().raw("SMP2").u32(0xFFFFFFFFu).u32(0xFFFFFFFFu).u32(0).str(),
         "4294967295x4294967295 lumels (28 bytes each) from byte offset 12 do not fit the 4 bytes "
         "left"},
        {good + "x", "the 1 triangles from byte offset 128 need 72 bytes, the file has 73"},
        {badTriangle, "lumel (0, 1) at byte offset 68 names triangle 3 of 1"},
        {belowNone, "lumel (0, 0) at byte offset 12 names triangle -2 of 1"},
    };
    for (const auto& c : cases) {
        info::SampleFileContents contents;
        std::string error;
        EXPECT_FALSE(read(c.bytes, contents, error)) << c.reason;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    // Every shorter piece of a good file is refused with a reason.
    for (std::size_t length = 0; length < good.size(); ++length) {
        info::SampleFileContents contents;
        std::string error;
        EXPECT_FALSE(read(good.substr(0, length), contents, error)) << length;
        EXPECT_FALSE(error.empty()) << length;
    }
}

TEST(SampleFileInfo, PrintsTheSummaryAndDrawsThePicture) {
    test::TempDir folder;
    const std::string path = folder.file("rock.samp_12");
    std::ofstream(path, std::ios::binary) << smallFile();
    const std::string picture = folder.file("rock.png");
    EXPECT_EQ(test::printedInfo({path, "--png", picture}),
              path +
                  ":\n"
                  "lightmap samples 2 x 2 lumels\n"
                  "triangles 1\n"
                  "lumels on a surface 2 of 4 (50%)\n"
                  "sample positions from (0.1, 0.25, 0) to (0.25, 0.6, 2)\n"
                  "picture " +
                  picture + "\n");
    const std::string png = test::readWholeFile(picture);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\2\0\0\0\2", 8)); // 2 × 2, big-endian

    std::ostringstream badOut;
    std::ostringstream badErr;
    EXPECT_EQ(info::runInfo({path, "--jpeg", picture}, badOut, badErr), 1);
    EXPECT_NE(badErr.str().find("sample files take only --png OUT.png"), std::string::npos);
    std::ofstream(folder.file("cut.samples"), std::ios::binary) << smallFile().substr(0, 20);
    EXPECT_EQ(info::runInfo({folder.file("cut.samples")}, badOut, badErr), 1);
    EXPECT_NE(badErr.str().find("cut.samples: the"), std::string::npos) << badErr.str();
    // A folder with the name of a sample file is not read as one.
    std::filesystem::create_directory(folder.file("folder.samples"));
    EXPECT_EQ(info::runInfo({folder.file("folder.samples")}, badOut, badErr), 1);
    EXPECT_NE(std::string(info::infoKindsText()).find("FILE.samples"), std::string::npos);
}

TEST(DdsFileInfo, DescribesTheTextureAndWritesItsTopLevelAsPng) {
    test::TempDir folder;
    vximage::RgbaImage top{4, 2, {}};
    for (int i = 0; i < 8; ++i)
        top.pixels.insert(top.pixels.end(), {static_cast<std::uint8_t>(30 * i), 200,
                                             static_cast<std::uint8_t>(255 - i), 255});
    vximage::RgbaImage second{2, 1, std::vector<std::uint8_t>(8, 9)};
    vximage::RgbaImage third{1, 1, std::vector<std::uint8_t>(4, 7)};
    const std::vector<std::uint8_t> bytes =
        vximage::encodeDds(vximage::DdsFormat::A8R8G8B8, {top, second, third});
    std::ofstream(folder.file("body_n_os.dds"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));

    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(
        info::runInfo({folder.file("body_n_os.dds"), "--png", folder.file("body.png")}, out, err),
        0)
        << err.str();
    EXPECT_NE(out.str().find("size 4 x 2, format A8R8G8B8, mip levels 3, " +
                             std::to_string(bytes.size()) + " bytes"),
              std::string::npos)
        << out.str();
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* png = stbi_load(folder.file("body.png").c_str(), &width, &height, &channels, 4);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(std::vector<std::uint8_t>(png, png + width * height * 4), top.pixels);
    stbi_image_free(png);

    // Damaged files and unknown options are refused with the file named.
    std::ofstream(folder.file("short.dds"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), 60);
    std::ostringstream none;
    std::ostringstream why;
    EXPECT_EQ(info::runInfo({folder.file("short.dds")}, none, why), 1);
    EXPECT_NE(why.str().find("short.dds"), std::string::npos) << why.str();
    EXPECT_EQ(info::runInfo({folder.file("body_n_os.dds"), "--vertices", "3"}, none, why), 1);
}

} // namespace
} // namespace vx::meshfile
