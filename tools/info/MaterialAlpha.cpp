#include "tools/info/MaterialAlpha.h"

#include <cstdint>
#include <string>

namespace vx::meshfile {
namespace {

// Where the indices that follow a material's range end: at the next material's start index
// (over every geometry and LOD), or at the end of the index list.
std::uint64_t rangeEnd(const MeshFile& file, const MaterialRecord& m) {
    std::uint64_t end = file.indices.size();
    for (const auto& geometry : file.materials)
        for (const auto& lod : geometry)
            for (const MaterialRecord& other : lod)
                if (other.startIndex > m.startIndex && other.startIndex < end)
                    end = other.startIndex;
    return end;
}

} // namespace

MaterialAlpha materialAlpha(const MeshFile& file, const MaterialRecord& m) {
    const std::uint64_t copies = file.sortCopies;
    const bool sorted = file.hasSortCopies && copies > 1 && m.indexCount > 0 &&
                        rangeEnd(file, m) == std::uint64_t{m.startIndex} + m.indexCount * copies;
    if (sorted)
        return MaterialAlpha::Blended;
    if (m.technique.find("Alpha_Test") != std::string::npos)
        return MaterialAlpha::Tested;
    return MaterialAlpha::Opaque;
}

} // namespace vx::meshfile
