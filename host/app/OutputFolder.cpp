#include "OutputFolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace vornexapp {

bool prepareOutputFolder(const std::string& outputPath, std::string& error) {
    std::filesystem::path folder = std::filesystem::path(outputPath).parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code) {
        error = "cannot write \"" + outputPath + "\": its folder \"" + folder.string() +
                "\" cannot be made: " + code.message();
        return false;
    }
    // A file made and removed at once: the exporter's own files go in the same way.
    std::string probe = (folder / ".vornex-XXXXXX").string();
    const int descriptor = ::mkstemp(probe.data());
    if (descriptor < 0) {
        error = "cannot write \"" + outputPath + "\": no file can be made in \"" + folder.string() +
                "\": " + std::strerror(errno);
        return false;
    }
    ::close(descriptor);
    ::unlink(probe.c_str());
    return true;
}

} // namespace vornexapp
