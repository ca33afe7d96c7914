#pragma once
#include "Shared/Base/Streams/FileOutStream.h"

#include <string>

namespace vx {

// Writes each text followed by CR LF to the file (created or rewritten). False when the
// file could not be written whole; an unopenable path asserts (see OutFile::open).
template <typename Texts>
bool writeTextLines(const std::string& path, const Texts& texts) {
    FileOutStream out(path.c_str());
    for (const std::string& text : texts) {
        out << text;
        out.write("\r\n", 2);
    }
    return out.close();
}

} // namespace vx
