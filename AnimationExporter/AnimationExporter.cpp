#include "AnimationExporter/AnimationExporter.h"

#include "AnimationExporter/AnimationFileWriter.h"
#include "AnimationExporter/OutputFile.h"
#include "AnimationExporter/Skeleton.h"
#include "AnimationExporter/SkeletonFileWriter.h"
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
    return buildFromRoot(scene, skeleton) && exportSkeletonToFile(skeleton, outputFile);
}

bool exportAnimationAsset(const Scene& scene, const std::string& outputFile) {
    Skeleton skeleton;
    return buildFromRoot(scene, skeleton) && saveAnimation(skeleton, outputFile);
}

} // namespace vx
