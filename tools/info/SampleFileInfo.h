#pragma once
// `vornex info FILE.samples [--png OUT.png]`: what a lightmap sample file holds, and optionally
// a picture of its lumels coloured by triangle.
#include "tools/info/InfoCommand.h"
#include "tools/info/SampleFileReader.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace vx::info {

int printSampleFile(const InfoRequest& request, std::ostream& out, std::ostream& err);

// Size, triangle count, lumels with a surface and the box of their sample positions.
void printSampleSummary(const SampleFileContents& contents, std::ostream& out);

// The colour of a triangle's lumels in the picture (0xRRGGBB): neighbouring numbers get
// clearly different colours, never black, which marks lumels without a surface.
std::uint32_t triangleColour(std::int32_t triangle);

// An RGB PNG of width × height pixels, one per lumel, row 0 at the top. False when the file
// could not be written.
bool writeSamplePicture(const SampleFileContents& contents, const std::string& path);

} // namespace vx::info
