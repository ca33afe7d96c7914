#include "Vornex/SceneFilePath.h"

#include <maya/MFileIO.h>

namespace vx {

std::filesystem::path resolveSceneFilePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file(path);
    if (!std::filesystem::exists(file, error) && file.is_relative()) {
        const std::filesystem::path scene(MFileIO::currentFile().asChar());
        if (std::filesystem::exists(scene.parent_path() / file, error))
            return scene.parent_path() / file;
    }
    return file;
}

} // namespace vx
