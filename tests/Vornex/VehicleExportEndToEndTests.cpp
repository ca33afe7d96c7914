// A vehicle of movable parts in one hierarchy (a hull holding turret, hatch, periscope, grille,
// animated tracks and a tow hook anchor) exported through the host program and read back.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/RunVornex.h"
#include "tests/tools/info/FileReadBack.h"
#include "tools/info/MeshVertexDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace vx {
namespace {

using test::fixturePath;
using test::vornex;

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

} // namespace
} // namespace vx
