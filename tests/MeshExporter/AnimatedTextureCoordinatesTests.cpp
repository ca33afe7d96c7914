// Animated texture coordinates: the colour code of a triangle, and what detection sets.
#include "MeshExporter/AnimatedTextureCoordinates.h"
#include "MeshExporter/AnimatedUvState.h"
#include "MeshExporter/ExportErrorList.h"
#include "Shared/Graphics/Scene/Material.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vx {
namespace {

std::array<ExportVertex, 3> triangle(const std::array<Color, 3>& colors) {
    std::array<ExportVertex, 3> corners;
    for (std::size_t c = 0; c < 3; ++c) {
        corners[c].color = colors[c];
        corners[c].uvs[0] = {0.5f + 0.1f * static_cast<float>(c), 0.25f};
        corners[c].uvs[1] = {0.5f, 0.5f}; // the rotation pivot
    }
    return corners;
}

TEST(AnimatedTextureCoordinates, ColoursNameOneMatrixAndAnimationType) {
    const Color none{-1, -1, -1, -1};
    struct Case {
        const char* what;
        std::array<Color, 3> colors;
        std::int32_t matrix;
        std::int32_t type;
        const char* message; // prefix of the artist's message, or null
    };
    const auto all = [](float r, float g) {
        const Color c{r, g, 0, 1};
        return std::array<Color, 3>{c, c, c};
    };
    const std::vector<Case> cases = {
        {"red 0.7: matrix 3, type 0", all(0.7f, 0), 3, 0, nullptr},
        {"red 0.81: matrix 2, a rotation", all(0.81f, 0), 2, 1, nullptr},
        {"green 0.4 on every corner", all(0, 0.4f), 6, 0, nullptr},
        {"no colour: no matrix", {{none, none, none}}, 0, -1, nullptr},
        {"corners disagree",
         {{{0.7f, 0, 0, 1}, {0.7f, 0, 0, 1}, {0.6f, 0, 0, 1}}},
         0,
         0,
         "QVM: A animated polygone cant have less then 1 UV Matrix!: 0.700000 0.000000 0.000000 : "
         "0.700000 0.000000 0.000000 : 0.600000 0.000000 0.000000"},
        {"two channels", all(0.7f, 0.7f), 0, 0,
         "QVM: A animated polygone cant have more then 1 UV Matrix!"},
        {"matrix 9 is out of range", all(0.1f, 0), 0, 0,
         "QVM: UV Matrix index cant be less then 1 or bigger then 7"},
        {"type 2 is unknown", all(0.72f, 0), 3, 2, "QVM: Unknown UV Animation Type"},
    };
    for (const Case& c : cases) {
        exportErrorList().clear();
        animatedUvState().reset();
        auto corners = triangle(c.colors);
        const auto before = corners;
        decodeAnimatedTriangle(corners.data(), {1.0f, 4.0f});
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(corners[k].uvMatrix, c.matrix) << c.what;
            EXPECT_EQ(corners[k].animationType, c.type) << c.what;
        }
        if (c.message) {
            ASSERT_EQ(exportErrorList().entries().size(), 1u) << c.what;
            EXPECT_EQ(exportErrorList().entries()[0].rfind(c.message, 0), 0u)
                << c.what << ": " << exportErrorList().entries()[0];
        } else {
            EXPECT_TRUE(exportErrorList().empty()) << c.what;
        }
        EXPECT_EQ(animatedUvState().matrixCount, c.message && c.type != 2 ? 0 : c.matrix) << c.what;
        if (c.type == 1) {
            // Set 0 becomes the pivot; set 1 the offset from it, scaled by the texture's aspect.
            for (std::size_t k = 0; k < 3; ++k) {
                EXPECT_EQ(corners[k].uvs[0].u, 0.5f);
                EXPECT_FLOAT_EQ(corners[k].uvs[1].u, before[k].uvs[0].u - 0.5f);
                EXPECT_FLOAT_EQ(corners[k].uvs[1].v, (0.25f - 0.5f) * 4.0f);
            }
        } else if (c.type != -1) {
            EXPECT_EQ(corners[0].uvs[0], before[0].uvs[0]) << c.what;
        }
    }
}

TEST(AnimatedTextureCoordinates, DetectionByNameAndTheTexturesAspect) {
    EXPECT_TRUE(isAnimatedUvMaterial("tracks_AnimatedUV"));
    EXPECT_FALSE(isAnimatedUvMaterial("tracks_animateduv"));
    const std::vector<std::tuple<std::uint32_t, std::uint32_t, float, float>> sizes = {
        {256, 1024, 1, 4}, {1024, 256, 4, 1}, {512, 512, 1, 1}, {300, 200, 1, 1}, {200, 500, 1, 2}};
    for (const auto& [w, h, u, v] : sizes) {
        EXPECT_EQ(textureAspectScale(w, h), (std::array<float, 2>{u, v})) << w << "x" << h;
    }
    EXPECT_EQ(animatedTexturePath("c:/game/tank/tank.bundledMesh", "x/y\\\\tracks.dds"),
              "c:/game/tank//textures/tracks.dds");
    EXPECT_EQ(animatedTexturePath("tank.bundledMesh", "tracks.dds"), ".//textures/tracks.dds");

    // A 256 x 1024 texture beside the output scales v by 4.
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("textures"));
    {
        std::ofstream dds(dir.file("textures/tracks.dds"), std::ios::binary);
        unsigned char header[128] = {'D', 'D', 'S', ' ', 124};
        header[12] = 0x00;
        header[13] = 0x04; // height 1024
        header[16] = 0x00;
        header[17] = 0x01; // width 256
        dds.write(reinterpret_cast<const char*>(header), sizeof header);
    }
    auto material = std::make_shared<Material>("tracks_AnimatedUV");
    material->setText("zeph_FxTexture0", "vehicles/tank/tracks.dds");
    MaterialTriangles group{"tracks_AnimatedUV", material, {}, {0, 1, 2}};
    const Color red{0.81f, 0, 0, 1};
    const auto corners = triangle({red, red, red});
    group.vertices.assign(corners.begin(), corners.end());
    std::vector<MaterialTriangles> groups = {group};
    std::uint32_t uvSets = 1;
    exportErrorList().clear();
    animatedUvState().reset();
    applyAnimatedTextureCoordinates(groups, uvSets, dir.file("tank.bundledMesh"));
    EXPECT_EQ(uvSets, 2u);
    EXPECT_TRUE(animatedUvState().used);
    EXPECT_EQ(animatedUvState().matrixCount, 2);
    EXPECT_TRUE(exportErrorList().empty()) << exportErrorList().entries()[0];
    EXPECT_FLOAT_EQ(groups[0].corner(0).uvs[1].v, (0.25f - 0.5f) * 4.0f);
    // A missing texture: BundledMeshExport.AnAnimatedTextureThatCannotBeReadIsReported...
}

} // namespace
} // namespace vx
