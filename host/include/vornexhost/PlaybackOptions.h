#pragma once
// The playback range as "playbackOptions -min 1 -max 120" sets it (in the scene's time unit).
#include <string>
#include <string_view>

namespace vornexhost {

class Scene;

// Applies every "playbackOptions" command in `script` that sets -min/-minTime or
// -max/-maxTime; false (with a reason) when a value is not a number.
bool applyPlaybackOptions(Scene& scene, std::string_view script, std::string& error);

// After a file has loaded: the current time from time1 and the playback range from the
// scene configuration script node.
void applySceneTimes(Scene& scene, std::string& warning);

} // namespace vornexhost
