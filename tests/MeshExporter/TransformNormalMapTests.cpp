#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshMaterialExporter.h"
#include "MeshExporter/NormalMapReferences.h"
#include "MeshExporter/TransformNormalMap.h"
#include "tests/MeshExporter/FrameMesh.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "vximage/DdsCodec.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace vx {
namespace {

using Texel = std::array<int, 4>; // r, g, b, a as stored
using NormalField = std::function<Vector3(int x, int y)>;

constexpr int kSize = 16;

Texel encode(Vector3 n) {
    n = n.normalized();
    auto channel = [](float c) {
        return static_cast<int>(std::lround((c * 0.5f + 0.5f) * 255.0f));
    };
    return {channel(n.x), channel(n.y), channel(n.z), 255};
}

Vector3 decode(const Texel& t) {
    auto value = [](int c) { return static_cast<float>(c) / 255.0f * 2.0f - 1.0f; };
    return {value(t[0]), value(t[1]), value(t[2])};
}

using test::FrameMesh;

// Source maps are written and results read as the artist's tools would: plain DDS files.
void writeMap(const std::string& path, const NormalField& field) {
    vximage::RgbaImage image{kSize, kSize, {}};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Texel t = encode(field(x, y));
            for (int c = 0; c < 4; ++c)
                image.pixels.push_back(static_cast<std::uint8_t>(t[static_cast<std::size_t>(c)]));
        }
    const std::vector<std::uint8_t> bytes =
        vximage::encodeDds(vximage::DdsFormat::A8R8G8B8, {image});
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Every texel of the file, row by row; empty when it cannot be read.
std::vector<Texel> readMap(const std::string& path) {
    const std::string bytes = test::readWholeFile(path);
    vximage::RgbaImage image;
    std::string error;
    std::vector<Texel> texels;
    if (!vximage::decodeDds(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                            image, error))
        return texels;
    for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4)
        texels.push_back(
            {image.pixels[i], image.pixels[i + 1], image.pixels[i + 2], image.pixels[i + 3]});
    return texels;
}

// Each test runs in a folder of its own with the shipped effect in the installation folder's
// "bin/plug-ins", the last place the search looks.
class TransformNormalMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_install.file("bin/plug-ins"));
        std::filesystem::copy_file(std::string(VORNEX_SOURCE_DIR) + "/MeshExporter/transform.fx",
                                   m_install.file("bin/plug-ins/transform.fx"));
        setenv("MAYA_LOCATION", m_install.path().c_str(), 1);
    }
    void TearDown() override { unsetenv("MAYA_LOCATION"); }

    std::string output() const { return m_out.file("soldier.skinnedMesh"); }
    std::string texture(const std::string& name) const { return m_out.file("Textures/" + name); }

    static void addMaterial(MeshMaterialExporter& materials, const std::string& effect,
                            const std::string& map, const MeshMaterialRecord& record) {
        MeshMaterialExporter::Entry entry;
        entry.effectFile = effect;
        entry.textures = {map, "chars/body_c.dds"};
        entry.record = record;
        materials.entries().push_back(entry);
    }

    // Converts, releases and renames as the skinned exporter does; the log of the whole run is
    // kept for the checks.
    bool convert(FrameMesh& mesh, MeshMaterialExporter& materials) {
        TransformNormalMap transform;
        if (!transform.initContext())
            return false;
        const bool converted = transform.convertSkinnedMesh(mesh, materials);
        transform.release();
        pointAtObjectSpaceMaps(output(), materials);
        return converted;
    }

    // The run's log, shown when a conversion fails.
    std::string logText() const {
        std::string text;
        for (const std::string& line : m_log.scriptLines())
            text += line + "\n";
        return text;
    }

    test::TempDir m_install;
    test::TempDir m_out;
    test::LogCapture m_log;
};

Vector3 bumps(int x, int y) {
    return {static_cast<float>(x - 7) / 9.0f, static_cast<float>(5 - y) / 11.0f, 1.0f};
}

void expectNear(const Texel& actual, const Texel& expected, const std::string& where) {
    for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(actual[static_cast<std::size_t>(c)], expected[static_cast<std::size_t>(c)], 1)
            << where << " channel " << c;
}

