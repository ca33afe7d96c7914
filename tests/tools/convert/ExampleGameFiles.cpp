#include "tests/tools/convert/ExampleGameFiles.h"

#include "tests/Vornex/RunVornex.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace vx::test {

namespace {

// Examples are found by name anywhere below examples/, wherever their category folder is.
std::string exampleFile(const std::string& name) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(
             std::string(VORNEX_SOURCE_DIR) + "/examples"))
        if (entry.path().filename() == name)
            return entry.path().string();
    ADD_FAILURE() << "no example " << name;
    return "";
}

std::string exported(const TempDir& dir, const std::string& scene, const std::string& output,
                     const std::string& written) {
    EXPECT_EQ(vornex({"export", scene, dir.file(output)}), 0) << scene;
    EXPECT_TRUE(std::filesystem::exists(dir.file(written))) << written;
    return dir.file(written);
}

ExampleGameFiles exportAll(const TempDir& dir) {
    ExampleGameFiles files;
    files.tank =
        exported(dir, exampleFile("tank.ma"), "tank.bundledMesh", "meshes/tank.bundledmesh");
    files.tankScript = dir.file("tank.con");
    files.bunker =
        exported(dir, exampleFile("bunker.ma"), "bunker.staticMesh", "meshes/bunker.staticmesh");
    files.bunkerCollision = dir.file("meshes/bunker.collisionmesh");
    files.soldier = exported(dir, exampleFile("soldier.ma"), "soldier.skinnedMesh",
                             "meshes/soldier.skinnedmesh");
    // The soldier's skeleton: its scene exported as a skeleton instead.
    std::string scene = readWholeFile(exampleFile("soldier.ma"));
    for (std::size_t at = scene.find("root_skinnedMesh"); at != std::string::npos;
         at = scene.find("root_skinnedMesh", at))
        scene.replace(at, 16, "root_skeleton");
    std::ofstream(dir.file("soldier_skeleton.ma")) << scene;
    files.soldierSkeleton =
        exported(dir, dir.file("soldier_skeleton.ma"), "soldier.skeleton", "soldier.ske");
    files.walkSkeleton =
        exported(dir, exampleFile("kit_walk_skeleton.ma"), "walk.skeleton", "walk.ske");
    files.walk = exported(dir, exampleFile("kit_walk_animation.ma"), "walk.animation", "walk.baf");
    files.textures = std::filesystem::path(exampleFile("tank_tracks.dds")).parent_path().string();
    files.scratch = dir.path();
    return files;
}

} // namespace

const ExampleGameFiles& exampleGameFiles() {
    static const TempDir dir;
    static const ExampleGameFiles files = exportAll(dir);
    return files;
}

std::string convertOutput(const std::string& name) {
    static const TempDir dir;
    const char* keep = std::getenv("VX_GLTF_KEEP");
    return (keep && *keep ? std::string(keep) : dir.path()) + "/" + name;
}

} // namespace vx::test
