// Skinned mesh exports of characters built in the scene model, read back with the strict reader
// of `vornex info`.
#include "AnimationExporter/Skeleton.h"
#include "AnimationExporter/SkeletonFileWriter.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshExporter.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Material.h"
#include "tests/MeshExporter/ExportRun.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tools/info/MeshFileReader.h"
#include "tools/info/MeshVertexDecoder.h"
#include "vximage/DdsCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace vx {
namespace {

using meshfile::MeshFile;
using test::buildMesh;
using test::cgfxMaterial;
using test::declared;
using test::Element;
using test::ExportSceneBuilder;
using test::MeshDraft;

std::string bone(int k) {
    return "b" + std::to_string(k);
}

// A small turn about z that differs from bone to bone, so that world matrices are not trivial.
Quaternion turnOf(int k) {
    const float half = 0.05f * static_cast<float>(k % 3 + 1);
    return {0.0f, 0.0f, std::sin(half), std::cos(half)};
}

Vector3 offsetOf(int k) {
    return {0.5f, 1.0f, k % 2 == 0 ? 0.25f : -0.25f};
}

// Bones b0 .. b{count-1}, each the child of the one before, under the root: skeleton index k.
void boneChain(ExportSceneBuilder& b, int count) {
    for (int k = 0; k < count; ++k)
        b.joint(bone(k), k == 0 ? "root_skinnedMesh" : bone(k - 1), offsetOf(k), turnOf(k));
}

// World matrix of bone k of the chain, composed here from the joints' definitions.
Matrix chainWorld(int k) {
    Matrix world;
    for (int i = k; i >= 0; --i)
        world = world * Matrix::fromQuaternion(turnOf(i), offsetOf(i));
    return world;
}

SkinWeight only(int influence) {
    return {{1.0f, 0.0f, 0.0f, 0.0f}, {influence, -1, -1, -1}};
}

// A transform `name` under `parent` holding the mesh "<name>Shape": one triangle per skin record
// i, at x = 3 * (firstX + i), z from `z`, its corners sharing the record; bound to
// `influences`.
void skinnedPart(ExportSceneBuilder& b, const std::string& name, const std::string& parent,
                 const std::vector<SkinWeight>& records, const std::vector<std::string>& influences,
                 int firstX = 0, float z = 0.0f, bool uv = true) {
    MeshDraft draft;
    // A tangent-space effect: no normal map to convert (or to miss).
    draft.groups = {cgfxMaterial("soldier_body", "SkinnedMeshTangent.fx", "", {"body_n.dds"})};
    draft.uvSets.resize(uv ? 1 : 0);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const float x = 3.0f * static_cast<float>(firstX + static_cast<int>(i));
        const int first = static_cast<int>(draft.positions.size());
        for (const Vector3& p : {Vector3(x, 0, z), Vector3(x, 0, z + 1), Vector3(x + 1, 0, z)}) {
            draft.positions.push_back(p);
            draft.normals.emplace_back(0, 1, 0);
            draft.skin.push_back(records[i]);
            if (uv)
                draft.uvSets[0].emplace_back(p.x * 0.01f, p.z * 0.1f);
        }
        draft.polygons.push_back({first, first + 1, first + 2});
        draft.groupOfPolygon.push_back(0);
    }
    b.transform(name, parent);
    b.skinnedMesh(name + "Shape", name, buildMesh(name + "Shape", draft), influences);
}

// One triangle per bone b{first} .. b{first+count-1}, each bound to its bone alone and placed
// at x = 3 * its bone number.
void boneMesh(ExportSceneBuilder& b, const std::string& name, int first, int count, float z) {
    std::vector<SkinWeight> records;
    std::vector<std::string> influences;
    for (int i = 0; i < count; ++i) {
        records.push_back(only(i));
        influences.push_back(bone(first + i));
    }
    skinnedPart(b, name, "lod0", records, influences, first, z);
}

