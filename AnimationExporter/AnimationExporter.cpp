#include "AnimationExporter/AnimationExporter.h"

#include "AnimationExporter/AnimationFileWriter.h"
#include "AnimationExporter/OutputFile.h"
#include "AnimationExporter/Skeleton.h"
#include "AnimationExporter/SkeletonFileWriter.h"
#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/Scene.h"

namespace vx {
namespace {

bool buildFromRoot(const Scene& scene, Skeleton& skeleton) {
    const SceneNode* root = scene.getRoot();
    if (!root)
        return failExport("the scene is empty: no skeleton to export");
    skeleton.buildSkeleton(*root);
    return true;
}

} // namespace

bool exportSkeletonAsset(const Scene& scene, const std::string& outputFile) {
    Skeleton skeleton;
    if (!buildFromRoot(scene, skeleton))
        return false;
    // An empty skeleton is still written; the artist hears why it holds nothing.
    if (skeleton.empty()) {
        static constexpr const char* kNoBone = "no bone with anim_export found";
        VX_WARNING << kNoBone;
        exportErrorList().append(kNoBone);
    }
    return exportSkeletonToFile(skeleton, outputFile);
}

bool exportAnimationAsset(const Scene& scene, const std::string& outputFile) {
    Skeleton skeleton;
    return buildFromRoot(scene, skeleton) && saveAnimation(skeleton, outputFile);
}

} // namespace vx
