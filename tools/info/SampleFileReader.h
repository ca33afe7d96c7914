#pragma once
// Strict reader of the lightmap sample files the UV mapper writes (".samples", ".samp_GL").
#include "UVMapper/UVMapperRecords.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx::info {

struct SampleFileContents {
    struct Corner {
        Vector3 position;
        Vector3 normal;
    };
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<LumelSample> samples; // row by row
    std::vector<std::array<Corner, 3>> triangles;
};

// Reads a whole sample file from memory: "SMP2", a non-zero width and height, width × height
// samples of 28 bytes, the triangle count and 72 bytes per triangle, and nothing after. Every
// sample's triangle number is -1 or a triangle of the file. False with the reason and its byte
// offset in `error`.
bool readSampleFile(const unsigned char* data, std::size_t size, SampleFileContents& contents,
                    std::string& error);

} // namespace vx::info
