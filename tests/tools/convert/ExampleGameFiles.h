#pragma once
// Game files of the example scenes, exported once per test program through the host program
// into a temporary folder, and where the convert tests put what they write: the folder named
// by VX_GLTF_KEEP when set (so the validator test can check every file), else a temporary one.
#include <string>

namespace vx::test {

struct ExampleGameFiles {
    std::string tank; // bundled, 7 parts, with its object template script
    std::string tankScript;
    std::string bunker; // static, with its collision mesh
    std::string bunkerCollision;
    std::string soldier;         // skinned, 2 parts
    std::string soldierSkeleton; // the soldier's own 30 bones
    std::string walkSkeleton;    // 19 bones: not the soldier's
    std::string walk;            // an animation of the walk skeleton's first 12 bones
    std::string textures;        // the example textures (tank_tracks.dds among them)
    std::string scratch;         // a folder for the test's own bad files
};

// The files; a failed export fails the calling test.
const ExampleGameFiles& exampleGameFiles();

// A path for an output file of the convert tests.
std::string convertOutput(const std::string& name);

} // namespace vx::test
