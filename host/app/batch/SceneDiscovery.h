#pragma once
// Finding the scenes of an asset tree that a batch exports.
#include <filesystem>
#include <string>
#include <vector>

namespace vornexbatch {

struct SceneEntry {
    std::string relative;   // from the tree's folder, '/'-separated: "vehicles/tank/tank.ma"
    std::string path;       // absolute
    std::string exportType; // the root node's type name as the table spells it; empty: skipped
    std::string skipReason; // why a scene without a type is skipped
};

// The export type named by the scene's first `createNode` whose name is "root_" followed by a
// type name (both ignoring case); empty when there is none. A cheap look at the text, read up
// to that line: the scene is not loaded, so a root inside a referenced file is not seen. False
// when the file cannot be read.
bool rootExportType(const std::string& scenePath, std::string& type);

// Every Maya ASCII scene (".ma", any case) under `source`, in sorted order of their relative
// paths; those with a root node in `assets`, the others in `skipped`. Unreadable
// folders and files are skipped with their reason. False with the reason when `source`
// cannot be walked at all.
bool discoverScenes(const std::filesystem::path& source, std::vector<SceneEntry>& assets,
                    std::vector<SceneEntry>& skipped, std::string& error);

} // namespace vornexbatch
