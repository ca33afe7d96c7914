// readMeshFile on arbitrary bytes, as each of the three kinds. Beyond the sanitizers it checks
// that a failure names its offset and that a file that was read prints whole, its vertices
// decoded by the declaration the reader accepted.
#include "Shared/Base/Log.h"
#include "tools/info/MeshFileInfo.h"
#include "tools/info/MeshFileReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "mesh file fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vx::logChannel()->setFileName("/dev/null");
    vx::logFilter().setThreshold("", 6);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vx::meshfile::MeshKind;
    for (MeshKind kind : {MeshKind::Static, MeshKind::Bundled, MeshKind::Skinned}) {
        vx::meshfile::MeshFile file;
        std::string error;
        if (!vx::meshfile::readMeshFile(data, size, kind, file, error)) {
            check(error.rfind("offset ", 0) == 0, "an error without its offset");
            continue;
        }
        check(file.vertexData.size() == std::size_t{file.vertexCount} * file.stride,
              "vertex bytes that are not count times stride");
        check(file.lods.size() == file.lodCounts.size() &&
                  file.materials.size() == file.lodCounts.size(),
              "per-geometry lists of another length than the geometry count");
        std::ostringstream out;
        vx::meshfile::printMeshFile(file, out, std::min<std::uint32_t>(file.vertexCount, 64));
    }
    return 0;
}
