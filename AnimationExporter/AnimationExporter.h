#pragma once
// The export driver's entry for the skeleton and animation export types: the skeleton is
// built from the scene's root node and written beside the output file.
#include <string>

namespace vx {

class Scene;

// Builds the skeleton and writes the ".ske" file named after `outputFile`.
bool exportSkeletonAsset(const Scene& scene, const std::string& outputFile);
// Builds the skeleton and writes the ".baf" file of its animated bones.
bool exportAnimationAsset(const Scene& scene, const std::string& outputFile);

} // namespace vx
