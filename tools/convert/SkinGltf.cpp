#include "tools/convert/SkinGltf.h"

#include "tools/convert/AxisMapping.h"
#include "tools/info/MeshFileInfo.h"

#include <optional>

namespace vx::convert {

namespace {

Matrix localMatrix(const info::SkeletonFileBone& bone) {
    const auto& r = bone.rotation;
    const auto& p = bone.position;
    return Matrix::fromQuaternion({r[0], r[1], r[2], r[3]}, {p[0], p[1], p[2]});
}

std::array<float, 16> toFloats(const std::array<double, 16>& m) {
    std::array<float, 16> out{};
    for (std::size_t i = 0; i < 16; ++i)
        out[i] = static_cast<float>(m[i]);
    return out;
}

} // namespace

SkeletonNodes addSkeletonNodes(GltfBuilder& builder, const info::SkeletonFile& skeleton) {
    SkeletonNodes nodes;
    for (const info::SkeletonFileBone& bone : skeleton.bones) {
        tinygltf::Node node;
        node.name = bone.name;
        const GltfPose pose = gltfPose(localMatrix(bone));
        node.translation.assign(pose.translation.begin(), pose.translation.end());
        node.rotation.assign(pose.rotation.begin(), pose.rotation.end());
        nodes.bones.push_back(builder.addNode(std::move(node)));
    }
    tinygltf::Model& model = builder.model();
    for (std::size_t b = 0; b < skeleton.bones.size(); ++b) {
        const std::int32_t parent = skeleton.bones[b].parent;
        if (parent < 0)
            nodes.roots.push_back(nodes.bones[b]);
        else
            model.nodes[static_cast<std::size_t>(nodes.bones[static_cast<std::size_t>(parent)])]
                .children.push_back(nodes.bones[b]);
    }
    return nodes;
}

bool addSkin(GltfBuilder& builder, const info::SkeletonFile& skeleton,
             const meshfile::MeshFile& mesh, SkeletonNodes& nodes, std::string& error) {
    if (const std::optional<std::uint32_t> beyond = info::boneBeyond(mesh, skeleton)) {
        error = "the mesh's bone tables name skeleton bone " + std::to_string(*beyond) +
                " but the skeleton has " + std::to_string(skeleton.bones.size()) + " bones";
        return false;
    }
    const std::size_t count = skeleton.bones.size();
    std::vector<std::optional<Matrix>> inverseBind(count);
    for (const auto& geometry : mesh.lods)
        for (const meshfile::LodBlock& lod : geometry)
            for (const meshfile::SkinnedPart& part : lod.parts)
                for (const meshfile::PartBone& bone : part.bones) {
                    if (inverseBind[bone.skeletonIndex])
                        continue;
                    Matrix4 m;
                    for (unsigned i = 0; i < 16; ++i)
                        m.m[i / 4][i % 4] = bone.inverseBind[i];
                    inverseBind[bone.skeletonIndex] = Matrix::fromMatrix4(m);
                }
    // World matrices in the skeleton's pose, parents first: the reader guarantees no cycles,
    // not the order, so each is built on demand.
    std::vector<std::optional<Matrix>> world(count);
    auto worldOf = [&](std::size_t b, auto&& self) -> Matrix {
        if (!world[b]) {
            const std::int32_t parent = skeleton.bones[b].parent;
            world[b] = parent < 0 ? localMatrix(skeleton.bones[b])
                                  : localMatrix(skeleton.bones[b]) *
                                        self(static_cast<std::size_t>(parent), self);
        }
        return *world[b];
    };
    std::vector<std::array<float, 16>> matrices;
    matrices.reserve(count);
    for (std::size_t b = 0; b < count; ++b) {
        Matrix ibm;
        if (inverseBind[b])
            ibm = *inverseBind[b];
        else if (!worldOf(b, worldOf).inverse(ibm))
            ibm = Matrix::identity();
        matrices.push_back(toFloats(gltfMatrix(mirrorMatrix(ibm))));
    }
    tinygltf::Skin skin;
    skin.name = "skeleton";
    skin.joints = nodes.bones;
    skin.inverseBindMatrices = builder.addMatrices(matrices);
    tinygltf::Model& model = builder.model();
    model.skins.push_back(std::move(skin));
    nodes.skin = static_cast<int>(model.skins.size() - 1);
    return true;
}

} // namespace vx::convert