ExportSceneBuilder& character(ExportSceneBuilder& b, int bones) {
    boneChain(b, bones);
    b.transform("geom0", "root_skinnedMesh");
    b.transform("lod0", "geom0");
    return b;
}

struct Export : test::ExportRun {
    explicit Export(ExportSceneBuilder& b, const std::string& name = "soldier")
        : ExportRun(b, name + ".skinnedMesh") {}
};

struct SkinnedVertex {
    Vector3 position;
    float weight = 0.0f;
    std::array<int, 2> bones{};
};

SkinnedVertex skinnedVertex(const MeshFile& f, std::uint32_t v) {
    const auto decoded = meshfile::decodeVertex(f, v);
    const auto* p = decoded.find(meshfile::kUsagePosition);
    const auto* indices = decoded.find(meshfile::kUsageBlendIndices);
    EXPECT_EQ(indices->bytes[2] | indices->bytes[3], 0);
    return {{p->values[0], p->values[1], p->values[2]},
            decoded.find(meshfile::kUsageBlendWeight)->values[0],
            {indices->bytes[0], indices->bytes[1]}};
}

std::vector<std::uint32_t> skeletonIndices(const meshfile::SkinnedPart& part) {
    std::vector<std::uint32_t> out;
    for (const meshfile::PartBone& b : part.bones)
        out.push_back(b.skeletonIndex);
    return out;
}

// The file's row-major 4x4 as a transform.
Matrix matrixOf(const meshfile::Matrix16& m) {
    Matrix4 full;
    for (std::size_t i = 0; i < 16; ++i)
        full.m[i / 4][i % 4] = m[i];
    return Matrix::fromMatrix4(full);
}

std::vector<std::uint32_t> range(std::uint32_t first, std::uint32_t count) {
    std::vector<std::uint32_t> out;
    for (std::uint32_t k = first; k < first + count; ++k)
        out.push_back(k);
    return out;
}

TEST(SkinnedMeshExport, PartsSplitOrMergeByTheKitsFlagAndBoneTablesInvertTheJoints) {
    struct Case {
        const char* name;
        int secondFirst, secondCount;
        const char* message;
        std::vector<std::vector<std::uint32_t>> parts; // skeleton indices by local index
    };
    const std::vector<Case> cases = {
        {"soldier",
         20,
         20,
         "zr: Merging mesh parts doesn't not work (probably never has!), bailing merge process.",
         {range(0, 20), range(20, 20)}},
        // Six bones shared: 20 + 6 new make 26, which fit one part.
        {"soldier_kits", 14, 12, "zr: Allowing mesh merge for kit meshes.", {range(0, 26)}},
        // 27 would not: the first part is left as it was and the second mesh starts its own.
        {"soldier_kits",
         14,
         13,
         "zr: Allowing mesh merge for kit meshes.",
         {range(0, 20), range(14, 13)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.secondCount));
        ExportSceneBuilder b("root_skinnedMesh");
        character(b, 40);
        boneMesh(b, "torso", 0, 20, 0.0f);
        boneMesh(b, "legs", c.secondFirst, c.secondCount, 5.0f);
        test::LogCapture log;
        Export e(b, c.name);
        ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
        EXPECT_TRUE(exportErrorList().empty())
            << testing::PrintToString(exportErrorList().entries());
        EXPECT_TRUE(log.contains(c.message));
        const MeshFile& f = e.file;
        const auto& parts = f.lods[0][0].parts;
        ASSERT_EQ(parts.size(), c.parts.size());
        for (std::size_t p = 0; p < parts.size(); ++p) {
            EXPECT_EQ(skeletonIndices(parts[p]), c.parts[p]) << "part " << p;
            for (const meshfile::PartBone& pb : parts[p].bones) {
                const Matrix4 product =
                    (chainWorld(static_cast<int>(pb.skeletonIndex)) * matrixOf(pb.inverseBind))
                        .toMatrix4();
                for (int r = 0; r < 4; ++r)
                    for (int col = 0; col < 4; ++col)
                        EXPECT_NEAR(product.m[r][col], r == col ? 1.0f : 0.0f, 1e-5f)
                            << "bone " << pb.skeletonIndex;
            }
        }
        // One material per part, parts in order: every vertex's bone, looked up in its part's
        // table, is the bone its triangle was bound to (placed at x = 3 * bone number).
        const auto& materials = f.materials[0][0];
        ASSERT_EQ(materials.size(), parts.size());
        std::size_t vertices = 0;
        for (std::size_t p = 0; p < materials.size(); ++p) {
            for (std::uint32_t i = 0; i < materials[p].vertexCount; ++i) {
                const SkinnedVertex v =
                    skinnedVertex(f, static_cast<std::uint32_t>(materials[p].baseVertexIndex) + i);
                ASSERT_LT(static_cast<std::size_t>(v.bones[0]), parts[p].bones.size());
                EXPECT_EQ(parts[p].bones[static_cast<std::size_t>(v.bones[0])].skeletonIndex,
                          static_cast<std::uint32_t>(std::floor(v.position.x / 3.0f)));
                EXPECT_EQ(v.bones[1], 0);
                EXPECT_EQ(v.weight, 1.0f);
            }
            vertices += materials[p].vertexCount;
        }
        EXPECT_EQ(vertices, 3u * (20u + static_cast<std::size_t>(c.secondCount)));
    }
}

