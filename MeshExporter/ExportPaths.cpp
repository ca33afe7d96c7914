#include "MeshExporter/ExportPaths.h"

#include "Shared/Base/TextCase.h"

namespace vx {

std::string outputDirectory(std::string_view outputFile) {
    const std::size_t slash = outputFile.find_last_of("/\\");
    if (slash == std::string_view::npos)
        return {};
    return std::string(outputFile.substr(0, slash)) + "/";
}

std::string outputBaseName(std::string_view outputFile) {
    const std::size_t slash = outputFile.find_last_of("/\\");
    std::string_view name =
        slash == std::string_view::npos ? outputFile : outputFile.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    return std::string(name);
}

std::string meshDirectory(std::string_view outputFile) {
    return outputDirectory(outputFile) + "meshes/";
}

std::string meshDirectoryFile(std::string_view outputFile, std::string_view fileName) {
    return meshDirectory(outputFile) + toLowerAscii(fileName);
}

std::string recordedPath(std::string_view path) {
    return toLowerAscii(path);
}

} // namespace vx
