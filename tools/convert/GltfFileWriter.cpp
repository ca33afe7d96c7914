#include "tools/convert/GltfFileWriter.h"

#include <cstdio>
#include <fstream>

namespace vx::convert {

bool writeGlb(const tinygltf::Model& model, const std::string& path, std::string& error) {
    const std::string partial = path + ".partial";
    bool written = false;
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        tinygltf::TinyGLTF gltf;
        written = out && gltf.WriteGltfSceneToStream(&model, out, false, true);
        out.close();
        written = written && !out.fail();
    }
    if (!written || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        error = "cannot write \"" + path + "\"";
        return false;
    }
    return true;
}

} // namespace vx::convert
