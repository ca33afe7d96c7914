#include "MeshExporter/LightmapUvStep.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportPaths.h"
#include "MeshExporter/ExportedFileSet.h"
#include "Shared/Base/Log.h"
#include "UVMapper/UVMapper.h"

#include <bit>
#include <cstdint>

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

namespace {

struct CornerPlace {
    bool placed = false;
    UvCoord uv;
};

bool samePlace(const CornerPlace& a, const CornerPlace& b) {
    return a.placed == b.placed &&
           std::bit_cast<std::uint32_t>(a.uv.u) == std::bit_cast<std::uint32_t>(b.uv.u) &&
           std::bit_cast<std::uint32_t>(a.uv.v) == std::bit_cast<std::uint32_t>(b.uv.v);
}

// Writes each placed corner's lightmap coordinates into the sets from `firstSet` on. Corners
// that shared a vertex keep sharing one where their places agree; the others get copies, so
// that a vertex is never copied per corner.
void placeCorners(MaterialTriangles& group, const std::vector<CornerPlace>& places,
                  std::uint32_t firstSet) {
    constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    struct Claim {
        std::uint32_t as = kNone;
        CornerPlace place;
    };
    std::vector<Claim> claims(group.vertices.size());
    std::vector<ExportVertex> placed;
    placed.reserve(group.vertices.size());
    for (std::size_t c = 0; c < group.corners.size(); ++c) {
        Claim& claim = claims[group.corners[c]];
        if (claim.as != kNone && samePlace(claim.place, places[c])) {
            group.corners[c] = claim.as;
            continue;
        }
        ExportVertex v = group.vertices[group.corners[c]];
        if (places[c].placed)
            for (std::uint32_t set = firstSet; set < ExportVertex::kMaxUvSets; ++set)
                v.uvs[set] = places[c].uv;
        const auto as = static_cast<std::uint32_t>(placed.size());
        placed.push_back(v);
        if (claim.as == kNone)
            claim = {as, places[c]};
        group.corners[c] = as;
    }
    group.vertices = std::move(placed);
}

} // namespace

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
        const MaterialTriangles& group = groups[g];
        for (std::size_t c = 0; c + 2 < group.corners.size(); c += 3)
            mapper.addTriangle(group.corner(c).position, group.corner(c + 1).position,
                               group.corner(c + 2).position, group.corner(c).normal,
                               group.corner(c + 1).normal, group.corner(c + 2).normal,
                               static_cast<std::uint32_t>(g), static_cast<std::uint32_t>(c));
    }
    if (!mapper.map()) {
        exportErrorList().append("Lightmap UVs could not be made for geom" +
                                 std::to_string(geometry) + " lod" + std::to_string(lod));
        return false;
    }
    if (uvSetCount >= 1 && uvSetCount < ExportVertex::kMaxUvSets) {
        std::vector<std::vector<CornerPlace>> places(groups.size());
        for (std::size_t g = 0; g < groups.size(); ++g)
            places[g].resize(groups[g].corners.size());
        for (std::size_t t = 0; t < mapper.getTriangleCount(); ++t) {
            std::vector<CornerPlace>& place = places[mapper.getGroupId(t)];
            const std::uint32_t first = mapper.getFirstVertexIndex(t);
            for (unsigned c = 0; c < 3; ++c) {
                const std::array<float, 2> uv = mapper.getLightmapUV(t, c);
                place[first + c] = {true, {uv[0], uv[1]}};
            }
        }
        for (std::size_t g = 0; g < groups.size(); ++g)
            placeCorners(groups[g], places[g], uvSetCount);
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
