#pragma once
// The texture formats the stand-in offers and their DDS file layouts.
#include "d3d9types.h"
#include "vximage/DdsCodec.h"

namespace vornexgfx {

// A8R8G8B8, X8R8G8B8, DXT1, DXT3, DXT5.
bool isTextureFormat(D3DFORMAT format);
bool isBlockFormat(D3DFORMAT format);
// DdsFormat::Other for formats that are not texture formats.
vximage::DdsFormat ddsFormatOf(D3DFORMAT format);
// D3DFMT_A8R8G8B8 for DdsFormat::Other: the layout such files are loaded into.
D3DFORMAT d3dFormatOf(vximage::DdsFormat format);

} // namespace vornexgfx
