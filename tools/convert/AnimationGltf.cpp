#include "tools/convert/AnimationGltf.h"

#include "tools/convert/AxisMapping.h"

namespace vx::convert {

bool addAnimation(GltfBuilder& builder, const info::AnimationFile& animation,
                  const std::vector<int>& boneNodes, double framesPerSecond,
                  const std::string& name, std::string& error) {
    for (const info::AnimationBone& bone : animation.bones)
        if (bone.skeletonIndex >= boneNodes.size()) {
            error = "the animation moves bone " + std::to_string(bone.skeletonIndex) +
                    " but the skeleton has " + std::to_string(boneNodes.size()) + " bones";
            return false;
        }
    if (animation.frameCount == 0 || animation.bones.empty())
        return true;
    std::vector<float> times(animation.frameCount);
    for (std::uint32_t f = 0; f < animation.frameCount; ++f)
        times[f] = static_cast<float>(f / framesPerSecond);
    tinygltf::Animation out;
    out.name = name;
    const int input = builder.addScalars(times, true);
    auto channel = [&](int output, int node, const char* path) {
        tinygltf::AnimationSampler sampler;
        sampler.input = input;
        sampler.output = output;
        sampler.interpolation = "LINEAR";
        out.samplers.push_back(sampler);
        tinygltf::AnimationChannel c;
        c.sampler = static_cast<int>(out.samplers.size() - 1);
        c.target_node = node;
        c.target_path = path;
        out.channels.push_back(c);
    };
    for (const info::AnimationBone& bone : animation.bones) {
        std::array<std::vector<float>, 7> values;
        for (std::size_t c = 0; c < 7; ++c)
            values[c] = info::decodeComponent(bone.components[c], animation.scale(c));
        std::vector<std::array<float, 4>> rotations(animation.frameCount);
        std::vector<Vector3> translations(animation.frameCount);
        for (std::uint32_t f = 0; f < animation.frameCount; ++f) {
            const Matrix local =
                Matrix::fromQuaternion({values[0][f], values[1][f], values[2][f], values[3][f]},
                                       {values[4][f], values[5][f], values[6][f]});
            const GltfPose pose = gltfPose(local);
            std::array<float, 4> q{};
            for (std::size_t c = 0; c < 4; ++c)
                q[c] = static_cast<float>(pose.rotation[c]);
            // q and -q are one rotation; keep neighbours in one hemisphere so that
            // interpolation takes the short way.
            if (f > 0) {
                const auto& previous = rotations[f - 1];
                if (q[0] * previous[0] + q[1] * previous[1] + q[2] * previous[2] +
                        q[3] * previous[3] <
                    0)
                    for (float& c : q)
                        c = -c;
            }
            rotations[f] = q;
            translations[f] = {static_cast<float>(pose.translation[0]),
                               static_cast<float>(pose.translation[1]),
                               static_cast<float>(pose.translation[2])};
        }
        const int node = boneNodes[bone.skeletonIndex];
        channel(builder.addQuaternions(rotations), node, "rotation");
        channel(builder.addVec3(translations, false, 0), node, "translation");
    }
    builder.model().animations.push_back(std::move(out));
    return true;
}

} // namespace vx::convert