TEST(SkinnedMeshExport, EachVertexKeepsItsTwoStrongestInfluences) {
    struct Case {
        SkinWeight record;
        std::array<int, 2> bones; // local indices: here the skeleton indices too
        float weight;             // weight 0 as written
    };
    const std::vector<Case> cases = {
        {only(2), {2, 0}, 1.0f},
        // A lone influence is written with weight 1 whatever the scene says.
        {{{0.6f, 0, 0, 0}, {1, -1, -1, -1}}, {1, 0}, 1.0f},
        // Equal weights: the lower slot is bone 0.
        {{{0.5f, 0.5f, 0, 0}, {3, 1, -1, -1}}, {3, 1}, 0.5f},
        // The third influence is dropped and the weights are not scaled up.
        {{{0.5f, 0.3f, 0.2f, 0}, {0, 1, 2, -1}}, {0, 1}, 0.5f},
        {{{0.3f, 0.7f, 0, 0}, {1, 3, -1, -1}}, {3, 1}, 0.7f},
        // No influence at all: held by the part's first bone.
        {{{0, 0, 0, 0}, {-1, -1, -1, -1}}, {0, 0}, 1.0f},
    };
    std::vector<SkinWeight> records;
    for (const Case& c : cases)
        records.push_back(c.record);
    ExportSceneBuilder b("root_skinnedMesh");
    character(b, 4);
    skinnedPart(b, "body", "lod0", records, {bone(0), bone(1), bone(2), bone(3)});
    Export e(b);
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    // Once for the mesh, counting the triangle's three vertices.
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>{"no max weight found, bone0: 3 vertices of mesh bodyShape "
                                       "bound to bone 0 with weight 1.0"});
    ASSERT_EQ(skeletonIndices(e.file.lods[0][0].parts.at(0)), range(0, 4));
    // Texture coordinates at 32, the tangent after them; no trailer after the indices.
    EXPECT_EQ(e.file.stride, 52u);
    EXPECT_EQ(declared(e.file), (std::vector<Element>{{0, 2, 0, 0},
                                                      {12, 2, 3, 0},
                                                      {24, 0, 1, 0},
                                                      {28, 4, 2, 0},
                                                      {32, 1, 5, 0},
                                                      {40, 2, 6, 0}}));
    EXPECT_FALSE(e.file.hasSortCopies);
    ASSERT_EQ(e.file.vertexCount, 3 * cases.size());
    for (std::uint32_t v = 0; v < e.file.vertexCount; ++v) {
        const SkinnedVertex got = skinnedVertex(e.file, v);
        const Case& c = cases[static_cast<std::size_t>(got.position.x / 3.0f)];
        EXPECT_EQ(got.bones, c.bones) << "vertex " << v << " at x " << got.position.x;
        EXPECT_EQ(got.weight, c.weight) << "vertex " << v << " at x " << got.position.x;
    }
}

