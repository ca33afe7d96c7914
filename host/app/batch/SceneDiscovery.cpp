#include "batch/SceneDiscovery.h"

#include "MeshExporter/ExportType.h"
#include "Shared/Base/TextCase.h"

#include <algorithm>
#include <fstream>
#include <set>

namespace vornexbatch {

namespace fs = std::filesystem;

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The quoted name after " -n " or " -name " on a createNode line; empty when absent.
std::string_view createdName(std::string_view line) {
    for (const std::string_view flag :
         {std::string_view(" -n \""), std::string_view(" -name \"")}) {
        const std::size_t at = line.find(flag);
        if (at == std::string_view::npos)
            continue;
        const std::size_t start = at + flag.size();
        const std::size_t end = line.find('"', start);
        if (end != std::string_view::npos)
            return line.substr(start, end - start);
    }
    return {};
}

} // namespace

bool rootExportType(const std::string& scenePath, std::string& type) {
    constexpr std::string_view kCreate = "createNode";
    constexpr std::string_view kRoot = "root_";
    type.clear();
    std::ifstream in(scenePath, std::ios::binary);
    if (!in)
        return false;
    for (std::string text; std::getline(in, text);) {
        std::string_view line = text;
        while (!line.empty() && isBlank(line.front()))
            line.remove_prefix(1);
        if (line.substr(0, kCreate.size()) != kCreate)
            continue;
        const std::string_view name = createdName(line);
        if (name.size() <= kRoot.size() ||
            !vx::equalsIgnoringCase(name.substr(0, kRoot.size()), kRoot))
            continue;
        const vx::ExportType found = vx::exportTypeFromName(name.substr(kRoot.size()));
        if (found != vx::kNoExportType) {
            type = vx::exportTypeName(found);
            return true;
        }
    }
    return !in.bad();
}

bool discoverScenes(const fs::path& source, std::vector<SceneEntry>& assets,
                    std::vector<SceneEntry>& skipped, std::string& error) {
    std::error_code ec;
    fs::recursive_directory_iterator it(source, fs::directory_options::skip_permission_denied, ec);
    if (ec) {
        error = source.string() + ": cannot list the folder: " + ec.message();
        return false;
    }
    std::vector<SceneEntry> scenes;
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec) {
            error = source.string() + ": cannot list the folder: " + ec.message();
            return false;
        }
        const fs::path& path = it->path();
        if (!vx::equalsIgnoringCase(path.extension().string(), ".ma") || !it->is_regular_file(ec))
            continue;
        SceneEntry entry;
        entry.path = path.string();
        entry.relative = path.lexically_relative(source).generic_string();
        scenes.push_back(std::move(entry));
    }
    std::sort(scenes.begin(), scenes.end(),
              [](const SceneEntry& a, const SceneEntry& b) { return a.relative < b.relative; });
    // "a.ma" and "a.MA" would export to the same place; the first in sorted order wins.
    std::set<std::string> taken;
    for (SceneEntry& scene : scenes) {
        if (!rootExportType(scene.path, scene.exportType))
            scene.skipReason = "cannot be read";
        else if (scene.exportType.empty())
            scene.skipReason = "no root_ node";
        else if (scene.path.find_first_of("\r\n") != std::string::npos)
            scene.skipReason = "its path holds a line break";
        else if (!taken.insert(scene.relative.substr(0, scene.relative.size() - 3)).second)
            scene.skipReason = "another scene exports to the same place";
        (scene.skipReason.empty() ? assets : skipped).push_back(std::move(scene));
    }
    return true;
}

} // namespace vornexbatch
