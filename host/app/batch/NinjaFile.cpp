#include "batch/NinjaFile.h"

namespace vornexbatch {

namespace {

constexpr const char* kBatchFolder = "/.vornex-batch/";

// A path in a build statement: '$', ' ' and ':' are special to Ninja there.
std::string ninjaPath(const std::string& path) {
    std::string out;
    for (const char c : path) {
        if (c == '$' || c == ' ' || c == ':')
            out += '$';
        out += c;
    }
    return out;
}

// A variable's value: only '$' is special.
std::string ninjaValue(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '$')
            out += '$';
        out += c;
    }
    return out;
}

std::string joinQuoted(const std::vector<std::string>& args) {
    std::string out;
    for (const std::string& a : args)
        out += (out.empty() ? "" : " ") + shellQuote(a);
    return out;
}

} // namespace

AssetPaths assetPaths(const SceneEntry& scene, const std::string& outputFolder) {
    AssetPaths p;
    p.asset = scene.relative.substr(0, scene.relative.size() - 3);
    p.output = outputFolder + "/" + p.asset + "." + scene.exportType;
    const std::string batch = outputFolder + kBatchFolder + p.asset;
    p.stamp = batch + ".stamp";
    p.result = batch + ".result";
    p.depfile = batch + ".d";
    return p;
}

std::string shellQuote(const std::string& text) {
    if (!text.empty() &&
        text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                               "0123456789_-./=+,") == std::string::npos)
        return text;
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::vector<std::string> exportCommand(const std::string& program, const SceneEntry& scene,
                                       const AssetPaths& paths) {
    return {program, "export", scene.path, paths.output, "--depfile", paths.depfile};
}

std::string ninjaFileText(const std::vector<SceneEntry>& assets, const std::string& outputFolder,
                          const std::string& vornex, const std::string& program) {
    std::string text =
        "# Written by vornex batch; one edge per scene. Each command can be run by hand.\n"
        "ninja_required_version = 1.10\n"
        "\n"
        "rule export\n"
        "  command = $cmd\n"
        "  description = $asset\n"
        "  depfile = $depfile\n"
        "  deps = gcc\n"
        "  restat = 1\n";
    for (const SceneEntry& scene : assets) {
        const AssetPaths p = assetPaths(scene, outputFolder);
        std::vector<std::string> edge = {vornex, "batch-edge", p.result, p.stamp, p.output, "--"};
        const std::vector<std::string> command = exportCommand(program, scene, p);
        edge.insert(edge.end(), command.begin(), command.end());
        text += "\nbuild " + ninjaPath(p.stamp) + ": export " + ninjaPath(scene.path) + "\n";
        text += "  asset = " + ninjaValue(p.asset) + "\n";
        text += "  depfile = " + ninjaValue(p.depfile) + "\n";
        text += "  cmd = VORNEX_THREADS=1 " + ninjaValue(joinQuoted(edge)) + "\n";
    }
    return text;
}

} // namespace vornexbatch
