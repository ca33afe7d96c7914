#include "MeshExporter/MeshExporter.h"

#include "AnimationExporter/AnimationExporter.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/NodeSearch.h"
#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/Scene.h"

namespace vx {

bool exportGameAssets(Scene& scene, const std::string& outputFile, ProgressCallback progress,
                      int callbackData) {
    exportedFileSet().clear();
    exportErrorList().clear();
    currentExportType() = kNoExportType;

    const SceneNode* root = findRoot(scene.getRoot());
    if (!root || currentExportType() == kNoExportType) {
        static constexpr const char* kMissingRoot =
            "export type not found, possible missing root_XXXXXXXX node in Maya scene";
        VX_INFO << kMissingRoot;
        exportErrorList().append(kMissingRoot);
        return false;
    }
    const std::string typeName(exportTypeName(currentExportType()));
    VX_INFO << "export type:" << typeName;

    if (currentExportType() == kSkeleton || currentExportType() == kAnimation) {
        const bool skeleton = currentExportType() == kSkeleton;
        if (progress)
            progress(skeleton ? "build skeleton (skeleton)" : "build skeleton (animation)",
                     callbackData);
        return skeleton ? exportSkeletonAsset(scene, outputFile)
                        : exportAnimationAsset(scene, outputFile);
    }

    // The skeleton, animation and mesh writers are not part of this build: fail rather than
    // leave the artist believing files were written.
    const std::string notAvailable =
        "export of " + typeName + " assets is not available in this build yet; nothing was written";
    VX_ERROR << notAvailable;
    exportErrorList().append(notAvailable);
    return false;
}

} // namespace vx
