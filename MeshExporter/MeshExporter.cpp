#include "MeshExporter/MeshExporter.h"

#include "AnimationExporter/AnimationExporter.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportFileWriting.h"
#include "MeshExporter/ExportPaths.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/GeometryExport.h"
#include "MeshExporter/MeshDataFactory.h"
#include "MeshExporter/NodeSearch.h"
#include "MeshExporter/ObjectTemplateWriter.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Graphics/Scene/Scene.h"

namespace vx {

namespace {

bool kitsFlag = false;

bool writeFileList(const std::string& outputFile) {
    std::string lines;
    for (const std::string& path : exportedFileSet().paths())
        lines += path + "\r\n";
    return writeExportFile(outputDirectory(outputFile) + outputBaseName(outputFile) + ".nfo",
                           lines);
}

} // namespace

bool skinnedKitsFlag() {
    return kitsFlag;
}

bool exportGameAssets(Scene& scene, const std::string& outputFile, ProgressCallback progress,
                      int callbackData) {
    exportedFileSet().clear();
    currentExportType() = kNoExportType;

    const SceneNode* root = findRoot(scene.getRoot());
    if (!root || currentExportType() == kNoExportType) {
        VX_INFO << kMissingRootMessage;
        exportErrorList().append(kMissingRootMessage);
        return false;
    }
    const ExportType type = currentExportType();
    const std::string typeName(exportTypeName(type));
    VX_INFO << "export type:" << typeName;

    if (type == kSkeleton || type == kAnimation) {
        const bool skeleton = type == kSkeleton;
        if (progress)
            progress(skeleton ? "build skeleton (skeleton)" : "build skeleton (animation)",
                     callbackData);
        return skeleton ? exportSkeletonAsset(scene, outputFile)
                        : exportAnimationAsset(scene, outputFile);
    }
    VX_ASSERT_MSG(hasMeshDataExporter(type), "no mesh data exporter for " << typeName);
    if (type == kSkinnedMesh)
        kitsFlag = toLowerAscii(outputFile).find("_kits") != std::string::npos;

    const std::string meshes = meshDirectory(outputFile);
    if (!ensureDirectory(meshes)) {
        VX_INFO << "Could not create Mesh directory " << meshes;
    }

    ExportGeometryData data;
    if (!exportGeometries(scene, outputFile, data, progress, callbackData))
        return false;
    if (progress)
        progress("create con-file", callbackData);
    if (!writeObjectTemplates(data, outputFile, false))
        return false;
    bool result = true;
    const std::string lower = toLowerAscii(outputFile);
    if (lower.find("vegitation/") != std::string::npos && lower.find("_lod") == std::string::npos)
        result = writeObjectTemplates(data, outputFile, true);
    if (!writeFileList(outputFile))
        return false;
    return result;
}

} // namespace vx