TEST_F(TransformNormalMapTest, OutliningGrowsCoveredTexelsTwoTexelsOutwards) {
    const Vector3 constant{0.3f, -0.2f, 0.9f};
    writeMap(texture("half_n.dds"), [&](int, int) { return constant; });
    FrameMesh mesh(output());
    MeshMaterialExporter materials;
    // Covers the texel columns 0..7 of 16.
    addMaterial(materials, "skinnedMesh.fx", "half_n.dds",
                mesh.addGrid({0, 1, 0}, {0, 0, 1}, 0.0f, 0.5f));
    ASSERT_TRUE(convert(mesh, materials)) << logText();

    const std::vector<Texel> before = readMap(texture("half_n_beforeOL.dds"));
    const std::vector<Texel> after = readMap(texture("half_n_os.dds"));
    ASSERT_EQ(before.size(), static_cast<std::size_t>(kSize * kSize));
    ASSERT_EQ(after.size(), before.size());
    const Texel converted = encode(decode(encode(constant)));
    for (int y = 0; y < kSize; ++y) {
        const auto at = [&](int x) { return static_cast<std::size_t>(y * kSize + x); };
        expectNear(before[at(7)], converted, "covered column 7");
        EXPECT_EQ(before[at(8)], (Texel{0, 0, 0, 0})) << "row " << y;
        for (int x : {7, 8, 9})
            expectNear(after[at(x)], converted, "grown column " + std::to_string(x));
        EXPECT_EQ(after[at(10)], (Texel{0, 0, 0, 0})) << "row " << y;
    }
}

TEST_F(TransformNormalMapTest, EveryTexelIsTurnedByItsMaterialsFrameAndTangentEffectsKeepTheirs) {
    writeMap(texture("body_n.dds"), bumps);
    FrameMesh mesh(output());
    MeshMaterialExporter materials;
    // Two materials share one map, each covering half of it (texel columns 0..7 and 8..15); the
    // third works in tangent space and names a map that does not exist, which must not be read.
    addMaterial(materials, "skinnedMesh.fx", "chars/body_n.dds",
                mesh.addGrid({0, 1, 0}, {0, 0, 1}, 0.0f, 0.5f));
    addMaterial(materials, "skinnedMesh.fx", "chars/body_n.dds",
                mesh.addGrid({-1, 0, 0}, {0, 0, 1}, 0.5f, 1.0f));
    addMaterial(materials, "SkinnedMesh_Tangent.fx", "chars/arm_n.dds",
                mesh.addGrid({0, 1, 0}, {0, 0, 1}, 0, 1));
    ASSERT_TRUE(convert(mesh, materials)) << logText();
    EXPECT_EQ(materials.entries()[0].textures[0], "chars/body_n_os.dds");
    EXPECT_EQ(materials.entries()[1].textures[0], "chars/body_n_os.dds");
    EXPECT_EQ(materials.entries()[1].textures[1], "chars/body_c.dds");
    EXPECT_EQ(materials.entries()[2].textures[0], "chars/arm_n.dds");
    EXPECT_FALSE(std::filesystem::exists(texture("arm_n_os.dds")));

    // The frame (t, b, n) maps a tangent-space normal (x, y, z) to x t + y b + z n: the left
    // half as it was, the right half a quarter turn about z, (-y, x, z).
    const std::vector<Texel> result = readMap(texture("body_n_os.dds"));
    ASSERT_EQ(result.size(), static_cast<std::size_t>(kSize * kSize));
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Vector3 in = decode(encode(bumps(x, y)));
            expectNear(result[static_cast<std::size_t>(y * kSize + x)],
                       encode(x < kSize / 2 ? in : Vector3{-in.y, in.x, in.z}),
                       "at " + std::to_string(x) + "," + std::to_string(y));
        }
    EXPECT_TRUE(m_log.contains("Success TransformNormalMap::initContext()"));
    EXPECT_TRUE(m_log.contains("Beginning Pass 1 (outlining)"));
    EXPECT_TRUE(m_log.contains("D3DDevice released w/ refCnt: 0"));
}

TEST_F(TransformNormalMapTest, FailuresLeaveTheNamesAsTheyWere) {
    std::filesystem::create_directories(m_out.file("Textures"));
    std::ofstream(texture("broken_n.dds")) << "not an image";
    FrameMesh mesh(output());
    MeshMaterialExporter materials;
    addMaterial(materials, "skinnedMesh.fx", "chars/broken_n.dds",
                mesh.addGrid({0, 1, 0}, {0, 0, 1}, 0, 1));
    exportErrorList().clear();
    EXPECT_FALSE(convert(mesh, materials));
    EXPECT_EQ(materials.entries()[0].textures[0], "chars/broken_n.dds");
    EXPECT_FALSE(std::filesystem::exists(texture("broken_n_os.dds")));
    exportErrorList().clear();
    EXPECT_TRUE(m_log.contains("Transformnormalmap error: "));

    setenv("VORNEX_GL", "off", 1);
    TransformNormalMap noDevice;
    EXPECT_FALSE(noDevice.initContext());
    unsetenv("VORNEX_GL");
}

} // namespace
} // namespace vx
