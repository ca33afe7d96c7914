#pragma once
// Image file decoding behind MImage, shared with the graphics stand-in (imagecodec/). Rows come
// out top row first, 4 bytes per pixel RGBA.
#include <vximage/DdsCodec.h>
#include <vximage/ImageDecoder.h>
#include <vximage/RgbaImage.h>

#include <string>

namespace vornexhost {

using vximage::decodeDds;
using vximage::decodeImage;
using vximage::kMaxImagePixels;
using vximage::RgbaImage;

// Why the last MImage::readFromFile failed ("path: reason"), for the host program's messages.
const std::string& lastImageReadError();

} // namespace vornexhost
