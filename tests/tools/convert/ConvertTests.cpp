// `vornex convert` on the example game files: the written glTF read back with tinygltf and
// checked against the files as the strict readers of `vornex info` decode them; and `vornex
// render` of the same files.
#include "MeshExporter/ObjectTemplateWriter.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/tools/convert/ExampleGameFiles.h"
#include "tests/tools/info/FileReadBack.h"
#include "tools/convert/ConvertCommand.h"
#include "tools/convert/ObjectTemplatePlacement.h"
#include "tools/info/MeshVertexDecoder.h"
#include "tools/render/GameMeshRenderCommand.h"
#include "vximage/DdsCodec.h"
#include "vximage/ImageDecoder.h"

#include <vornexhost/ViewportContext.h>

#include <tiny_gltf.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace vx {
namespace {

using test::convertOutput;
using test::exampleGameFiles;

struct Converted {
    int status = -1;
    std::string messages;
    tinygltf::Model model;
};

Converted convert(std::vector<std::string> args) {
    Converted c;
    std::ostringstream out, err;
    c.status = convert::runConvert(args, out, err);
    c.messages = err.str();
    const auto o = std::find(args.begin(), args.end(), "-o");
    if (c.status == 0 && o != args.end()) {
        tinygltf::TinyGLTF loader;
        std::string error, warning;
        EXPECT_TRUE(loader.LoadBinaryFromFile(&c.model, &error, &warning, *(o + 1))) << error;
    }
    return c;
}

// The accessor's elements as floats (or widened integers), `width` per element.
std::vector<double> values(const tinygltf::Model& m, int index, std::size_t& width) {
    const tinygltf::Accessor& a = m.accessors.at(static_cast<std::size_t>(index));
    const tinygltf::BufferView& v = m.bufferViews.at(static_cast<std::size_t>(a.bufferView));
    const unsigned char* p = m.buffers.at(0).data.data() + v.byteOffset + a.byteOffset;
    width = static_cast<std::size_t>(
        tinygltf::GetNumComponentsInType(static_cast<std::uint32_t>(a.type)));
    std::vector<double> out(a.count * width);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (a.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT) {
            float f;
            std::memcpy(&f, p + 4 * i, 4);
            out[i] = static_cast<double>(f);
        } else if (a.componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT) {
            std::uint16_t s;
            std::memcpy(&s, p + 2 * i, 2);
            out[i] = s;
        } else {
            std::uint32_t u;
            std::memcpy(&u, p + 4 * i, 4);
            out[i] = u;
        }
    }
    return out;
}

std::vector<double> values(const tinygltf::Model& m, int index) {
    std::size_t width = 0;
    return values(m, index, width);
}

const tinygltf::Node* node(const tinygltf::Model& m, const std::string& name) {
    for (const tinygltf::Node& n : m.nodes)
        if (n.name == name)
            return &n;
    ADD_FAILURE() << "no node " << name;
    return nullptr;
}

