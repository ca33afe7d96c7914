#include "MeshExporter/EffectFileSearch.h"

#include "Shared/Base/Log.h"

#include <fstream>
#include <unistd.h>

namespace vx {

namespace {

// The longest installation folder the search accepts, as the host's own setting allows.
constexpr std::size_t kMaxInstallFolder = 259;

bool readable(const std::string& path, std::vector<std::string>* tried) {
    if (tried)
        tried->push_back(path);
    return std::ifstream(path, std::ios::binary).is_open();
}

} // namespace

std::optional<std::string> locateTransformEffect(const std::string& programFolder,
                                                 const char* installFolder,
                                                 std::vector<std::string>* tried) {
    const std::string local = programFolder + "/";
    for (const std::string& candidate :
         {local + kTransformEffectName, local + "plug-ins/" + kTransformEffectName})
        if (readable(candidate, tried))
            return candidate;
    if (installFolder == nullptr) {
        VX_INFO << "Unable to open maya reg key.";
        return std::nullopt;
    }
    const std::string install(installFolder);
    if (install.empty() || install.size() > kMaxInstallFolder) {
        VX_INFO << "Unable to get maya install dir.";
        return std::nullopt;
    }
    const std::string bin = install + (install.back() == '/' ? "" : "/") + "bin/";
    for (const std::string& candidate :
         {bin + kTransformEffectName, bin + "plug-ins/" + kTransformEffectName})
        if (readable(candidate, tried))
            return candidate;
    VX_INFO << "Unable to locate transform.fx.";
    return std::nullopt;
}

std::string programFolder() {
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string program(path, static_cast<std::size_t>(n));
    return program.substr(0, program.find_last_of('/'));
}

} // namespace vx
