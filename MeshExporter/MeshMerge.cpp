#include "MeshExporter/MeshMerge.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshDataExporter.h"
#include "MeshExporter/MeshMaterialExporter.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/WorkSharing.h"

#include <algorithm>
#include <span>

namespace vx {

namespace {

std::size_t mergedVertexCount(const MergedMeshData& merged) {
    std::size_t vertices = 0;
    for (const ExportVertexList* list : merged.vertexLists)
        vertices += list->size();
    return vertices;
}

} // namespace

MergedMeshData& meshMergeState() {
    static MergedMeshData state;
    return state;
}

void mergeLod(MergedMeshData& merged, const MeshDataExporter& lod, MeshMaterialExporter& materials,
              int lodNumber, bool materialBounds) {
    if (!merged.first)
        merged.first = &lod;
    const ExportVertexList& vertices = lod.vertices();
    const std::vector<std::uint16_t>& indices = lod.indices();
    std::vector<MeshMaterialExporter::Entry>& entries = materials.entries();
    if (materialBounds) {
        // The box over the vertices each material's indices reach, as the game expects it:
        // starting from +-10000 in each axis. Materials are measured side by side.
        shareWork(entries.size(), [&](std::size_t e) {
            MeshMaterialRecord& r = entries[e].record;
            r.boundsMin = Vector3(10000.0f, 10000.0f, 10000.0f);
            r.boundsMax = Vector3(-10000.0f, -10000.0f, -10000.0f);
            const std::size_t end =
                std::min<std::size_t>(indices.size(), std::size_t{r.startIndex} + r.indexCount);
            for (std::size_t i = r.startIndex; i < end; ++i) {
                const std::size_t v = static_cast<std::size_t>(r.baseVertexIndex) + indices[i];
                if (v >= vertices.size())
                    continue;
                const Vector3& p = vertices[v].position;
                r.boundsMin = Vector3(std::min(r.boundsMin.x, p.x), std::min(r.boundsMin.y, p.y),
                                      std::min(r.boundsMin.z, p.z));
                r.boundsMax = Vector3(std::max(r.boundsMax.x, p.x), std::max(r.boundsMax.y, p.y),
                                      std::max(r.boundsMax.z, p.z));
            }
            r.boundsValid = true;
        });
    }
    for (MeshMaterialExporter::Entry& entry : entries) {
        entry.record.baseVertexIndex += static_cast<std::int32_t>(merged.vertexOffset);
        entry.record.startIndex += merged.indexOffset;
    }
    merged.indices.insert(merged.indices.end(), indices.begin(), indices.end());
    merged.vertexLists.push_back(&vertices);
    merged.vertexOffset += static_cast<std::uint32_t>(vertices.size());
    merged.indexOffset = static_cast<std::uint32_t>(merged.indices.size());
    VX_INFO << "lod " << lodNumber << " indexOffset "
            << (materials.entries().empty() ? 0u : materials.entries().front().record.startIndex);
}

bool checkVertexBlock(const MergedMeshData& merged) {
    VX_ASSERT(merged.first);
    const MeshDataExporter& first = *merged.first;
    const std::size_t vertices = mergedVertexCount(merged);
    const auto vertexCount = static_cast<std::uint32_t>(vertices);
    if (std::uint64_t{vertices} * first.stride() >= kVertexMemoryLimit) {
        return failExport("Vertex memory exceeds Memory limit of 8Mb");
    }
    for (std::size_t i = 0; i < merged.indices.size(); ++i) {
        if (merged.indices[i] > vertexCount) {
            VX_WARNING << "ERROR " << static_cast<std::uint32_t>(i) << " "
                       << static_cast<std::uint32_t>(merged.indices[i]) << " " << vertexCount;
        }
    }
    if (merged.vertexOffset > vertexCount) {
        return failExport("Data missmatch");
    }
    return true;
}

void writeVertexBlock(OutStream& out, const MergedMeshData& merged) {
    VX_ASSERT(merged.first);
    const MeshDataExporter& first = *merged.first;
    const auto vertexCount = static_cast<std::uint32_t>(mergedVertexCount(merged));
    const std::vector<D3DVERTEXELEMENT9> declaration = first.declaration();
    out << static_cast<std::uint32_t>(declaration.size());
    out.write(declaration.data(), declaration.size() * sizeof(D3DVERTEXELEMENT9));
    out << first.primitiveType() << first.stride() << vertexCount;
    // Packed a few slices per thread at a time, side by side, and written a round at a time, so
    // that the packed vertices are never held whole and the helpers have time to join in.
    constexpr std::size_t kSlice = 4096;
    const std::size_t round = 4 * (std::size_t{workHelpers()} + 1);
    std::vector<std::span<const ExportVertex>> slices;
    for (const ExportVertexList* list : merged.vertexLists)
        for (std::size_t at = 0; at < list->size(); at += kSlice)
            slices.emplace_back(list->data() + at, std::min(kSlice, list->size() - at));
    const std::size_t sliceBytes = kSlice * first.stride();
    std::vector<std::uint8_t> packed(sliceBytes * round);
    std::vector<std::size_t> packedBytes(round);
    for (std::size_t next = 0; next < slices.size(); next += round) {
        const std::size_t count = std::min(round, slices.size() - next);
        shareWork(count, [&](std::size_t k) {
            std::uint8_t* start = packed.data() + k * sliceBytes;
            packedBytes[k] =
                static_cast<std::size_t>(first.packVertices(slices[next + k], start) - start);
        });
        for (std::size_t k = 0; k < count; ++k)
            out.write(packed.data() + k * sliceBytes, packedBytes[k]);
    }
    out << static_cast<std::uint32_t>(merged.indices.size());
    for (std::size_t i = 0; i < merged.indices.size(); ++i) {
        if (merged.indices[i] == 0) {
            VX_INFO << "indexData[" << static_cast<std::uint32_t>(i) << "] = 0";
        }
    }
    out.write(merged.indices.data(), merged.indices.size() * sizeof(std::uint16_t));
    first.writeVertexBlockTrailer(out);
}

} // namespace vx