// The primitive's triangles, its winding turned back and z mirrored back, against the file's
// vertices `fileCorners` (three per triangle, the file's order): positions, normals and every
// texture coordinate set.
void expectSameTriangles(const tinygltf::Model& m, const tinygltf::Primitive& p,
                         const meshfile::MeshFile& file,
                         const std::vector<std::uint32_t>& fileCorners) {
    const std::vector<double> indices = values(m, p.indices);
    ASSERT_EQ(indices.size(), fileCorners.size());
    const std::vector<double> positions = values(m, p.attributes.at("POSITION"));
    const std::vector<double> normals = values(m, p.attributes.at("NORMAL"));
    std::vector<std::vector<double>> uvs;
    for (int k = 0; p.attributes.count("TEXCOORD_" + std::to_string(k)); ++k)
        uvs.push_back(values(m, p.attributes.at("TEXCOORD_" + std::to_string(k))));
    const std::size_t swap[3] = {0, 2, 1};
    for (std::size_t c = 0; c < indices.size(); ++c) {
        const auto v = static_cast<std::size_t>(indices[c - c % 3 + swap[c % 3]]);
        const meshfile::DecodedVertex expected = meshfile::decodeVertex(file, fileCorners[c]);
        const auto& position = *expected.find(meshfile::kUsagePosition);
        const auto& normal = *expected.find(meshfile::kUsageNormal);
        const double mirror[3] = {1, 1, -1};
        for (std::size_t a = 0; a < 3; ++a) {
            ASSERT_EQ(positions[3 * v + a] * mirror[a], position.values[a]) << "corner " << c;
            ASSERT_NEAR(normals[3 * v + a] * mirror[a], normal.values[a], 1e-6) << "corner " << c;
        }
        std::size_t sets = 0;
        for (const meshfile::DecodedElement& e : expected.elements) {
            if (e.usage != meshfile::kUsageTexcoord)
                continue;
            ++sets;
            ASSERT_LT(e.usageIndex, uvs.size());
            ASSERT_EQ(uvs[e.usageIndex][2 * v], e.values[0]);
            ASSERT_EQ(uvs[e.usageIndex][2 * v + 1], e.values[1]);
        }
        ASSERT_EQ(sets, uvs.size());
    }
}

std::vector<std::uint32_t> fileCorners(const meshfile::MeshFile& file,
                                       const meshfile::MaterialRecord& r) {
    std::vector<std::uint32_t> corners;
    for (std::uint32_t i = r.startIndex; i < r.startIndex + r.indexCount; ++i)
        corners.push_back(static_cast<std::uint32_t>(r.baseVertexIndex + file.indices[i]));
    return corners;
}

TEST(Convert, StaticMeshRoundTripsWithItsMaterialsAndCollisionScene) {
    const auto& files = exampleGameFiles();
    const std::string out = convertOutput("bunker.glb");
    const Converted c = convert({files.bunker, "-o", out, "--collision", files.bunkerCollision,
                                 "--textures", files.textures});
    ASSERT_EQ(c.status, 0) << c.messages;
    // Its only texture is not among the examples: untextured, and said so.
    EXPECT_NE(c.messages.find("warning: texture \"buildings/bunker/concrete_base.dds\" not found"),
              std::string::npos)
        << c.messages;
    const meshfile::MeshFile file = test::readMeshBack(files.bunker, meshfile::MeshKind::Static);
    ASSERT_EQ(c.model.scenes.size(), 2u);
    const tinygltf::Node* lod = node(c.model, "geom0_lod0");
    ASSERT_TRUE(lod);
    const auto& primitives = c.model.meshes.at(static_cast<std::size_t>(lod->mesh)).primitives;
    ASSERT_EQ(primitives.size(), file.materials[0][0].size());
    for (std::size_t m = 0; m < primitives.size(); ++m) {
        expectSameTriangles(c.model, primitives[m], file,
                            fileCorners(file, file.materials[0][0][m]));
        const tinygltf::Material& material =
            c.model.materials.at(static_cast<std::size_t>(primitives[m].material));
        EXPECT_EQ(material.pbrMetallicRoughness.baseColorTexture.index, -1);
    }

    // The collision scene: a node per collision mesh, a primitive per collision material.
    const info::CollisionMeshFileContents collision =
        test::readCollisionMeshBack(files.bunkerCollision);
    const auto& meshes = collision.slots.at(0).at(0).meshes;
    ASSERT_EQ(c.model.scenes[1].nodes.size(), meshes.size());
    for (std::size_t k = 0; k < meshes.size(); ++k) {
        const tinygltf::Node& n =
            c.model.nodes.at(static_cast<std::size_t>(c.model.scenes[1].nodes[k]));
        EXPECT_EQ(n.name, "slot0_geom0_col" + std::to_string(meshes[k].number));
        std::set<std::uint16_t> materials;
        for (const CollisionFace& f : meshes[k].faces)
            materials.insert(f.material);
        std::size_t indices = 0;
        for (const auto& p : c.model.meshes.at(static_cast<std::size_t>(n.mesh)).primitives)
            indices += c.model.accessors.at(static_cast<std::size_t>(p.indices)).count;
        EXPECT_EQ(c.model.meshes.at(static_cast<std::size_t>(n.mesh)).primitives.size(),
                  materials.size());
        EXPECT_EQ(indices, 3 * meshes[k].faces.size());
    }
}

