#include "tools/convert/DrawRange.h"

#include "tools/info/MeshVertexDecoder.h"

#include <algorithm>
#include <limits>
#include <map>

namespace vx::convert {

using namespace meshfile;

namespace {

Vector3 vector3(const DecodedElement& e) {
    return {e.values[0], e.values[1], e.values[2]};
}

} // namespace

bool decodeDrawRange(const MeshFile& file, const MaterialRecord& material, DrawRange& out,
                     std::string& error) {
    out = DrawRange{};
    const std::uint64_t end = std::uint64_t{material.startIndex} + material.indexCount;
    if (end > file.indices.size() || material.indexCount % 3 != 0) {
        error = "indices " + std::to_string(material.startIndex) + " to " + std::to_string(end) +
                " are not whole triangles within the file's " +
                std::to_string(file.indices.size()) + " indices";
        return false;
    }
    // The reached vertices are renumbered densely: a table over the span they cover.
    std::int64_t lowest = std::numeric_limits<std::int64_t>::max();
    std::int64_t highest = -1;
    for (std::uint64_t i = material.startIndex; i < end; ++i) {
        const std::int64_t v = std::int64_t{material.baseVertexIndex} + file.indices[i];
        if (v < 0 || v >= std::int64_t{file.vertexCount}) {
            error = "index " + std::to_string(i) + " reaches vertex " + std::to_string(v) +
                    " of a file with " + std::to_string(file.vertexCount) + " vertices";
            return false;
        }
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    if (highest < 0)
        return true;
    // Numbered in ascending file order, so that the output follows the file, not the index order.
    constexpr std::uint32_t kUnreached = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> number(static_cast<std::size_t>(highest - lowest + 1), kUnreached);
    auto slot = [&](std::uint64_t i) -> std::uint32_t& {
        return number[static_cast<std::size_t>(material.baseVertexIndex + file.indices[i] -
                                               lowest)];
    };
    for (std::uint64_t i = material.startIndex; i < end; ++i)
        slot(i) = 0;
    for (std::size_t k = 0; k < number.size(); ++k) {
        if (number[k] == kUnreached)
            continue;
        number[k] = static_cast<std::uint32_t>(out.sourceVertices.size());
        out.sourceVertices.push_back(static_cast<std::uint32_t>(lowest + std::int64_t(k)));
    }
    out.indices.reserve(material.indexCount);
    for (std::uint64_t i = material.startIndex; i < end; ++i)
        out.indices.push_back(slot(i));

    const std::size_t count = out.sourceVertices.size();
    for (const VertexElement& e : file.elements)
        if (e.usage == kUsageTexcoord && e.stream != kEndStream)
            out.uvSets.resize(std::max<std::size_t>(out.uvSets.size(), e.usageIndex + 1u));
    out.positions.resize(count);
    for (auto& set : out.uvSets)
        set.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const DecodedVertex vertex = decodeVertex(file, out.sourceVertices[i]);
        for (const DecodedElement& e : vertex.elements) {
            switch (e.usage) {
            case kUsagePosition:
                if (e.usageIndex == 0)
                    out.positions[i] = vector3(e);
                break;
            case kUsageNormal:
                if (e.usageIndex == 0) {
                    out.normals.resize(count);
                    out.normals[i] = vector3(e);
                }
                break;
            case kUsageTangent:
                if (e.usageIndex == 0) {
                    out.tangents.resize(count);
                    out.tangents[i] = vector3(e);
                }
                break;
            case kUsageTexcoord:
                out.uvSets[e.usageIndex][i] = {e.values[0], e.values[1]};
                break;
            case kUsageBlendIndices:
                out.blendIndices.resize(count);
                out.blendIndices[i] = e.bytes;
                break;
            case kUsageBlendWeight:
                out.blendWeights.resize(count);
                out.blendWeights[i] = e.values[0];
                break;
            default:
                break;
            }
        }
    }
    return true;
}

std::vector<std::pair<unsigned, DrawRange>> splitByPart(const DrawRange& range) {
    std::map<unsigned, DrawRange> parts;
    std::map<unsigned, std::vector<std::uint32_t>> numbers; // per part: old vertex -> new
    const std::size_t count = range.positions.size();
    auto copyVertex = [&](DrawRange& to, std::uint32_t v) {
        to.sourceVertices.push_back(range.sourceVertices[v]);
        to.positions.push_back(range.positions[v]);
        if (!range.normals.empty())
            to.normals.push_back(range.normals[v]);
        if (!range.tangents.empty())
            to.tangents.push_back(range.tangents[v]);
        to.uvSets.resize(range.uvSets.size());
        for (std::size_t k = 0; k < range.uvSets.size(); ++k)
            to.uvSets[k].push_back(range.uvSets[k][v]);
        if (!range.blendIndices.empty())
            to.blendIndices.push_back(range.blendIndices[v]);
        if (!range.blendWeights.empty())
            to.blendWeights.push_back(range.blendWeights[v]);
    };
    for (std::size_t t = 0; t + 2 < range.indices.size(); t += 3) {
        const unsigned part =
            range.blendIndices.empty() ? 0u : range.blendIndices[range.indices[t]][0];
        DrawRange& to = parts[part];
        std::vector<std::uint32_t>& number = numbers[part];
        if (number.empty())
            number.assign(count, std::numeric_limits<std::uint32_t>::max());
        for (std::size_t c = 0; c < 3; ++c) {
            const std::uint32_t v = range.indices[t + c];
            if (number[v] == std::numeric_limits<std::uint32_t>::max()) {
                number[v] = static_cast<std::uint32_t>(to.positions.size());
                copyVertex(to, v);
            }
            to.indices.push_back(number[v]);
        }
    }
    std::vector<std::pair<unsigned, DrawRange>> out;
    for (auto& [part, split] : parts)
        out.emplace_back(part, std::move(split));
    return out;
}

} // namespace vx::convert
