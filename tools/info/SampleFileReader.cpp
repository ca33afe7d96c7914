#include "tools/info/SampleFileReader.h"

#include <cstring>

namespace vx::info {

namespace {

std::uint32_t readU32(const unsigned char* at) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

} // namespace

bool readSampleFile(const unsigned char* data, std::size_t size, SampleFileContents& contents,
                    std::string& error) {
    contents = SampleFileContents{};
    if (size < 12) {
        error = "the header needs 12 bytes, the file has " + std::to_string(size);
        return false;
    }
    if (std::memcmp(data, "SMP2", 4) != 0) {
        error = "no \"SMP2\" at byte offset 0";
        return false;
    }
    const std::uint32_t width = readU32(data + 4);
    const std::uint32_t height = readU32(data + 8);
    if (width == 0 || height == 0) {
        error = "lightmap size " + std::to_string(width) + "x" + std::to_string(height) +
                " at byte offset 4 has no lumels";
        return false;
    }
    const std::uint64_t lumels = std::uint64_t{width} * height; // below 2^64 / 28
    std::size_t offset = 12;
    if (lumels > (size - offset) / sizeof(LumelSample)) {
        error = "the samples of " + std::to_string(width) + "x" + std::to_string(height) +
                " lumels (28 bytes each) from byte offset 12 do not fit the " +
                std::to_string(size - offset) + " bytes left";
        return false;
    }
    contents.samples.resize(static_cast<std::size_t>(lumels));
    std::memcpy(contents.samples.data(), data + offset,
                contents.samples.size() * sizeof(LumelSample));
    offset += contents.samples.size() * sizeof(LumelSample);
    if (size - offset < 4) {
        error = "the triangle count at byte offset " + std::to_string(offset) + " is cut off";
        return false;
    }
    const std::uint32_t count = readU32(data + offset);
    offset += 4;
    if (std::uint64_t{count} * 72 != size - offset) {
        error = "the " + std::to_string(count) + " triangles from byte offset " +
                std::to_string(offset) + " need " + std::to_string(std::uint64_t{count} * 72) +
                " bytes, the file has " + std::to_string(size - offset);
        return false;
    }
    contents.triangles.resize(count);
    static_assert(sizeof(SampleFileContents::Corner) == 24);
    if (count > 0) // an empty vector's data() may be null, which memcpy must not get
        std::memcpy(contents.triangles.data(), data + offset, std::size_t{count} * 72);
    for (std::size_t i = 0; i < contents.samples.size(); ++i) {
        const std::int32_t triangle = contents.samples[i].triangle;
        if (triangle < -1 || (triangle >= 0 && static_cast<std::uint32_t>(triangle) >= count)) {
            error = "the sample of lumel (" + std::to_string(i % width) + ", " +
                    std::to_string(i / width) + ") at byte offset " +
                    std::to_string(12 + i * sizeof(LumelSample)) + " names triangle " +
                    std::to_string(triangle) + " of " + std::to_string(count);
            contents = SampleFileContents{};
            return false;
        }
    }
    contents.width = width;
    contents.height = height;
    return true;
}

} // namespace vx::info
