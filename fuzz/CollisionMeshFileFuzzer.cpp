// The collision mesh reader of `vornex info` on arbitrary bytes: it must refuse or accept
// without reading out of bounds, and whatever it accepts must print and answer a point query.
#include "tools/info/CollisionMeshFileInfo.h"
#include "tools/info/CollisionMeshFileReader.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vx::info::CollisionMeshFileContents contents;
    std::string error;
    if (vx::info::readCollisionMeshFile(data, size, contents, error)) {
        std::ostringstream out;
        vx::info::printCollisionSummary(contents, out);
        for (const auto& slot : contents.slots)
            for (const auto& block : slot)
                for (const auto& mesh : block.meshes)
                    for (std::uint16_t f : vx::info::queryTree(mesh, mesh.min))
                        if (f >= mesh.faces.size())
                            __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap(); // a refusal always says why
    }
    return 0;
}
