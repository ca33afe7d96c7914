#include "MeshExporter/LightmapUvStep.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportPaths.h"
#include "MeshExporter/ExportedFileSet.h"
#include "Shared/Base/Log.h"
#include "UVMapper/UVMapper.h"

namespace vx {

std::string sampleFilePath(const std::string& outputFile, int geometry, int lod) {
    std::string suffix;
    if (geometry == 0 && lod == 0) {
        suffix = "les"; // the extension reads "samples"
    } else if (geometry < 10 && lod < 10) {
        suffix = {'_', static_cast<char>('0' + geometry), static_cast<char>('0' + lod)};
    } else {
        // Two digits or more: the numbers apart, so that no two files share a name.
        suffix = "_" + std::to_string(geometry) + "_" + std::to_string(lod);
    }
    return meshDirectoryFile(outputFile, outputBaseName(outputFile) + ".samp" + suffix);
}

bool createLightmapUvs(std::vector<MaterialTriangles>& groups, std::uint32_t& uvSetCount,
                       std::uint32_t geometrySize, int geometry, int lod,
                       const std::string& outputFile) {
    // Each level of detail halves the size; a size halved to nothing maps at one lumel and
    // lets the mapper double it until the charts fit.
    std::uint32_t size = lod >= 0 && lod < 32 ? geometrySize >> lod : 0;
    if (size == 0)
        size = 1;
    VX_INFO << "Starting to create lightmap UVs with size " << size;
    UVMapper mapper;
    mapper.setSize(size, size);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::vector<ExportVertex>& corners = groups[g].corners;
        for (std::size_t c = 0; c + 2 < corners.size(); c += 3)
            mapper.addTriangle(corners[c].position, corners[c + 1].position,
                               corners[c + 2].position, corners[c].normal, corners[c + 1].normal,
                               corners[c + 2].normal, static_cast<std::uint32_t>(g),
                               static_cast<std::uint32_t>(c));
    }
    if (!mapper.map()) {
        exportErrorList().append("Lightmap UVs could not be made for geom" +
                                 std::to_string(geometry) + " lod" + std::to_string(lod));
        return false;
    }
    if (uvSetCount >= 1 && uvSetCount < ExportVertex::kMaxUvSets) {
        for (std::size_t t = 0; t < mapper.getTriangleCount(); ++t) {
            std::vector<ExportVertex>& corners = groups[mapper.getGroupId(t)].corners;
            const std::uint32_t first = mapper.getFirstVertexIndex(t);
            for (unsigned c = 0; c < 3; ++c) {
                const std::array<float, 2> uv = mapper.getLightmapUV(t, c);
                for (std::uint32_t set = uvSetCount; set < ExportVertex::kMaxUvSets; ++set)
                    corners[first + c].uvs[set] = {uv[0], uv[1]};
            }
        }
        ++uvSetCount;
    } else {
        exportErrorList().append("Generated lightmap UVs are not placed in a correct position " +
                                 std::to_string(uvSetCount));
        // Without a set of its own the lightmap cannot be stored; a mesh with no sets gets an
        // empty one, a mesh with every set in use keeps its count so its vertices stay whole.
        if (uvSetCount == 0)
            ++uvSetCount;
    }

    const std::string path = sampleFilePath(outputFile, geometry, lod);
    VX_INFO << "(lightmap)saveSamples:" << path;
    if (!mapper.writeSamples(path)) {
        exportErrorList().append("The lightmap samples " + path + " could not be written");
        return false;
    }
    const std::string recorded = recordedPath(path);
    if (recorded.find("rawdata/") == std::string::npos)
        exportErrorList().append("ERROR: Adding samples file that doesn't reside under RawData " +
                                 path);
    exportedFileSet().addRelativeToRawData(recorded);
    return true;
}

} // namespace vx
