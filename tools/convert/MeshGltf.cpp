#include "tools/convert/MeshGltf.h"

#include "tools/convert/AxisMapping.h"
#include "tools/convert/DrawRange.h"
#include "tools/convert/SkinnedParts.h"

#include <cmath>

namespace vx::convert {

using meshfile::MeshFile;
using meshfile::MeshKind;

namespace {

// glTF wants unit normals and tangents; a zero one (degenerate geometry) gets an axis.
Vector3 unit(const Vector3& v, const Vector3& fallback) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return length > 1e-12f ? v / length : fallback;
}

bool addPrimitive(GltfBuilder& builder, const DrawRange& range, int material,
                  const meshfile::SkinnedPart* bones, tinygltf::Mesh& mesh, std::string& error) {
    if (range.indices.empty())
        return true;
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.material = material;
    std::vector<Vector3> positions;
    positions.reserve(range.positions.size());
    for (const Vector3& p : range.positions)
        positions.push_back(mirrorPoint(p));
    primitive.attributes["POSITION"] =
        builder.addVec3(positions, true, TINYGLTF_TARGET_ARRAY_BUFFER);
    if (!range.normals.empty()) {
        std::vector<Vector3> normals;
        normals.reserve(range.normals.size());
        for (const Vector3& n : range.normals)
            normals.push_back(unit(mirrorPoint(n), {0, 1, 0}));
        primitive.attributes["NORMAL"] =
            builder.addVec3(normals, false, TINYGLTF_TARGET_ARRAY_BUFFER);
    }
    if (!range.tangents.empty()) {
        std::vector<std::array<float, 4>> tangents;
        tangents.reserve(range.tangents.size());
        for (const Vector3& t : range.tangents) {
            const Vector3 u = unit(mirrorPoint(t), {1, 0, 0});
            tangents.push_back({u.x, u.y, u.z, 1.0f});
        }
        primitive.attributes["TANGENT"] = builder.addVec4(tangents, TINYGLTF_TARGET_ARRAY_BUFFER);
    }
    for (std::size_t k = 0; k < range.uvSets.size(); ++k)
        primitive.attributes["TEXCOORD_" + std::to_string(k)] = builder.addVec2(range.uvSets[k]);
    if (bones && !range.blendIndices.empty()) {
        std::vector<std::array<std::uint16_t, 4>> joints;
        std::vector<std::array<float, 4>> weights;
        joints.reserve(range.blendIndices.size());
        weights.reserve(range.blendIndices.size());
        for (std::size_t v = 0; v < range.blendIndices.size(); ++v) {
            const auto& local = range.blendIndices[v];
            std::array<std::uint16_t, 4> j{};
            for (std::size_t i = 0; i < 2; ++i) {
                if (local[i] >= bones->bones.size()) {
                    error = "vertex " + std::to_string(range.sourceVertices[v]) + " uses bone " +
                            std::to_string(local[i]) + " of a part with " +
                            std::to_string(bones->bones.size()) + " bones";
                    return false;
                }
                j[i] = static_cast<std::uint16_t>(bones->bones[local[i]].skeletonIndex);
            }
            // The writer stores 1 for a first weight outside (0, 1]; the second is the rest.
            float w0 = range.blendWeights.empty() ? 1.0f : range.blendWeights[v];
            if (!(w0 > 0.0f && w0 <= 1.0f))
                w0 = 1.0f;
            float w1 = 1.0f - w0;
            if (j[1] == j[0] || w1 <= 0.0f) {
                w0 = 1.0f;
                w1 = 0.0f;
                j[1] = 0;
            }
            joints.push_back(j);
            weights.push_back({w0, w1, 0.0f, 0.0f});
        }
        primitive.attributes["JOINTS_0"] = builder.addJoints(joints);
        primitive.attributes["WEIGHTS_0"] = builder.addVec4(weights, TINYGLTF_TARGET_ARRAY_BUFFER);
    }
    std::vector<std::uint32_t> indices = range.indices;
    reverseWinding(indices);
    primitive.indices = builder.addIndices(indices);
    mesh.primitives.push_back(std::move(primitive));
    return true;
}

int addMesh(GltfBuilder& builder, tinygltf::Mesh mesh) {
    tinygltf::Model& model = builder.model();
    model.meshes.push_back(std::move(mesh));
    return static_cast<int>(model.meshes.size() - 1);
}

} // namespace

bool addMeshNodes(GltfBuilder& builder, MaterialTable& materials, const MeshGltfInput& input,
                  std::vector<int>& roots, std::string& error) {
    const MeshFile& file = *input.file;
    for (std::size_t g = 0; g < file.materials.size(); ++g) {
        for (std::size_t l = 0; l < file.materials[g].size(); ++l) {
            const std::string name = "geom" + std::to_string(g) + "_lod" + std::to_string(l);
            const auto& records = file.materials[g][l];
            std::vector<DrawRange> ranges(records.size());
            for (std::size_t m = 0; m < records.size(); ++m)
                if (!decodeDrawRange(file, records[m], ranges[m], error)) {
                    error = name + " material " + std::to_string(m) + ": " + error;
                    return false;
                }
            tinygltf::Node node;
            node.name = name;
            if (file.kind == MeshKind::Bundled) {
                // Per part number, one mesh of all the materials' triangles of that part.
                std::map<unsigned, tinygltf::Mesh> parts;
                for (std::size_t m = 0; m < records.size(); ++m) {
                    const int material = materials.materialFor(file, records[m]);
                    for (const auto& [part, split] : splitByPart(ranges[m]))
                        if (!addPrimitive(builder, split, material, nullptr, parts[part], error))
                            return false;
                }
                for (auto& [part, mesh] : parts) {
                    tinygltf::Node child;
                    child.name = "part" + std::to_string(part);
                    mesh.name = name + "_" + child.name;
                    child.mesh = addMesh(builder, std::move(mesh));
                    if (input.parts) {
                        const auto placed = input.parts->find(part);
                        if (placed != input.parts->end()) {
                            const std::array<double, 16> m =
                                gltfMatrix(mirrorMatrix(placed->second));
                            child.matrix.assign(m.begin(), m.end());
                        }
                    }
                    node.children.push_back(builder.addNode(std::move(child)));
                }
            } else {
                tinygltf::Mesh mesh;
                mesh.name = name;
                const bool skinned = file.kind == MeshKind::Skinned && input.skin >= 0 &&
                                     l < file.lods[g].size() && !file.lods[g][l].parts.empty();
                std::vector<std::size_t> partOf;
                if (skinned)
                    partOf = assignSkinnedParts(file.lods[g][l], ranges);
                for (std::size_t m = 0; m < records.size(); ++m) {
                    const meshfile::SkinnedPart* bones =
                        skinned ? &file.lods[g][l].parts[partOf[m]] : nullptr;
                    if (!addPrimitive(builder, ranges[m], materials.materialFor(file, records[m]),
                                      bones, mesh, error)) {
                        error = name + " material " + std::to_string(m) + ": " + error;
                        return false;
                    }
                }
                if (!mesh.primitives.empty())
                    node.mesh = addMesh(builder, std::move(mesh));
                if (skinned)
                    node.skin = input.skin;
            }
            roots.push_back(builder.addNode(std::move(node)));
        }
    }
    return true;
}

} // namespace vx::convert