TEST(Convert, BundledPartsArePlacedByTheScriptAndMaterialsKeepTheirBlending) {
    const auto& files = exampleGameFiles();
    const std::string out = convertOutput("tank.glb");
    const Converted c =
        convert({files.tank, "-o", out, "--con", files.tankScript, "--textures", files.textures});
    ASSERT_EQ(c.status, 0) << c.messages;
    const meshfile::MeshFile file = test::readMeshBack(files.tank, meshfile::MeshKind::Bundled);
    const auto& records = file.materials[0][0];
    const tinygltf::Node* lod = node(c.model, "geom0_lod0");
    ASSERT_TRUE(lod);
    ASSERT_EQ(lod->children.size(), 7u);
    // Part by part, material by material: the file's triangles of that part, in file order.
    for (int child : lod->children) {
        const tinygltf::Node& part = c.model.nodes.at(static_cast<std::size_t>(child));
        const unsigned number = static_cast<unsigned>(std::stoul(part.name.substr(4)));
        const auto& primitives = c.model.meshes.at(static_cast<std::size_t>(part.mesh)).primitives;
        std::size_t p = 0;
        for (const meshfile::MaterialRecord& r : records) {
            std::vector<std::uint32_t> corners;
            const std::vector<std::uint32_t> all = fileCorners(file, r);
            for (std::size_t t = 0; t < all.size(); t += 3) {
                const auto first = meshfile::decodeVertex(file, all[t]);
                if (first.find(meshfile::kUsageBlendIndices)->bytes[0] == number)
                    corners.insert(corners.end(), all.begin() + long(t), all.begin() + long(t) + 3);
            }
            if (corners.empty())
                continue;
            ASSERT_LT(p, primitives.size());
            expectSameTriangles(c.model, primitives[p++], file, corners);
        }
        EXPECT_EQ(p, primitives.size());
    }
    // The script: turret 0/1.25/0.5 under the root; hatch 0/0.55/-0.5 and periscope
    // -0.6/0.51/0.2 under the unrotated turret; grille 0/0.3/-3.51. z mirrored.
    const std::map<std::string, std::array<double, 3>> placed = {{"part1", {0, 1.25, -0.5}},
                                                                 {"part2", {0, 1.8, 0}},
                                                                 {"part3", {-0.6, 1.76, -0.7}},
                                                                 {"part4", {0, 0.3, 3.51}}};
    for (const auto& [name, at] : placed) {
        const tinygltf::Node* n = node(c.model, name);
        ASSERT_TRUE(n && n->matrix.size() == 16) << name;
        for (std::size_t a = 0; a < 3; ++a)
            EXPECT_NEAR(n->matrix[12 + a], at[a], 1e-5) << name;
    }
    // Opaque, alpha tested, animated UV (opaque), and blended with its sort copies left out.
    std::vector<std::string> modes;
    for (const auto& m : c.model.materials)
        modes.push_back(m.alphaMode);
    EXPECT_EQ(modes, (std::vector<std::string>{"OPAQUE", "MASK", "OPAQUE", "BLEND"}));
    EXPECT_EQ(c.model.materials[1].alphaCutoff, 0.5);
    // Only the tracks' texture is among the examples: decoded from DDS, embedded as PNG.
    ASSERT_EQ(c.model.images.size(), 1u);
    EXPECT_EQ(c.model.images[0].mimeType, "image/png");
    EXPECT_EQ(c.model.textures
                  .at(static_cast<std::size_t>(
                      c.model.materials[2].pbrMetallicRoughness.baseColorTexture.index))
                  .source,
              0);
    const std::string dds = test::readWholeFile(files.textures + "/tank_tracks.dds");
    vximage::DdsHeader header;
    std::string error;
    ASSERT_TRUE(vximage::readDdsHeader(reinterpret_cast<const std::uint8_t*>(dds.data()),
                                       dds.size(), header, error));
    EXPECT_EQ(c.model.images[0].width, static_cast<int>(header.width));
    EXPECT_EQ(c.model.images[0].height, static_cast<int>(header.height));
}

