#pragma once
// The build file a batch hands to Ninja: one edge per scene.
#include "batch/SceneDiscovery.h"

#include <string>
#include <vector>

namespace vornexbatch {

// Where one asset's files go.
struct AssetPaths {
    std::string asset;  // the scene's relative path without ".ma": "vehicles/tank/tank"
    std::string output; // OUTPUT/<asset>.<export type>, the export's output file
    std::string stamp;  // OUTPUT/.vornex-batch/<asset>.stamp, the edge's output
    std::string result; // ... .result: the edge's EdgeResult record
    std::string depfile;
};

AssetPaths assetPaths(const SceneEntry& scene, const std::string& outputFolder);

// One argument quoted for the POSIX shell.
std::string shellQuote(const std::string& text);

// The command a user would type to export the scene, as the edge runs it.
std::vector<std::string> exportCommand(const std::string& program, const SceneEntry& scene,
                                       const AssetPaths& paths);

// The text of OUTPUT/build.ninja. Every edge's command is self-contained (absolute paths,
// VORNEX_THREADS=1 so that N edges use N cores): `vornex batch-edge` around `program export`.
// `vornex` is the program that runs the edges, `program` the one that exports.
std::string ninjaFileText(const std::vector<SceneEntry>& assets, const std::string& outputFolder,
                          const std::string& vornex, const std::string& program);

} // namespace vornexbatch
