#pragma once
// Takes one key per frame for every animated bone of a skeleton: joints give their sampled
// keys; mesh slot bones give their transform's keys made relative to the bone they hang on.
#include <string>

namespace vx {

class Skeleton;
struct AnimationKeys;

// Fills `keys`. The frame count is the key count of the first bone that is a joint. False,
// with the reason in `error`, when the keys cannot be stored exactly: no joint among the
// bones, more animated bones or a larger bone index than 16 bits hold, or a joint the keys need
// with fewer keys than frames. Missing keys of a mesh slot transform are reported to the error list
// and replaced by the bone's rest key (identity rotation, zero position); the sampling goes on.
bool sampleAnimation(const Skeleton& skeleton, AnimationKeys& keys, std::string& error);

} // namespace vx
