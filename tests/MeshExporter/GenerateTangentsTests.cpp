#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/GenerateTangents.h"
#include "tests/MeshExporter/MenderTestMeshes.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace vx {
namespace {

using test::menderVertex;

// Two triangles in the plane z = 0 sharing the edge x = 0, textured as mirror images of each
// other (s = |x|, t = y): their tangents are opposite, their binormals agree.
test::MenderMesh mirroredSeam() {
    const Vector3 up(0.0f, 0.0f, 1.0f);
    return {{menderVertex({-1.0f, 0.5f, 0.0f}, up, 1.0f, 0.5f),
             menderVertex({0.0f, 0.0f, 0.0f}, up, 0.0f, 0.0f),
             menderVertex({0.0f, 1.0f, 0.0f}, up, 0.0f, 1.0f),
             menderVertex({1.0f, 0.5f, 0.0f}, up, 1.0f, 0.5f)},
            {0, 1, 2, 1, 3, 2}};
}

// A grid of `columns` x `rows` points in the plane z = 0, one vertex per point, two triangles
// per cell, t = y and s = x mirrored about `mirrorColumn`.
test::MenderMesh mirroredGrid(std::uint32_t columns, std::uint32_t rows, int mirrorColumn) {
    test::MenderMesh mesh;
    for (std::uint32_t y = 0; y < rows; ++y)
        for (std::uint32_t x = 0; x < columns; ++x)
            mesh.vertices.push_back(
                menderVertex({static_cast<float>(x), static_cast<float>(y), 0.0f}, {0, 0, 1},
                             static_cast<float>(std::abs(static_cast<int>(x) - mirrorColumn)),
                             static_cast<float>(y)));
    for (std::uint32_t y = 0; y + 1 < rows; ++y)
        for (std::uint32_t x = 0; x + 1 < columns; ++x) {
            const std::uint32_t v = y * columns + x;
            mesh.indices.insert(mesh.indices.end(),
                                {v, v + 1, v + columns + 1, v, v + columns + 1, v + columns});
        }
    return mesh;
}

// The exporter's layout with four further bytes: position 0, normal 12, a 4-byte value at 24,
// texture coordinates 28, the vertex number 36, a marker 40.
constexpr std::uint32_t kStride = 44;

struct Packed {
    std::uint32_t vertexCount = 0;
    std::uint32_t indexCount = 0;
    std::uint32_t stride = kStride;
    std::vector<std::uint8_t> vertices;
    std::vector<std::uint16_t> indices;
};

Packed pack(const test::MenderMesh& mesh) {
    Packed p;
    p.vertexCount = static_cast<std::uint32_t>(mesh.vertices.size());
    p.indexCount = static_cast<std::uint32_t>(mesh.indices.size());
    p.vertices.resize(mesh.vertices.size() * kStride);
    for (std::uint32_t v = 0; v < p.vertexCount; ++v) {
        std::uint8_t* out = p.vertices.data() + v * kStride;
        const MenderVertex& m = mesh.vertices[v];
        const std::uint32_t value = 0xA0B0C000u + v;
        const std::uint32_t marker = 0xEE000000u | (v * 7919u);
        std::memcpy(out, &m.position, 12);
        std::memcpy(out + 12, &m.normal, 12);
        std::memcpy(out + 24, &value, 4);
        std::memcpy(out + 28, &m.s, 4);
        std::memcpy(out + 32, &m.t, 4);
        std::memcpy(out + 36, &v, 4);
        std::memcpy(out + 40, &marker, 4);
    }
    p.indices.assign(mesh.indices.begin(), mesh.indices.end());
    return p;
}

bool generate(Packed& p, std::uint32_t positionOffset = 0, std::uint32_t normalOffset = 12,
              std::uint32_t texCoordOffset = 28) {
    return generateTangents(p.vertexCount, p.indexCount, p.vertices, p.indices, p.stride,
                            positionOffset, normalOffset, texCoordOffset);
}

Vector3 floatsAt(const std::uint8_t* bytes) {
    Vector3 v;
    std::memcpy(&v, bytes, 12);
    return v;
}

TEST(GenerateTangents, SplitsAMirroredSeamAndCopiesEveryOtherByteFromTheSourceVertex) {
    test::MenderMesh seam = mirroredSeam();
    seam.vertices[1].normal = {}; // reported for the vertex and for its copy
    Packed p = pack(seam);
    const Packed input = p;
    exportErrorList().clear();
    ASSERT_TRUE(generate(p));
    EXPECT_EQ(p.stride, kStride + 24);
    EXPECT_EQ(p.vertexCount, 6u);
    EXPECT_EQ(p.indexCount, 6u);
    ASSERT_EQ(p.vertices.size(), 6u * p.stride);
    // Positions in order: (-1, .5), (0, 0), (0, 1), (1, .5); the right triangle gets copies of
    // the two on the seam, with the opposite tangent and the same binormal.
    EXPECT_EQ(p.indices, (std::vector<std::uint16_t>{0, 1, 2, 4, 3, 5}));
    const std::uint32_t sources[6] = {0, 1, 2, 3, 1, 2};
    for (std::uint32_t v = 0; v < 6; ++v) {
        SCOPED_TRACE(v);
        const std::uint8_t* out = p.vertices.data() + v * p.stride;
        const std::uint8_t* in = input.vertices.data() + sources[v] * kStride;
        EXPECT_EQ(std::memcmp(out, in, 12), 0);
        EXPECT_EQ(std::memcmp(out + 24, in + 24, kStride - 24), 0);
        EXPECT_EQ(floatsAt(out + 12), Vector3(0, 0, 1));
        const Vector3 tangent = floatsAt(out + kStride);
        const Vector3 binormal = floatsAt(out + kStride + 12);
        EXPECT_NEAR(tangent.x, v < 3 ? -1.0f : 1.0f, 1e-6f);
        EXPECT_NEAR(tangent.y, 0.0f, 1e-6f);
        EXPECT_NEAR(binormal.y, 1.0f, 1e-6f);
        EXPECT_NEAR(binormal.x, 0.0f, 1e-6f);
    }
    EXPECT_EQ(exportErrorList().entries(), std::vector<std::string>(2, test::kZeroNormalText));
    exportErrorList().clear();
}

TEST(GenerateTangents, RejectsWhatCannotBeMendedAndLeavesTheBuffersAlone) {
    struct Case {
        const char* name;
        void (*spoil)(Packed&);
        const char* reason;
        std::array<std::uint32_t, 3> offsets = {0, 12, 28}; // position, normal, texture set
    };
    const Case cases[] = {
        {"index count", [](Packed& p) { p.indexCount = 4; },
         "the index count 4 is not a multiple of 3"},
        {"index range", [](Packed& p) { p.indices[4] = 9; },
         "index 9 at position 4 is out of range of 4 vertices"},
        {"position", [](Packed& p) { std::memcpy(&p.vertices[kStride + 4], "\0\0\xc0\x7f", 4); },
         "vertex 1 has a position that is not a finite number (0, nan, 0)"},
        {"stride", [](Packed& p) { p.stride = 32; },
         "the texture coordinates at byte offset 28 does not fit a vertex of 32 bytes"},
        {"overlap",
         [](Packed&) {},
         "the position at byte offset 0 overlaps the normal at byte offset 8",
         {0, 8, 28}},
        {"vertex bytes", [](Packed& p) { p.vertices.pop_back(); },
         "4 vertices of 44 bytes need more than the 175 bytes given"},
        {"index buffer", [](Packed& p) { p.indexCount = 9; }, "9 indices expected, 6 given"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Packed p = pack(mirroredSeam());
        c.spoil(p);
        const Packed before = p;
        exportErrorList().clear();
        test::LogCapture log;
        EXPECT_FALSE(generate(p, c.offsets[0], c.offsets[1], c.offsets[2]));
        const std::string text = std::string("Cannot generate tangents: ") + c.reason;
        EXPECT_EQ(exportErrorList().entries(), std::vector<std::string>{text});
        EXPECT_TRUE(log.contains(text));
        EXPECT_EQ(p.vertices, before.vertices);
        EXPECT_EQ(p.indices, before.indices);
        EXPECT_EQ(std::tie(p.vertexCount, p.indexCount, p.stride),
                  std::tie(before.vertexCount, before.indexCount, before.stride));
    }
    exportErrorList().clear();
}

TEST(GenerateTangents, SixteenBitIndicesTakeAtMost65535VerticesAfterSplitting) {
    // 255 x 257 points: exactly 65535 vertices (which fit: the static export at the limit).
    // A mirrored column splits its vertices and the result no longer fits 16-bit indices.
    Packed split = pack(mirroredGrid(255, 257, 100));
    const Packed before = split;
    exportErrorList().clear();
    EXPECT_FALSE(generate(split));
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>{"Cannot generate tangents: the mended mesh has 65792 "
                                       "vertices, more than the 65535 that 16-bit indices can "
                                       "address"});
    EXPECT_EQ(split.vertices, before.vertices);
    EXPECT_EQ(split.vertexCount, before.vertexCount);
    exportErrorList().clear();
}

} // namespace
} // namespace vx
