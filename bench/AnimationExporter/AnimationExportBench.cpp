// Compressing and writing the animation of 100 bones over 1,000 frames: the time, the size of
// the file and its ratio to the raw keys (7 floats a bone and frame).
#include "AnimationExporter/AnimationFileWriter.h"
#include "AnimationExporter/Skeleton.h"
#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/OwnedNode.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr std::size_t kBones = 100;
constexpr std::size_t kFrames = 1000;

// A tree of joints (each joint below the one three places before it) with the keys of a
// character's motion: smooth swings of different speeds, bones that hold still for stretches,
// and a root that travels.
vx::OwnedNode<vx::RootNode> makeRig() {
    auto root = vx::makeNode<vx::RootNode>();
    root->setName("bench.ma");
    std::vector<vx::SceneNode*> joints;
    for (std::size_t b = 0; b < kBones; ++b) {
        auto joint = vx::makeNode<vx::UtilJointNode>();
        joint->setName("bone" + std::to_string(b));
        joint->setBool("anim_export", true);
        const float speed = 0.02f + 0.003f * static_cast<float>(b % 17);
        const bool holds = b % 4 == 3;
        for (std::size_t f = 0; f < kFrames; ++f) {
            const float x = static_cast<float>(holds ? f / 100 * 100 : f);
            const float angle = 0.8f * std::sin(speed * x + static_cast<float>(b));
            const vx::Vector3 axis =
                vx::Vector3(std::sin(static_cast<float>(b)), 1.0f, 0.3f).normalized() *
                std::sin(angle / 2);
            const vx::Vector3 position =
                b == 0 ? vx::Vector3(2.0f * std::sin(0.01f * x), 95.0f, 0.8f * x)
                       : vx::Vector3(0.0f, 10.0f + static_cast<float>(b % 5), 0.0f);
            joint->addKey(static_cast<float>(f), {axis.x, axis.y, axis.z, std::cos(angle / 2)},
                          position);
        }
        vx::SceneNode* parent = b < 3 ? static_cast<vx::SceneNode*>(root.get()) : joints[b - 3];
        parent->addChild(joint.get());
        joints.push_back(joint.get());
    }
    return root;
}

void BM_CompressAndWriteAnimation(benchmark::State& state) {
    vx::logFilter().setThreshold("", 6); // the build logs one line a bone
    const auto rig = makeRig();
    vx::Skeleton skeleton;
    skeleton.buildSkeleton(*rig);
    const std::string path =
        (std::filesystem::temp_directory_path() / "vornex_bench_walk.animation").string();
    const std::string file = path.substr(0, path.size() - 10) + ".baf";
    for (auto _ : state) {
        if (!vx::saveAnimation(skeleton, path))
            state.SkipWithError("the animation was not written");
    }
    const auto size = static_cast<double>(std::filesystem::file_size(file));
    const double raw = static_cast<double>(kBones * kFrames * 7 * sizeof(float));
    state.counters["file_bytes"] = size;
    state.counters["raw_key_bytes"] = raw;
    state.counters["ratio_to_raw"] = size / raw;
    std::remove(file.c_str());
}
BENCHMARK(BM_CompressAndWriteAnimation)->Unit(benchmark::kMillisecond);

} // namespace
