// The ".baf" reader on arbitrary bytes. Beyond the sanitizers it checks that whatever the
// reader accepts is exactly the file its parts describe (written back, they give the same
// bytes) and that every component decodes to one value per frame.
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "tools/info/AnimationFileReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void failure(const char* text) {
    std::fprintf(stderr, "%s\n", text);
    std::abort();
}

std::string writeBack(const vx::info::AnimationFile& file) {
    vx::StringOutBuffer buffer;
    vx::OutStream out(&buffer);
    out << file.version << static_cast<std::uint16_t>(file.bones.size());
    for (const vx::info::AnimationBone& bone : file.bones)
        out << bone.skeletonIndex;
    out << file.frameCount << file.precision;
    for (const vx::info::AnimationBone& bone : file.bones) {
        out << bone.words;
        for (const vx::info::AnimationComponent& component : bone.components) {
            std::uint32_t words = 0;
            for (const vx::info::AnimationKeyBlock& block : component.blocks)
                words += block.constant ? 2u : block.frames + 1u;
            out << static_cast<std::uint16_t>(words);
            for (const vx::info::AnimationKeyBlock& block : component.blocks) {
                const unsigned count = block.constant ? 1u : block.frames;
                const unsigned low = (block.constant ? 0x80u : 0u) | block.frames;
                out << static_cast<std::uint16_t>(low | ((count + 1u) << 8));
                for (unsigned i = 0; i < count; ++i)
                    out << component.values[block.firstValue + i];
            }
        }
    }
    return buffer.text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vx::info::AnimationFile file;
    std::string error;
    if (!vx::info::readAnimationFile(bytes, file, error)) {
        if (error.empty())
            failure("a rejected file without a reason");
        return 0;
    }
    if (writeBack(file) != bytes)
        failure("an accepted file does not write back to its own bytes");
    for (const vx::info::AnimationBone& bone : file.bones)
        for (std::size_t c = 0; c < bone.components.size(); ++c)
            if (vx::info::decodeComponent(bone.components[c], file.scale(c)).size() !=
                file.frameCount)
                failure("a component decodes to another number of values than frames");
    return 0;
}
