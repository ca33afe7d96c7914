// Bundled mesh exports of scenes built in the scene model, read back with the strict reader.
#include "MeshExporter/BundledMeshDataExporter.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/MeshMaterialExporter.h"
#include "MeshExporter/StaticMeshDataExporter.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Material.h"
#include "tests/MeshExporter/ExportRun.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tools/info/MeshFileReader.h"
#include "tools/info/MeshVertexDecoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace vx {
namespace {

using meshfile::MeshFile;
using test::buildMesh;
using test::cgfxMaterial;
using test::ExportSceneBuilder;
using test::MeshDraft;

// One triangle per material at height y, `uvSets` sets, every corner coloured.
MeshDraft triangles(const std::vector<std::shared_ptr<Material>>& materials, float y,
                    std::size_t uvSets = 1, Color color = {-1, -1, -1, -1}) {
    MeshDraft draft;
    draft.groups = materials;
    draft.uvSets.resize(uvSets);
    for (std::size_t m = 0; m < materials.size(); ++m) {
        const float x = static_cast<float>(m) * 2.0f;
        const int first = static_cast<int>(draft.positions.size());
        for (const Vector3& p : {Vector3(x, y, 0), Vector3(x, y, 1), Vector3(x + 1, y, 0)}) {
            draft.positions.push_back(p);
            draft.normals.emplace_back(0, 1, 0);
            if (color.r != -1.0f)
                draft.colors.push_back(color);
            for (std::size_t k = 0; k < uvSets; ++k)
                draft.uvSets[k].emplace_back(p.x * 0.1f,
                                             p.z * 0.1f + 0.05f * static_cast<float>(k));
        }
        draft.polygons.push_back({first, first + 1, first + 2});
        draft.groupOfPolygon.push_back(static_cast<int>(m));
    }
    return draft;
}

struct Export : test::ExportRun {
    explicit Export(ExportSceneBuilder& b, const std::string& name = "jeep.bundledMesh")
        : ExportRun(b, name) {}
};

ExportSceneBuilder& vehicleFrame(ExportSceneBuilder& b) {
    b.transform("geom0", "root_bundledMesh");
    b.transform("lod0", "geom0");
    return b;
}

TEST(BundledMeshExport, VerticesCarryTheirPartAndStayInThePartsSpace) {
    const auto body = cgfxMaterial("jeep_body", "BundledMesh.fx", "", {"vehicles/jeep/body.dds"});
    const auto glass = cgfxMaterial("Alpha_Glass_EnvMap", "BundledMesh.fx", "", {"glass.dds"});
    const auto grille = cgfxMaterial("grille_alpha_test", "BundledMesh.fx", "", {"grille.dds"});
    const auto visor = cgfxMaterial("alpha_Visor", "BundledMesh.fx", "", {"visor.dds"});
    ExportSceneBuilder b("root_bundledMesh");
    vehicleFrame(b);
    b.transform("chassis", "lod0", test::translation(0, 1, 0));
    b.mesh("chassisShape", "chassis",
           buildMesh("chassisShape", triangles({body, glass, grille, visor}, 0)));
    // An anchor before the turret: a part without geometry, not counted in vertex numbers. It
    // sits where its transform puts it; its shape's own offset is not added.
    b.transform("hook__anchor", "chassis", test::translation(0, 0, -3));
    b.locator("hookShape", "hook__anchor", Vector3(0, 0, 5));
    b.transform("turret__RotationalBundle", "chassis", test::translation(0, 2, 0));
    b.mesh("turretShape", "turret__RotationalBundle",
           buildMesh("turretShape", triangles({body}, 5)));
    Export e(b);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(exportErrorList().entries(), std::vector<std::string>{});
    const MeshFile& f = e.file;
    EXPECT_EQ(f.version, 10u);
    EXPECT_EQ(f.lods[0][0].partCount, 2u) << "an anchor and two mesh parts";
    EXPECT_EQ(f.stride, 48u) << "one texture set, no animated second set";

    // The turret's vertices keep their own space (y 5, not 1 + 2 + 5) and carry part 1; the
    // chassis's part 0, though the anchor came before the turret.
    std::set<std::pair<int, float>> partAndHeight;
    for (std::uint32_t v = 0; v < f.vertexCount; ++v) {
        const auto decoded = meshfile::decodeVertex(f, v);
        partAndHeight.insert({decoded.find(meshfile::kUsageBlendIndices)->bytes[0],
                              decoded.find(meshfile::kUsagePosition)->values[1]});
    }
    EXPECT_EQ(partAndHeight, (std::set<std::pair<int, float>>{{0, 0.0f}, {1, 5.0f}}));
    const std::string script = test::readWholeFile(e.dir.file("jeep.con"));
    EXPECT_NE(script.find("\r\nObjectTemplate.anchor 0/0/-3.0000\r\n"), std::string::npos)
        << script;

    // Body and turret share the opaque body material; the glass and the visor are blended with
    // eight sorted copies, after the others and in their own order; the grille is tested
    // without copies. The techniques come from the names.
    const auto& materials = f.materials[0][0];
    ASSERT_EQ(materials.size(), 4u);
    EXPECT_EQ(materials[0].technique, "");
    EXPECT_EQ(materials[0].indexCount, 6u);
    EXPECT_EQ(materials[1].technique, "Alpha_Test");
    EXPECT_EQ(materials[2].technique, "Alpha_Glass_EnvMap");
    EXPECT_EQ(materials[2].indexCount, 3u);
    EXPECT_EQ(materials[3].technique, "alpha_Visor");
    EXPECT_EQ(f.indices.size(), 6u + 3u + 2u * 8u * 3u);

    // vornex info tells the alpha modes apart by what the file holds.
    const std::string text = test::printedInfo({e.mesh});
    EXPECT_NE(text.find("        opaque\n"), std::string::npos) << text;
    EXPECT_NE(text.find("        alpha tested\n"), std::string::npos) << text;
    EXPECT_NE(
        text.find("        alpha blended: 8 sorted copies of its triangles, indices 9 to 32\n"),
        std::string::npos)
        << text;
}

TEST(MeshMaterialTechniques, NamesChooseAlphaModesAndTechniques) {
    struct Case {
        ExportType type;
        const char* name;
        std::uint32_t alphaMode;
        const char* technique; // as written; static meshes keep "Base" unless blended
    };
    const std::vector<Case> cases = {
        {kStaticMesh, "AlphaLeaves", 1, "AlphaLeaves"},
        {kStaticMesh, "AlphaTestLeaves", 0, "Base"},
        {kStaticMesh, "alphatest_fence", 0, "Base"},
        {kBundledMesh, "Glass_Alpha_EnvMap", 0, "AlphaEnvMap"},
        {kBundledMesh, "cockpit_alpha_one_nohemilight", 0, "Alpha_OneCockpitNoHemiLight"},
        {kBundledMesh, "Alpha_Glass_EnvMap", 1, "Alpha_Glass_EnvMap"},
        {kBundledMesh, "alpha_alpha_test", 2, "Alpha_Test"},
        {kMeshParticleMesh, "smoke_AnimatedUV_colormapgloss", 0, "AnimatedUVColormapGloss"},
        {kSkinnedMesh, "humanskin_alpha_test", 0, "humanskin_alpha_testAlpha_Test"},
        {kSkinnedMesh, "gear_envmap", 0, "EnvMap"},
    };
    const ExportType before = currentExportType();
    for (const Case& c : cases) {
        currentExportType() = c.type;
        MeshMaterialExporter::Entry entry;
        entry.technique = "Base";
        entry.record.name = c.name;
        if (c.type == kStaticMesh)
            entry.record.alphaMode = isStaticAlphaMaterial(c.name) ? 1 : 0;
        else if (c.type != kSkinnedMesh)
            entry.record.alphaMode = bundledAlphaMode(c.name);
        EXPECT_EQ(entry.record.alphaMode, c.alphaMode) << c.name;
        EXPECT_EQ(writtenTechnique(entry), c.technique) << c.name;
    }
    currentExportType() = before;
}

TEST(BundledMeshExport, PartsOfTheSameShapeInTheirOwnSpaceAreNotDuplicates) {
    // Two wheels of one shape: their triangles coincide in part space, and both are kept.
    const auto tyre = cgfxMaterial("tyre", "BundledMesh.fx", "", {"tyre.dds"});
    ExportSceneBuilder b("root_bundledMesh");
    vehicleFrame(b);
    b.transform("chassis", "lod0");
    b.mesh("chassisShape", "chassis", buildMesh("chassisShape", triangles({tyre}, 0)));
    for (const char* wheel : {"wheel_left__RotationalBundle", "wheel_right__RotationalBundle"}) {
        b.transform(wheel, "chassis", test::translation(wheel[6] == 'l' ? -1.0f : 1.0f, 0, 0));
        b.mesh(std::string(wheel) + "Shape", wheel,
               buildMesh("wheelShape", triangles({tyre}, 0.5f)));
    }
    Export e(b);
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    EXPECT_EQ(e.file.materials[0][0][0].indexCount, 9u) << "three parts, a triangle each";
    EXPECT_EQ(e.file.lods[0][0].partCount, 3u);
}

TEST(BundledMeshExport, AnAnimatedTextureThatCannotBeReadIsReportedAndTheExportGoesOn) {
    // The layouts, matrix numbers and techniques of animated materials are checked in the
    // layout and technique tables and the vehicle's end-to-end export.
    const auto tracks = cgfxMaterial("tracks_AnimatedUV", "BundledMesh.fx", "", {"tracks.dds"});
    ExportSceneBuilder b("root_bundledMesh");
    vehicleFrame(b);
    b.transform("chassis", "lod0");
    b.mesh("chassisShape", "chassis",
           buildMesh("chassisShape", triangles({tracks}, 0, 2, {0.7f, 0, 0, 1})));
    Export e(b);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>{"QVM: Unable to read texture data!: " + e.dir.path() +
                                       "//textures/tracks.dds"});
}

TEST(BundledMeshExport, MeshParticlesUseTheBundledFileAndSkipNonvisNodes) {
    ExportSceneBuilder b("root_meshParticleMesh");
    b.transform("geom0", "root_meshParticleMesh");
    b.transform("lod0", "geom0");
    b.transform("spark__Particle", "lod0");
    b.mesh("sparkShape", "spark__Particle",
           buildMesh("sparkShape",
                     triangles({cgfxMaterial("spark", "BundledMesh.fx", "", {"s.dds"})}, 0)));
    Export e(b, "Spark.meshParticleMesh");
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    EXPECT_EQ(e.file.version, 10u);
}

} // namespace
} // namespace vx
