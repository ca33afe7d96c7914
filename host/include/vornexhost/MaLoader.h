#pragma once
// Loads Maya ASCII text into a scene: every statement form that Maya writes, from 4.5 on.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornexhost {

class Scene;

struct MaLoadResult {
    bool ok = true;
    // On failure: "file:line: reason". Warnings: "file:line: text", in file order.
    std::string error;
    std::vector<std::string> warnings;
};

// Loads `text` into `scene` (which should be fresh). `fileLabel` names the file in messages.
// A malformed file stops at the first error; the scene then holds what came before it.
MaLoadResult loadMayaAscii(Scene& scene, std::string_view fileLabel, std::string_view text);

} // namespace vornexhost