TEST(SkinnedMeshExport, TheSkeletonIsFoundAboveTheLodAndSkeletonSubtreesAreNotMeshes) {
    ExportSceneBuilder b("root_skinnedMesh");
    b.joint("hips", "root_skinnedMesh", {0, 1, 0});
    b.joint("spine", "hips", {0, 2, 0});
    b.joint("strap", "spine", {0, 1, 0}, {}, false);
    b.transform("geom0", "root_skinnedMesh");
    b.transform("lod0", "geom0");
    // Without UV sets: no texture coordinates, the tangent at 32.
    skinnedPart(b, "body", "lod0", {only(0), only(1)}, {"hips", "spine"}, 0, 0.0f, false);
    skinnedPart(b, "root_Skeleton_proxy", "lod0", {only(0)}, {"strap"}, 5);
    test::LogCapture log;
    Export e(b);
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    EXPECT_TRUE(log.contains("Skeleton found, node:lod0 parent:root_skinnedMesh"));
    EXPECT_EQ(e.file.vertexCount, 6u);
    EXPECT_EQ(e.file.stride, 44u);
    EXPECT_EQ(declared(e.file),
              (std::vector<Element>{
                  {0, 2, 0, 0}, {12, 2, 3, 0}, {24, 0, 1, 0}, {28, 4, 2, 0}, {32, 2, 6, 0}}));

    // Named from the skeleton file, the bones and their inverse bind matrices: spine's world
    // position is (0, 3, 0).
    Skeleton skeleton;
    skeleton.buildSkeleton(*b.find("root_skinnedMesh"));
    ASSERT_TRUE(exportSkeletonToFile(skeleton, e.dir.file("soldier.ske")));
    const std::string out =
        test::printedInfo({e.mesh, "--skeleton", e.dir.file("soldier.ske"), "--vertices", "4"});
    for (const char* expected :
         {"    parts: 1\n      part 0: 2 bones\n",
          "        bone 1: skeleton bone 1 \"spine\", inverse bind [1 0 0 0] [0 1 0 0] [0 0 1 0] "
          "[0 -3 0 1]\n",
          "; bones 0, 0 weights 1, 0\n"})
        EXPECT_NE(out.find(expected), std::string::npos) << expected << "\nin:\n" << out;
}

TEST(SkinnedMeshExport, ExportsThatWouldWriteAFlawedFileFailAndSayWhy) {
    struct Case {
        const char* what;
        std::function<void(ExportSceneBuilder&)> scene;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"joints without anim_export",
         [](ExportSceneBuilder& b) {
             b.joint("hips", "root_skinnedMesh", {0, 1, 0}, {}, false);
             b.transform("geom0", "root_skinnedMesh");
             b.transform("lod0", "geom0");
             skinnedPart(b, "body", "lod0", {only(0)}, {"hips"});
         },
         "(ERROR) no skeleton found"},
        {"a fifth part",
         [](ExportSceneBuilder& b) {
             character(b, 5);
             for (int k = 0; k < 5; ++k)
                 boneMesh(b, "piece" + std::to_string(k), k, 1, static_cast<float>(k) * 3.0f);
         },
         "Too many meshes 4, max 4 meshes per skinnedMesh"},
        // 29 bones: the reason is named once, by the first bone past the part's 26.
        {"29 bones in one mesh",
         [](ExportSceneBuilder& b) {
             character(b, 29);
             boneMesh(b, "body", 0, 29, 0.0f);
         },
         "b26 Skin containing more than 26 bones. Total:26"},
        {"more vertices than 16-bit indices reach",
         [](ExportSceneBuilder& b) {
             character(b, 1);
             MeshDraft grid = test::gridDraft(
                 257, {cgfxMaterial("soldier_body", "SkinnedMesh.fx", "", {"body_n.dds"})});
             grid.skin.assign(grid.positions.size(), only(0));
             b.transform("body", "lod0");
             b.skinnedMesh("bodyShape", "body", buildMesh("bodyShape", grid), {bone(0)});
         },
         "Too many vertices in material. Max 65535 vertices allowed. this mesh: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExportSceneBuilder b("root_skinnedMesh");
        c.scene(b);
        Export e(b);
        EXPECT_FALSE(e.ok);
        const auto& entries = exportErrorList().entries();
        EXPECT_EQ(std::count(entries.begin(), entries.end(), c.message), 1)
            << testing::PrintToString(entries);
        EXPECT_FALSE(std::filesystem::exists(e.mesh));
    }
}

