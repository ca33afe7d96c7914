#include "MeshExporter/NormalMapReferences.h"

#include "Shared/Base/File/PathNames.h"
#include "Shared/Base/TextCase.h"

namespace vx {

bool convertsNormalMap(const MeshMaterialExporter::Entry& entry) {
    return !entry.textures.empty() &&
           toLowerAscii(entry.effectFile).find("tangent") == std::string::npos;
}

std::string normalMapSourcePath(const std::string& outputFile, const std::string& textureName) {
    // An output file named without a folder reads its maps relative to the working folder.
    const std::size_t folderEnd = fileNameStart(outputFile);
    const std::string folder =
        folderEnd == 0 ? std::string() : outputFile.substr(0, folderEnd - 1) + "/";
    return folder + "Textures/" + textureName.substr(fileNameStart(textureName));
}

std::string objectSpaceMapName(const std::string& textureName) {
    const std::size_t nameStart = fileNameStart(textureName);
    const std::string folder =
        nameStart == 0 ? std::string() : textureName.substr(0, nameStart - 1) + "/";
    return folder + replaceExtension(textureName.substr(nameStart), "_os.dds");
}

void changeNormalMapReferences(MeshMaterialExporter& materials) {
    for (MeshMaterialExporter::Entry& entry : materials.entries())
        if (convertsNormalMap(entry))
            entry.textures[0] = objectSpaceMapName(entry.textures[0]);
}

} // namespace vx
