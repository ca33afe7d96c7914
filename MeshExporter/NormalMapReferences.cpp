#include "MeshExporter/NormalMapReferences.h"

#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/File/PathNames.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/TextCase.h"

#include <algorithm>
#include <filesystem>

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

void pointAtObjectSpaceMaps(const std::string& outputFile, MeshMaterialExporter& materials) {
    for (MeshMaterialExporter::Entry& entry : materials.entries()) {
        if (!convertsNormalMap(entry))
            continue;
        const std::string source = normalMapSourcePath(outputFile, entry.textures[0]);
        const std::string converted = replaceExtension(source, "_os.dds");
        std::error_code error;
        if (std::filesystem::is_regular_file(converted, error)) {
            entry.textures[0] = objectSpaceMapName(entry.textures[0]);
            continue;
        }
        const std::size_t nameStart = fileNameStart(source);
        const std::string folder = source.substr(0, nameStart);
        const std::string text =
            std::filesystem::is_regular_file(source, error)
                ? "Object-space normal map " + converted.substr(nameStart) + " not found in " +
                      folder + " and not converted: materials using " + source.substr(nameStart) +
                      " keep that tangent-space map"
                : "Normal map " + source.substr(nameStart) + " not found in " + folder +
                      ": materials using it keep that tangent-space map";
        const auto& reported = exportErrorList().entries();
        if (std::find(reported.begin(), reported.end(), text) == reported.end()) {
            exportErrorList().append(text);
            VX_WARNING << text;
        }
    }
}

} // namespace vx