TEST(Convert, SkinnedMeshBindsToTheSkeletonAndTheWalkMovesItsBones) {
    const auto& files = exampleGameFiles();
    const std::string out = convertOutput("soldier.glb");
    const Converted c = convert(
        {files.soldier, "-o", out, "--skeleton", files.soldierSkeleton, "--animation", files.walk});
    ASSERT_EQ(c.status, 0) << c.messages;
    const meshfile::MeshFile file = test::readMeshBack(files.soldier, meshfile::MeshKind::Skinned);
    const info::SkeletonFile skeleton = test::readSkeletonBack(files.soldierSkeleton);
    ASSERT_EQ(c.model.skins.size(), 1u);
    const tinygltf::Skin& skin = c.model.skins[0];
    ASSERT_EQ(skin.joints.size(), skeleton.bones.size());
    for (std::size_t j = 0; j < skin.joints.size(); ++j)
        EXPECT_EQ(c.model.nodes.at(static_cast<std::size_t>(skin.joints[j])).name,
                  skeleton.bones[j].name);
    // Inverse bind matrices: the file's bone tables with z mirrored (row and column 2 negated).
    const std::vector<double> ibm = values(c.model, skin.inverseBindMatrices);
    for (const auto& part : file.lods[0][0].parts)
        for (const meshfile::PartBone& bone : part.bones)
            for (std::size_t e = 0; e < 16; ++e) {
                const double sign = ((e / 4 == 2) != (e % 4 == 2)) ? -1.0 : 1.0;
                EXPECT_NEAR(ibm[16 * bone.skeletonIndex + e],
                            sign * static_cast<double>(bone.inverseBind[e]), 1e-6);
            }
    // Each part's ranges round trip; joints are the bone tables' skeleton indices, the weights
    // the file's first weight and the rest.
    const tinygltf::Node* lod = node(c.model, "geom0_lod0");
    ASSERT_TRUE(lod);
    EXPECT_EQ(lod->skin, 0);
    const auto& primitives = c.model.meshes.at(static_cast<std::size_t>(lod->mesh)).primitives;
    ASSERT_EQ(primitives.size(), 2u);
    for (std::size_t m = 0; m < 2; ++m) {
        const std::vector<std::uint32_t> corners = fileCorners(file, file.materials[0][0][m]);
        expectSameTriangles(c.model, primitives[m], file, corners);
        // The lowest file vertex of the range is the primitive's vertex 0.
        const std::uint32_t first = *std::min_element(corners.begin(), corners.end());
        const auto vertex = meshfile::decodeVertex(file, first);
        const auto& bytes = vertex.find(meshfile::kUsageBlendIndices)->bytes;
        const float w0 = vertex.find(meshfile::kUsageBlendWeight)->values[0];
        const auto& table = file.lods[0][0].parts[m].bones; // one range per part here
        const std::vector<double> joints = values(c.model, primitives[m].attributes.at("JOINTS_0"));
        const std::vector<double> weights =
            values(c.model, primitives[m].attributes.at("WEIGHTS_0"));
        EXPECT_EQ(joints[0], table.at(bytes[0]).skeletonIndex);
        EXPECT_NEAR(weights[0] + weights[1], 1.0, 1e-6);
        if (bytes[0] != bytes[1] && w0 < 1.0f) {
            EXPECT_EQ(joints[1], table.at(bytes[1]).skeletonIndex);
            EXPECT_FLOAT_EQ(static_cast<float>(weights[0]), w0);
        }
    }
    // The walk: a rotation and a translation channel per animated bone, a key per frame; the
    // first animated bone's keys are the file's with z mirrored: (x, y, -z, w) up to sign for
    // rotations (row-vector matrices turn the other way), (x, y, -z) for positions.
    const info::AnimationFile walk = test::readAnimationBack(files.walk);
    ASSERT_EQ(c.model.animations.size(), 1u);
    const tinygltf::Animation& animation = c.model.animations[0];
    ASSERT_EQ(animation.channels.size(), 2 * walk.bones.size());
    const info::AnimationBone& bone = walk.bones[0];
    std::array<std::vector<float>, 7> keys;
    for (std::size_t k = 0; k < 7; ++k)
        keys[k] = info::decodeComponent(bone.components[k], walk.scale(k));
    for (const tinygltf::AnimationChannel& channel : animation.channels) {
        if (channel.target_node != skin.joints.at(bone.skeletonIndex))
            continue;
        const auto& sampler = animation.samplers.at(static_cast<std::size_t>(channel.sampler));
        const std::vector<double> times = values(c.model, sampler.input);
        ASSERT_EQ(times.size(), walk.frameCount);
        EXPECT_NEAR(times.back(), (walk.frameCount - 1) / 30.0, 1e-6);
        const std::vector<double> v = values(c.model, sampler.output);
        for (std::size_t f = 0; f < walk.frameCount; ++f) {
            if (channel.target_path == "rotation") {
                const double q[4] = {
                    static_cast<double>(keys[0][f]), static_cast<double>(keys[1][f]),
                    -static_cast<double>(keys[2][f]), static_cast<double>(keys[3][f])};
                const double n = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
                const double sign = (q[0] * v[4 * f] + q[1] * v[4 * f + 1] + q[2] * v[4 * f + 2] +
                                     q[3] * v[4 * f + 3]) < 0
                                        ? -1.0
                                        : 1.0;
                for (std::size_t k = 0; k < 4; ++k)
                    EXPECT_NEAR(v[4 * f + k], sign * q[k] / n, 1e-5) << "frame " << f;
            } else {
                EXPECT_NEAR(v[3 * f], keys[4][f], 1e-4);
                EXPECT_NEAR(v[3 * f + 1], keys[5][f], 1e-4);
                EXPECT_NEAR(v[3 * f + 2], -keys[6][f], 1e-4);
            }
        }
    }
}

