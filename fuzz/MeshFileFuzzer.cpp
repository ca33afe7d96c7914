// readMeshFile on arbitrary bytes, as each of the three kinds. Beyond the sanitizers it checks
// that a failure names its offset and that a file that was read prints whole, its vertices
// decoded by the declaration the reader accepted (skinned parts also with their bones named).
#include "Shared/Base/Log.h"
#include "tools/info/MeshFileInfo.h"
#include "tools/info/MeshFileReader.h"
#include "tools/info/SkeletonFileReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "mesh file fuzz: %s\n", what);
        std::abort();
    }
}

// Skinned parts print their bones named from a skeleton just large enough for the file's
// skeleton indices (the command checks that it is).
void printWithSkeleton(const vx::meshfile::MeshFile& file) {
    constexpr std::uint32_t kMostBones = 1024;
    std::uint32_t bones = 0;
    auto count = [&](const vx::meshfile::LodBlock& block) {
        for (const vx::meshfile::SkinnedPart& part : block.parts)
            for (const vx::meshfile::PartBone& bone : part.bones)
                bones = std::max(bones, std::min(bone.skeletonIndex, kMostBones) + 1);
    };
    for (const auto& geometry : file.lods)
        std::for_each(geometry.begin(), geometry.end(), count);
    for (const auto& geometry : file.shadows)
        for (const auto& lod : geometry)
            std::for_each(lod.begin(), lod.end(), count);
    if (bones > kMostBones)
        return;
    vx::info::SkeletonFile skeleton;
    skeleton.bones.resize(bones);
    for (std::uint32_t i = 0; i < bones; ++i)
        skeleton.bones[i].name = "bone" + std::to_string(i);
    std::ostringstream out;
    vx::meshfile::printMeshFile(file, out, 0, &skeleton);
    check(out.str().find("\"bone") != std::string::npos || bones == 0, "bones without names");
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
        if (kind == MeshKind::Skinned)
            printWithSkeleton(file);
    }
    return 0;
}
