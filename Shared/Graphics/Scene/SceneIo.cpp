#include "Shared/Graphics/Scene/SceneIo.h"

#include "Shared/Base/Log.h"

#include <cstring>
#include <limits>

namespace vx::sceneio {

void writeCount(OutStream& out, std::size_t count) {
    VX_ASSERT(count <= std::numeric_limits<std::uint32_t>::max());
    out << static_cast<std::uint32_t>(count);
}

void writeTerminatedText(OutStream& out, std::string_view text) {
    const std::size_t zero = text.find('\0');
    out << text.substr(0, zero);
    out.writeTerminator();
}

void writeCountedText(OutStream& out, std::string_view text) {
    writeCount(out, text.size());
    out << text;
}

bool readTerminatedText(InStream& in, Scene& scene, std::string& text, const char* what) {
    in.readTerminated(text, kMaxTerminatedText);
    return checkStream(in, scene, what);
}

bool readCountedText(InStream& in, Scene& scene, std::string& text, const char* what) {
    std::uint32_t length = 0;
    if (!readCount(in, scene, length, 1, what))
        return false;
    text.resize(length);
    if (length != 0)
        in.read(text.data(), length);
    return checkStream(in, scene, what);
}

bool readCount(InStream& in, Scene& scene, std::uint32_t& count, std::uint64_t minBytesEach,
               const char* what) {
    in >> count;
    if (!checkStream(in, scene, what))
        return false;
    const std::uint64_t left = in.remaining();
    if (static_cast<std::uint64_t>(count) * minBytesEach > left)
        return scene.fail(std::string(what) + " count " + std::to_string(count) +
                          " is larger than the " + std::to_string(left) +
                          " bytes left in the file");
    return true;
}

bool checkStream(InStream& in, Scene& scene, const char* what) {
    if (in.failed())
        return scene.fail(std::string("unexpected end of file in ") + what);
    return true;
}

bool readFlag(InStream& in, Scene& scene, bool& flag, const char* what) {
    std::uint8_t byte = 0;
    in >> byte;
    if (!checkStream(in, scene, what))
        return false;
    if (byte > 1)
        return scene.fail(std::string("presence byte ") + std::to_string(byte) + " of " + what +
                          " is neither 0 nor 1");
    flag = byte == 1;
    return true;
}

} // namespace vx::sceneio