// The script's rotation vector is the negated Euler angles the writer takes from a part's
// matrix, last angle first: reading it back gives that matrix's angles again.
TEST(Convert, ScriptRotationsInvertTheWritersEulerAngles) {
    const std::vector<Vector3> vectors = {{0, 90, 0}, {0, -20, 0},   {30, 0, 0},
                                          {0, 0, 45}, {10, -35, 70}, {-120, 15, 5}};
    for (const Vector3& v : vectors) {
        const Vector3 angles = scriptEulerAngles(convert::scriptRotation(v));
        EXPECT_NEAR(angles.x, -v.z, 1e-3) << v.x << "/" << v.y << "/" << v.z;
        EXPECT_NEAR(angles.y, -v.y, 1e-3) << v.x << "/" << v.y << "/" << v.z;
        EXPECT_NEAR(angles.z, -v.x, 1e-3) << v.x << "/" << v.y << "/" << v.z;
    }
}

TEST(Convert, BadInputSaysWhyAndWritesNothing) {
    const auto& files = exampleGameFiles();
    const std::string tank = test::readWholeFile(files.tank);
    const std::string truncated = files.scratch + "/truncated.bundledMesh";
    std::ofstream(truncated, std::ios::binary) << tank.substr(0, tank.size() / 2);
    const std::string foreign = files.scratch + "/foreign.staticMesh";
    std::ofstream(foreign, std::ios::binary) << "solid cube\nfacet normal 0 0 1\n";
    const std::string badScript = files.scratch + "/bad.con";
    std::ofstream(badScript) << "ObjectTemplate.create Bundle t\r\nObjectTemplate.addTemplate a\r\n"
                                "ObjectTemplate.setPosition 1/two/3\r\n";
    const std::string loopScript = files.scratch + "/loop.con";
    std::ofstream(loopScript) << "ObjectTemplate.create Bundle t\nObjectTemplate.addTemplate t\n";
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{truncated}, "truncated.bundledMesh': offset"},
        {{foreign}, "foreign.staticMesh': offset"},
        {{files.scratch + "/missing.skinnedMesh"}, "cannot read '" + files.scratch},
        {{files.walk}, "is not a .staticMesh, .bundledMesh, .skinnedMesh or .collisionMesh"},
        {{files.soldier, "--skeleton", files.walkSkeleton},
         files.walkSkeleton + ": the mesh's bone tables name skeleton bone"},
        {{files.soldier, "--animation", files.walk}, "--animation needs the --skeleton"},
        {{files.tank, "--con", badScript},
         badScript + ": line 3: \"1/two/3\" is not three numbers"},
        {{files.bunker, "--con", files.tankScript}, "--con places the parts of bundled meshes"},
        {{files.tank, "--con", loopScript},
         loopScript + ": template \"t\" is added more than once"},
        {{files.bunker, "--collision", files.scratch + "/missing.collisionMesh"},
         files.scratch + "/missing.collisionMesh: "},
        {{truncated, "--fps", "0"}, "--fps needs"},
    };
    for (const Case& k : cases) {
        const std::string out = files.scratch + "/bad.glb";
        std::vector<std::string> args = k.args;
        args.insert(args.end(), {"-o", out});
        const Converted c = convert(args);
        EXPECT_EQ(c.status, 1) << k.args[0];
        EXPECT_NE(c.messages.find(k.says), std::string::npos) << c.messages;
        EXPECT_FALSE(std::filesystem::exists(out)) << k.args[0];
        EXPECT_FALSE(std::filesystem::exists(out + ".partial")) << k.args[0];
    }
    // A folder that cannot take the file.
    const Converted c = convert({files.bunker, "-o", files.scratch + "/no/such/folder/x.glb"});
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.messages.find("cannot write \"" + files.scratch + "/no/such/folder/x.glb\""),
              std::string::npos)
        << c.messages;
}

