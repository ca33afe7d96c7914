#include "tools/convert/CollisionGltf.h"

#include "tools/convert/AxisMapping.h"

#include <cmath>
#include <limits>
#include <map>

namespace vx::convert {

std::array<float, 3> collisionColour(unsigned material) {
    // Hues a golden angle apart stay distinguishable for the first dozens of numbers.
    const float hue = std::fmod(static_cast<float>(material) * 0.618034f, 1.0f) * 6.0f;
    const float x = 1.0f - std::fabs(std::fmod(hue, 2.0f) - 1.0f);
    const std::array<std::array<float, 3>, 6> sextants = {
        {{1, x, 0}, {x, 1, 0}, {0, 1, x}, {0, x, 1}, {x, 0, 1}, {1, 0, x}}};
    const auto& c = sextants[static_cast<std::size_t>(hue) % 6];
    // Softened towards grey so shading still reads.
    return {0.25f + 0.65f * c[0], 0.25f + 0.65f * c[1], 0.25f + 0.65f * c[2]};
}

void addCollisionNodes(GltfBuilder& builder, MaterialTable& materials,
                       const info::CollisionMeshFileContents& contents, std::vector<int>& roots) {
    for (std::size_t s = 0; s < contents.slots.size(); ++s) {
        for (std::size_t g = 0; g < contents.slots[s].size(); ++g) {
            for (const info::CollisionMeshRecord& record : contents.slots[s][g].meshes) {
                const std::string name = "slot" + std::to_string(s) + "_geom" + std::to_string(g) +
                                         "_col" + std::to_string(record.number);
                std::map<unsigned, std::vector<CollisionFace>> byMaterial;
                for (const CollisionFace& face : record.faces)
                    byMaterial[face.material].push_back(face);
                tinygltf::Mesh mesh;
                mesh.name = name;
                for (const auto& [material, faces] : byMaterial) {
                    // Only the vertices these faces reach, in ascending order.
                    constexpr std::uint32_t kUnreached = std::numeric_limits<std::uint32_t>::max();
                    std::vector<std::uint32_t> number(record.vertices.size(), kUnreached);
                    for (const CollisionFace& face : faces)
                        for (std::uint16_t corner : face.corners)
                            number[corner] = 0;
                    std::vector<Vector3> positions;
                    for (std::size_t v = 0; v < number.size(); ++v)
                        if (number[v] != kUnreached) {
                            number[v] = static_cast<std::uint32_t>(positions.size());
                            positions.push_back(mirrorPoint(record.vertices[v]));
                        }
                    std::vector<std::uint32_t> indices;
                    indices.reserve(faces.size() * 3);
                    for (const CollisionFace& face : faces)
                        for (std::uint16_t corner : face.corners)
                            indices.push_back(number[corner]);
                    reverseWinding(indices);
                    tinygltf::Primitive primitive;
                    primitive.mode = TINYGLTF_MODE_TRIANGLES;
                    primitive.attributes["POSITION"] =
                        builder.addVec3(positions, true, TINYGLTF_TARGET_ARRAY_BUFFER);
                    primitive.indices = builder.addIndices(indices);
                    primitive.material =
                        materials.colourMaterial("collision material " + std::to_string(material),
                                                 collisionColour(material));
                    mesh.primitives.push_back(std::move(primitive));
                }
                tinygltf::Node node;
                node.name = name;
                if (!mesh.primitives.empty()) {
                    builder.model().meshes.push_back(std::move(mesh));
                    node.mesh = static_cast<int>(builder.model().meshes.size() - 1);
                }
                roots.push_back(builder.addNode(std::move(node)));
            }
        }
    }
}

} // namespace vx::convert
