#include "tools/convert/SkinnedParts.h"

#include <algorithm>

namespace vx::convert {

std::vector<std::size_t> assignSkinnedParts(const meshfile::LodBlock& lod,
                                            const std::vector<DrawRange>& ranges) {
    std::vector<std::size_t> parts(ranges.size(), 0);
    const std::size_t partCount = lod.parts.size();
    std::size_t part = 0;
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        unsigned highest = 0;
        for (const auto& bytes : ranges[r].blendIndices)
            highest = std::max({highest, unsigned{bytes[0]}, unsigned{bytes[1]}});
        const bool first = r == 0;
        const std::size_t rangesLeft = ranges.size() - r;
        const std::size_t partsLeft = partCount > part ? partCount - part - 1 : 0;
        const bool fits = part < partCount && highest < lod.parts[part].bones.size();
        if (!first && part + 1 < partCount && (!fits || rangesLeft <= partsLeft))
            ++part;
        parts[r] = part;
    }
    return parts;
}

} // namespace vx::convert
