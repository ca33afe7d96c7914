#include "AnimationExporter/OutputFile.h"

#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/FileOutStream.h"

#include <cstdio>

namespace vx {

bool writeWholeFile(const std::string& path, std::string_view bytes) {
    FileOutStream out(path.c_str());
    out.write(bytes.data(), bytes.size());
    if (out.close())
        return true;
    std::remove(path.c_str());
    return failExport("could not write " + path + " whole; the file was removed");
}

} // namespace vx
