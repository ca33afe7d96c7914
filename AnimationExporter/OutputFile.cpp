#include "AnimationExporter/OutputFile.h"

#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/FileOutStream.h"

#include <cstdio>

namespace vx {

std::optional<std::string> replaceExtension(const std::string& path, std::string_view extension) {
    const std::size_t dot = path.rfind('.');
    const std::size_t separator = path.find_last_of("/\\");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return std::nullopt;
    return path.substr(0, dot) + std::string(extension);
}

bool writeWholeFile(const std::string& path, std::string_view bytes) {
    FileOutStream out(path.c_str());
    out.write(bytes.data(), bytes.size());
    if (out.close())
        return true;
    std::remove(path.c_str());
    return failExport("could not write " + path + " whole; the file was removed");
}

} // namespace vx
