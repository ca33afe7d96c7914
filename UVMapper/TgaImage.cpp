#include "UVMapper/TgaImage.h"

#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/FileOutStream.h"

#include <cstdio>

namespace vx {

void tgaHeader(std::uint32_t width, std::uint32_t height, unsigned char header[kTgaHeaderSize]) {
    for (std::size_t i = 0; i < kTgaHeaderSize; ++i)
        header[i] = 0;
    header[2] = 2;
    header[12] = static_cast<unsigned char>(width & 0xFFu);
    header[13] = static_cast<unsigned char>((width >> 8) & 0xFFu);
    header[14] = static_cast<unsigned char>(height & 0xFFu);
    header[15] = static_cast<unsigned char>((height >> 8) & 0xFFu);
    header[16] = 32;
    header[17] = 0x28;
}

bool writeTga(const std::string& path, std::uint32_t width, std::uint32_t height,
              const std::uint32_t* pixels) {
    unsigned char header[kTgaHeaderSize];
    tgaHeader(width, height, header);
    FileOutStream out(path.c_str());
    out.write(header, kTgaHeaderSize);
    out.write(pixels, std::size_t{width} * height * sizeof(std::uint32_t));
    if (out.close())
        return true;
    std::remove(path.c_str());
    VX_ERROR << "The image " << path << " could not be written whole and was removed";
    return false;
}

} // namespace vx
