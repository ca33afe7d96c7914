#include "tools/info/SampleFileInfo.h"

#include "Shared/Base/File/Pc/InFile.h"

#include <stb_image_write.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <ostream>
#include <vector>

namespace vx::info {

std::uint32_t triangleColour(std::int32_t triangle) {
    if (triangle < 0)
        return 0;
    // A multiplicative hash spreads consecutive numbers over the colour cube; the floor of
    // 0x30 per channel keeps every colour away from black.
    const std::uint32_t hash = static_cast<std::uint32_t>(triangle) * 2654435761u;
    return ((hash >> 8) & 0xBFBFBFu) + 0x303030u;
}

void printSampleSummary(const SampleFileContents& contents, std::ostream& out) {
    const std::uint64_t lumels = std::uint64_t{contents.width} * contents.height;
    std::uint64_t real = 0;
    const float big = std::numeric_limits<float>::max();
    Vector3 low{big, big, big};
    Vector3 high{-big, -big, -big};
    for (const LumelSample& sample : contents.samples) {
        if (sample.triangle < 0)
            continue;
        ++real;
        low = {std::min(low.x, sample.position.x), std::min(low.y, sample.position.y),
               std::min(low.z, sample.position.z)};
        high = {std::max(high.x, sample.position.x), std::max(high.y, sample.position.y),
                std::max(high.z, sample.position.z)};
    }
    out << "lightmap samples " << contents.width << " x " << contents.height << " lumels\n";
    out << "triangles " << contents.triangles.size() << '\n';
    out << "lumels on a surface " << real << " of " << lumels << " ("
        << (lumels ? 100.0 * static_cast<double>(real) / static_cast<double>(lumels) : 0.0)
        << "%)\n";
    if (real == 0) {
        out << "sample positions none\n";
        return;
    }
    out << "sample positions from (" << low.x << ", " << low.y << ", " << low.z << ") to ("
        << high.x << ", " << high.y << ", " << high.z << ")\n";
}

bool writeSamplePicture(const SampleFileContents& contents, const std::string& path) {
    if (contents.width > static_cast<std::uint32_t>(std::numeric_limits<int>::max() / 3) ||
        contents.height > static_cast<std::uint32_t>(std::numeric_limits<int>::max()))
        return false;
    std::vector<unsigned char> rgb(contents.samples.size() * 3);
    for (std::size_t i = 0; i < contents.samples.size(); ++i) {
        const std::uint32_t colour = triangleColour(contents.samples[i].triangle);
        rgb[3 * i] = static_cast<unsigned char>(colour >> 16);
        rgb[3 * i + 1] = static_cast<unsigned char>(colour >> 8);
        rgb[3 * i + 2] = static_cast<unsigned char>(colour);
    }
    const int width = static_cast<int>(contents.width);
    return stbi_write_png(path.c_str(), width, static_cast<int>(contents.height), 3, rgb.data(),
                          width * 3) != 0;
}

int printSampleFile(const InfoRequest& request, std::ostream& out, std::ostream& err) {
    std::string picture;
    for (std::size_t i = 0; i < request.options.size(); ++i) {
        if (request.options[i] == "--png" && i + 1 < request.options.size()) {
            picture = request.options[++i];
            continue;
        }
        err << "sample files take only --png OUT.png (got '" << request.options[i] << "')\n";
        return 1;
    }
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(request.path, ignored) ||
        !InFile::exists(request.path.c_str())) {
        err << "cannot open sample file '" << request.path << "'\n";
        return 1;
    }
    InFile file;
    file.open(request.path.c_str());
    std::vector<unsigned char> bytes(static_cast<std::size_t>(file.size()));
    if (file.read(bytes.data(), bytes.size()) != bytes.size()) {
        err << "cannot read sample file '" << request.path << "'\n";
        return 1;
    }
    SampleFileContents contents;
    std::string error;
    if (!readSampleFile(bytes.data(), bytes.size(), contents, error)) {
        err << request.path << ": " << error << '\n';
        return 1;
    }
    out << request.path << ":\n";
    printSampleSummary(contents, out);
    if (!picture.empty()) {
        if (!writeSamplePicture(contents, picture)) {
            err << "cannot write the picture '" << picture << "'\n";
            return 1;
        }
        out << "picture " << picture << '\n';
    }
    return 0;
}

} // namespace vx::info
