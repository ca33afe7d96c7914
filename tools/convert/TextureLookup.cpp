#include "tools/convert/TextureLookup.h"

#include "tools/info/FileBytes.h"
#include "vximage/ImageDecoder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace vx::convert {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isFile(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

} // namespace

std::string findTexture(const std::string& folder, const std::string& name) {
    if (folder.empty() || name.empty())
        return "";
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path base(folder);
    if (isFile(base / relative))
        return (base / relative).string();
    const std::string leaf = relative.substr(relative.find_last_of('/') + 1);
    if (isFile(base / leaf))
        return (base / leaf).string();
    const std::string wanted = lower(leaf);
    std::error_code ignored;
    // Sorted, so that two names differing only in case resolve the same way every run.
    std::vector<std::filesystem::path> matches;
    for (const auto& entry : std::filesystem::directory_iterator(base, ignored))
        if (lower(entry.path().filename().string()) == wanted && isFile(entry.path()))
            matches.push_back(entry.path());
    std::sort(matches.begin(), matches.end());
    return matches.empty() ? "" : matches.front().string();
}

bool loadTexture(const std::string& folder, const std::string& name, vximage::RgbaImage& image,
                 std::string& error) {
    const std::string path = findTexture(folder, name);
    if (path.empty()) {
        error = "texture \"" + name + "\" not found in \"" + folder + "\"";
        return false;
    }
    std::string bytes;
    std::string why;
    if (!info::readFileBytes(path, bytes, why) ||
        !vximage::decodeImage(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                              image, why)) {
        error = "texture \"" + path + "\": " + why;
        return false;
    }
    return true;
}

} // namespace vx::convert
