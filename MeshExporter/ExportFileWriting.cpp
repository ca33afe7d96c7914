#include "MeshExporter/ExportFileWriting.h"

#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/Streams/FileOutStream.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace vx {

bool writeExportFile(const std::string& path, std::string_view bytes) {
    return writeExportFile(path, [bytes](OutStream& out) {
        out.write(bytes.data(), bytes.size());
        return true;
    });
}

bool writeExportFile(const std::string& path, const std::function<bool(OutStream&)>& compose) {
    // OutFile treats an unopenable path as a broken invariant; for the artist's chosen folder
    // it is an ordinary failure, so the path is tried first.
    if (std::FILE* probe = std::fopen(path.c_str(), "ab")) {
        std::fclose(probe);
    } else {
        return failExport("Could not open " + path + " for writing: " + std::strerror(errno));
    }
    FileOutStream out(path.c_str());
    const bool composed = compose(out);
    if (!out.close() || !composed) {
        std::remove(path.c_str());
        return composed ? failExport("Could not write " + path + " whole; it was removed") : false;
    }
    return true;
}

bool ensureDirectory(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    ::mkdir(path.c_str(), 0777);
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace vx
