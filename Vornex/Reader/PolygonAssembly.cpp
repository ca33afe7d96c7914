#include "Vornex/Reader/PolygonAssembly.h"

#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/PrimitiveBuffer.h"

namespace vx {

void PolygonTable::reset(const std::vector<std::uint32_t>& faceSizes) {
    faceStart.resize(faceSizes.size() + 1);
    faceStart[0] = 0;
    for (std::size_t f = 0; f < faceSizes.size(); ++f)
        faceStart[f + 1] = faceStart[f] + faceSizes[f];
    cornerVertex.assign(faceStart.back(), kUnassigned);
}

void assemblePolygons(const PolygonTable& table, const std::vector<std::int32_t>& faceShader,
                      const std::string& prefix, PrimitiveBuffer& out) {
    out.m_primitives.reserve(out.m_primitives.size() + table.faceCount());
    for (std::size_t face = 0; face < table.faceCount(); ++face) {
        const std::uint32_t begin = table.faceStart[face];
        const std::uint32_t size = table.faceStart[face + 1] - begin;
        if (size < 3) {
            VX_WARNING << prefix << ".f[" << face << "] invalid size: " << size
                       << " Polygon removed";
            continue;
        }
        bool complete = true;
        for (std::uint32_t corner = 0; corner < size && complete; ++corner) {
            const std::int32_t vertex = table.cornerVertex[begin + corner];
            if (vertex < 0) {
                VX_WARNING << prefix << ".f[" << face << "].vtx_local[" << corner
                           << "] invalid: " << vertex << " Polygon removed";
                complete = false;
            }
        }
        if (!complete)
            continue;
        Primitive primitive;
        primitive.m_indices.assign(table.cornerVertex.begin() + begin,
                                   table.cornerVertex.begin() + begin + size);
        primitive.m_faceIndex = static_cast<std::int32_t>(face);
        primitive.m_shaderIndex = face < faceShader.size() ? faceShader[face] : -1;
        out.m_primitives.push_back(std::move(primitive));
    }
}

} // namespace vx