// `vornex render` of game files: the example tank drawn with its parts placed and its tracks'
// texture, and a LOD it does not have refused.
TEST(GameMeshRender, TheTankIsDrawnFramedAndABadLodWritesNothing) {
    std::string why;
    if (!vornexhost::viewportContext(why))
        GTEST_SKIP() << why;
    const auto& files = test::exampleGameFiles();
    const std::string out = files.scratch + "/tank.png";
    std::ostringstream output, err;
    ASSERT_EQ(render::runGameMeshRender({files.tank, "-o", out, "--con", files.tankScript,
                                         "--textures", files.textures, "--size", "160x120"},
                                        output, err),
              0)
        << err.str();
    const std::string png = test::readWholeFile(out);
    vximage::RgbaImage image;
    ASSERT_TRUE(vximage::decodeImage(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(),
                                     image, why));
    ASSERT_EQ(image.width, 160u);
    ASSERT_EQ(image.height, 120u);
    // Framed: the model covers the middle and leaves the corners to the background.
    auto pixel = [&](unsigned x, unsigned y) {
        const std::uint8_t* p = &image.pixels[4 * (y * image.width + x)];
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    const std::array<int, 3> background = pixel(0, 0);
    EXPECT_EQ(pixel(159, 119), background);
    EXPECT_NE(pixel(80, 60), background);
    std::size_t covered = 0;
    for (unsigned y = 0; y < 120; ++y)
        for (unsigned x = 0; x < 160; ++x)
            covered += pixel(x, y) != background;
    EXPECT_GT(covered, 160u * 120u / 10);
    EXPECT_LT(covered, 160u * 120u * 9 / 10);

    const std::string bad = files.scratch + "/lod3.png";
    std::ostringstream err3;
    EXPECT_EQ(render::runGameMeshRender({files.tank, "-o", bad, "--lod", "3"}, output, err3), 1);
    EXPECT_NE(err3.str().find("there is no LOD 3"), std::string::npos) << err3.str();
    EXPECT_FALSE(std::filesystem::exists(bad));
}

} // namespace
} // namespace vx
