// The ".ske" reader on arbitrary bytes. Beyond the sanitizers it checks that whatever the
// reader accepts is exactly the file its parts describe: written back, they give the same
// bytes.
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "tools/info/SkeletonFilePrinter.h"
#include "tools/info/SkeletonFileReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

std::string writeBack(const vx::info::SkeletonFile& file) {
    vx::StringOutBuffer buffer;
    vx::OutStream out(&buffer);
    out << file.version << static_cast<std::uint32_t>(file.bones.size());
    for (const vx::info::SkeletonFileBone& bone : file.bones) {
        out << static_cast<std::uint16_t>(bone.name.size() + 1) << bone.name;
        out.writeTerminator();
        out << static_cast<std::uint16_t>(bone.parent);
        for (float v : bone.rotation)
            out << v;
        for (float v : bone.position)
            out << v;
    }
    return buffer.text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vx::info::SkeletonFile file;
    std::string error;
    if (!vx::info::readSkeletonFile(bytes, file, error)) {
        if (error.empty()) {
            std::fprintf(stderr, "a rejected file without a reason\n");
            std::abort();
        }
        return 0;
    }
    if (writeBack(file) != bytes) {
        std::fprintf(stderr, "an accepted file does not write back to its own bytes\n");
        std::abort();
    }
    std::ostringstream printed;
    vx::info::printSkeletonFile(file, printed);
    return 0;
}