TEST(SkinnedMeshExport, UnboundVerticesExportOnBoneZeroWithOneReportPerMeshAndTheScript) {
    ExportSceneBuilder b("root_skinnedMesh");
    character(b, 3);
    b.joint("strap", "b0", {0, 1, 0}, {}, false);
    // Part 0: bound to b1 and b2. Part 1: no skin at all (two triangles, six vertices).
    // Part 2: one triangle on b2, one whose stronger influence is the joint strap.
    boneMesh(b, "torso", 1, 2, 0.0f);
    skinnedPart(b, "helmet", "lod0", {only(0), only(0)}, {}, 10, 5.0f);
    skinnedPart(b, "pouch", "lod0", {only(0), {{0.3f, 0.7f, 0, 0}, {0, 1, -1, -1}}},
                {bone(2), "strap"}, 20, 10.0f);
    Export e(b);
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    EXPECT_EQ(exportErrorList().entries(),
              (std::vector<std::string>{
                  "no skinning found for mesh: 6 vertices of mesh helmetShape bound to bone 0 "
                  "with weight 1.0",
                  "Mesh skinned to no-existing bone:strap   Possibly missing anim_export set to "
                  "that bone?: 3 vertices of mesh pouchShape bound to bone 0 with weight 1.0"}));
    // The unskinned part holds the skeleton's root as its bone 0; the pouch's bone 0 is b2.
    const auto& parts = e.file.lods[0][0].parts;
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(skeletonIndices(parts[0]), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(skeletonIndices(parts[1]), (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(skeletonIndices(parts[2]), (std::vector<std::uint32_t>{2}));
    for (std::uint32_t v = 0; v < e.file.vertexCount; ++v) {
        const SkinnedVertex got = skinnedVertex(e.file, v);
        if (got.position.x < 30.0f)
            continue; // the torso
        EXPECT_EQ(got.bones, (std::array<int, 2>{0, 0})) << "at x " << got.position.x;
        EXPECT_EQ(got.weight, 1.0f) << "at x " << got.position.x;
    }
    // A skinned asset has no part list; its script creates the geometry and includes the
    // designers' file, and the file list names it.
    EXPECT_EQ(test::readWholeFile(e.dir.file("soldier.con")),
              "GeometryTemplate.create SkinnedMesh soldier\r\n\r\ninclude soldier.tweak\r\n");
    EXPECT_NE(test::readWholeFile(e.dir.file("soldier.nfo")).find("soldier.con\r\n"),
              std::string::npos);
}

TEST(SkinnedMeshExport, NormalMapsAreConvertedOnTheFirstLodAndRenamedOnTheOthers) {
    ExportSceneBuilder b("root_skinnedMesh");
    character(b, 2);
    b.transform("lod1", "geom0");
    const auto material =
        cgfxMaterial("soldier_body", "SkinnedMesh.fx", "", {"crate/body_n.dds", "body_c.dds"});
    for (const char* lod : {"lod0", "lod1"}) {
        MeshDraft quad;
        quad.groups = {material};
        quad.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
        quad.normals.assign(4, {0, 0, 1});
        quad.uvSets = {{{0, 1}, {1, 1}, {1, 0}, {0, 0}}};
        quad.skin.assign(4, only(0));
        quad.polygons = {{0, 1, 2, 3}};
        quad.groupOfPolygon = {0};
        b.transform(std::string(lod) + "body", lod);
        b.skinnedMesh(std::string(lod) + "bodyShape", std::string(lod) + "body",
                      buildMesh(std::string(lod) + "bodyShape", quad), {bone(0)});
    }
    test::TempDir install;
    std::filesystem::create_directories(install.file("bin/plug-ins"));
    std::filesystem::copy_file(std::string(VORNEX_SOURCE_DIR) + "/MeshExporter/transform.fx",
                               install.file("bin/plug-ins/transform.fx"));
    setenv("MAYA_LOCATION", install.path().c_str(), 1);

    // With a device the first level converts the map found in the output's Textures folder; with
    // none (VORNEX_GL=off) every level is only pointed at a map an earlier export made. A level
    // is pointed at a converted map only when it exists, and a missing map is named once.
    const struct {
        const char* what;
        bool device, source, earlier;
        std::string report; // after the folder
    } cases[] = {
        {"converted", true, true, false, ""},
        {"no source", true, false, false,
         "Normal map body_n.dds not found in $Textures/: materials using it keep that "
         "tangent-space map"},
        {"no device", false, true, false,
         "Object-space normal map body_n_os.dds not found in $Textures/ and not converted: "
         "materials using body_n.dds keep that tangent-space map"},
        {"no device, converted earlier", false, true, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.device)
            setenv("VORNEX_GL", "off", 1);
        test::TempDir out;
        const vximage::RgbaImage flat{4, 4, std::vector<std::uint8_t>(64, 128)};
        const std::vector<std::uint8_t> map =
            vximage::encodeDds(vximage::DdsFormat::A8R8G8B8, {flat});
        std::filesystem::create_directories(out.file("Textures"));
        for (const char* name : {"body_n.dds", "body_n_os.dds"})
            if (std::string(name) == "body_n.dds" ? c.source : c.earlier)
                std::ofstream(out.file(std::string("Textures/") + name), std::ios::binary)
                    .write(reinterpret_cast<const char*>(map.data()),
                           static_cast<std::streamsize>(map.size()));
        exportErrorList().clear();
        ASSERT_TRUE(exportGameAssets(b.scene(), out.file("soldier.skinnedMesh"), nullptr, 0));
        const MeshFile file =
            test::readMeshBack(out.file("meshes/soldier.skinnedmesh"), meshfile::MeshKind::Skinned);
        ASSERT_FALSE(HasFailure()) << "the mesh file could not be read";
        const bool renamed = c.report.empty();
        for (int lod = 0; lod < 2; ++lod)
            EXPECT_EQ(file.materials[0][static_cast<std::size_t>(lod)][0].textures,
                      (std::vector<std::string>{
                          renamed ? "crate/body_n_os.dds" : "crate/body_n.dds", "body_c.dds"}))
                << "lod " << lod;
        EXPECT_EQ(std::filesystem::exists(out.file("Textures/body_n_os.dds")), renamed);
        std::vector<std::string> reports;
        if (!renamed) {
            std::string text = c.report;
            text.replace(text.find('$'), 1, out.path() + "/");
            reports.push_back(text);
        }
        EXPECT_EQ(exportErrorList().entries(), reports);
    }
    unsetenv("VORNEX_GL");
    unsetenv("MAYA_LOCATION");
}

} // namespace
} // namespace vx
