#include "tools/info/DdsFileInfo.h"

#include "tools/info/FileBytes.h"
#include "vximage/DdsCodec.h"

#include <stb_image_write.h>

#include <ostream>

namespace vx::info {

namespace {

const char* formatName(vximage::DdsFormat format) {
    switch (format) {
    case vximage::DdsFormat::A8R8G8B8:
        return "A8R8G8B8";
    case vximage::DdsFormat::X8R8G8B8:
        return "X8R8G8B8";
    case vximage::DdsFormat::Dxt1:
        return "DXT1";
    case vximage::DdsFormat::Dxt3:
        return "DXT3";
    case vximage::DdsFormat::Dxt5:
        return "DXT5";
    case vximage::DdsFormat::Other:
        break;
    }
    return "other";
}

} // namespace

int printDdsFile(const InfoRequest& request, std::ostream& out, std::ostream& err) {
    std::string picture;
    for (std::size_t i = 0; i < request.options.size(); ++i) {
        if (request.options[i] == "--png" && i + 1 < request.options.size()) {
            picture = request.options[++i];
            continue;
        }
        err << "DDS files take only --png OUT.png (got '" << request.options[i] << "')\n";
        return 1;
    }
    std::string bytes;
    std::string error;
    if (!readFileBytes(request.path, bytes, error)) {
        err << error << '\n';
        return 1;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    vximage::DdsHeader header;
    if (!vximage::readDdsHeader(data, bytes.size(), header, error)) {
        err << request.path << ": " << error << '\n';
        return 1;
    }
    out << request.path << ":\n"
        << "  size " << header.width << " x " << header.height << ", format "
        << formatName(header.format) << ", mip levels " << header.mipLevels << ", " << bytes.size()
        << " bytes\n";
    if (picture.empty())
        return 0;
    vximage::RgbaImage image;
    if (!vximage::decodeDds(data, bytes.size(), image, error)) {
        err << request.path << ": " << error << '\n';
        return 1;
    }
    const int width = static_cast<int>(image.width);
    if (stbi_write_png(picture.c_str(), width, static_cast<int>(image.height), 4,
                       image.pixels.data(), width * 4) == 0) {
        err << "cannot write '" << picture << "'\n";
        return 1;
    }
    out << "  top level written to " << picture << '\n';
    return 0;
}

} // namespace vx::info
