#include "MeshExporter/GenerateTangents.h"

#include "MeshExporter/NVMeshMender2.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace vx {

namespace {

// 16-bit indices; a material of exactly 65535 vertices is the most the mesh files take.
constexpr std::uint32_t kMostVertices = 65535;
constexpr std::uint32_t kFrameBytes = 24;

struct Field {
    const char* name;
    std::uint32_t offset;
    std::uint32_t size;
};

// Each field must lie inside the vertex and apart from the others.
bool checkLayout(std::uint32_t stride, const std::array<Field, 3>& fields) {
    if (stride > UINT32_MAX - kFrameBytes)
        return rejectTangents("the vertex stride " + std::to_string(stride) + " is too large");
    for (const Field& f : fields) {
        if (std::uint64_t{f.offset} + f.size > stride)
            return rejectTangents(std::string("the ") + f.name + " at byte offset " +
                                  std::to_string(f.offset) + " does not fit a vertex of " +
                                  std::to_string(stride) + " bytes");
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        for (std::size_t j = i + 1; j < fields.size(); ++j) {
            const Field& a = fields[i];
            const Field& b = fields[j];
            if (a.offset < b.offset + b.size && b.offset < a.offset + a.size)
                return rejectTangents(std::string("the ") + a.name + " at byte offset " +
                                      std::to_string(a.offset) + " overlaps the " + b.name +
                                      " at byte offset " + std::to_string(b.offset));
        }
    }
    return true;
}

template <std::size_t N>
void readFloats(const std::uint8_t* vertex, std::uint32_t offset, float (&out)[N]) {
    std::memcpy(out, vertex + offset, sizeof out);
}

template <std::size_t N>
void writeFloats(std::uint8_t* vertex, std::uint32_t offset, const float (&in)[N]) {
    std::memcpy(vertex + offset, in, sizeof in);
}

} // namespace

bool generateTangents(std::uint32_t& vertexCount, std::uint32_t& indexCount,
                      std::vector<std::uint8_t>& vertices, std::vector<std::uint16_t>& indices,
                      std::uint32_t& stride, std::uint32_t positionOffset,
                      std::uint32_t normalOffset, std::uint32_t texCoordOffset,
                      std::uint32_t* grownPast16Bit) {
    if (!checkLayout(stride, {{{"position", positionOffset, 12},
                               {"normal", normalOffset, 12},
                               {"texture coordinates", texCoordOffset, 8}}}))
        return false;
    if (std::uint64_t{vertexCount} * stride > vertices.size())
        return rejectTangents(std::to_string(vertexCount) + " vertices of " +
                              std::to_string(stride) + " bytes need more than the " +
                              std::to_string(vertices.size()) + " bytes given");
    if (indexCount > indices.size())
        return rejectTangents(std::to_string(indexCount) + " indices expected, " +
                              std::to_string(indices.size()) + " given");

    // Appended into reserved room rather than sized first, which would clear each vertex only
    // to overwrite most of it. The room has an eighth more for the copies creases split off, so
    // that the first copy does not move the whole list into one twice its size.
    std::vector<MenderVertex> mended;
    mended.reserve(std::size_t{vertexCount} + vertexCount / 8);
    for (std::uint32_t v = 0; v < vertexCount; ++v) {
        const std::uint8_t* in = vertices.data() + std::size_t{v} * stride;
        float position[3];
        float normal[3];
        float texCoords[2];
        readFloats(in, positionOffset, position);
        readFloats(in, normalOffset, normal);
        readFloats(in, texCoordOffset, texCoords);
        mended.push_back({{position[0], position[1], position[2]},
                          {normal[0], normal[1], normal[2]},
                          texCoords[0],
                          texCoords[1],
                          {},
                          {}});
    }
    std::vector<std::uint32_t> mendedIndices(indices.begin(), indices.begin() + indexCount);
    std::vector<std::uint32_t> mapping;
    if (!mend(mended, mendedIndices, mapping))
        return false;
    if (mended.size() > kMostVertices && grownPast16Bit) {
        *grownPast16Bit = static_cast<std::uint32_t>(mended.size());
        return false;
    }
    if (mended.size() > kMostVertices)
        return rejectTangents("the mended mesh has " + std::to_string(mended.size()) +
                              " vertices, more than the " + std::to_string(kMostVertices) +
                              " that 16-bit indices can address");

    const std::uint32_t newStride = stride + kFrameBytes;
    std::vector<std::uint8_t> out(mended.size() * newStride);
    for (std::size_t v = 0; v < mended.size(); ++v) {
        const MenderVertex& m = mended[v];
        std::uint8_t* o = out.data() + v * newStride;
        std::memcpy(o, vertices.data() + std::size_t{mapping[v]} * stride, stride);
        writeFloats(o, positionOffset, {m.position.x, m.position.y, m.position.z});
        writeFloats(o, normalOffset, {m.normal.x, m.normal.y, m.normal.z});
        writeFloats(o, texCoordOffset, {m.s, m.t});
        writeFloats(
            o, stride,
            {m.tangent.x, m.tangent.y, m.tangent.z, m.binormal.x, m.binormal.y, m.binormal.z});
    }
    vertices = std::move(out);
    indices.assign(mendedIndices.begin(), mendedIndices.end());
    vertexCount = static_cast<std::uint32_t>(mended.size());
    indexCount = static_cast<std::uint32_t>(mendedIndices.size());
    stride = newStride;
    return true;
}

} // namespace vx
