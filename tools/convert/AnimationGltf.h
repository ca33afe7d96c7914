#pragma once
// An animation file as one glTF animation over a skeleton's joints: per animated bone a
// rotation and a translation channel with a key at every frame (linear between them).
#include "tools/convert/GltfBuilder.h"
#include "tools/info/AnimationFileReader.h"
#include "tools/info/SkeletonFileReader.h"

#include <string>
#include <vector>

namespace vx::convert {

// `boneNodes[i]` is the node of skeleton bone i. False with a sentence in `error` when the
// animation moves a bone the skeleton does not have.
bool addAnimation(GltfBuilder& builder, const info::AnimationFile& animation,
                  const std::vector<int>& boneNodes, double framesPerSecond,
                  const std::string& name, std::string& error);

} // namespace vx::convert
