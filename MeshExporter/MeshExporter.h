#pragma once
// The entry into the game asset exporter: decides from the scene's "root_" node what kind of
// asset is exported and writes its files beside the output file.
#include <string>

namespace vx {

class Scene;

// Called with a text before each major step of an export, with the caller's data.
using ProgressCallback = void (*)(const char* text, int data);

// Exports the scene to the files of the type its "root_" node names. False when no valid
// root exists or a step fails; the reasons the artist must see are in exportErrorList().
// Files already written stay on disk.
bool exportGameAssets(Scene& scene, const std::string& outputFile, ProgressCallback progress,
                      int callbackData);

// Set by a skinnedMesh export whose lower-cased output name contains "_kits".
bool skinnedKitsFlag();

} // namespace vx
