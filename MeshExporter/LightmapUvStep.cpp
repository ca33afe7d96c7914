#include "MeshExporter/LightmapUvStep.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportPaths.h"
#include "MeshExporter/ExportedFileSet.h"
#include "Shared/Base/LargeMemory.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/WorkSharing.h"
#include "UVMapper/UVMapper.h"

#include <bit>
#include <cstdint>
#include <memory>

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

void place(ExportVertex& v, const CornerPlace& place, std::uint32_t firstSet) {
    if (place.placed)
        for (std::uint32_t set = firstSet; set < ExportVertex::kMaxUvSets; ++set)
            v.uvs[set] = place.uv;
}

// A corner placed apart from the first corner of its vertex: it gets a vertex of its own.
struct CornerCopy {
    std::uint32_t corner;
    CornerPlace place;
};

// The corners' places in two steps, so that the vertices grow by their copies only once the
// mapper is gone. The first corner to use a vertex decides its place: placeOriginals writes
// it, while the mapper is still there, and lists the later corners placed elsewhere;
// appendCopies gives each of them a copy of its vertex with its own place. Copies of placed
// corners overwrite every set the place changed; those of unplaced corners (only ever the last
// corners of a group that does not end in a whole triangle) keep the vertex as it was.
template <typename PlaceOf>
void placeOriginals(MaterialTriangles& group, PlaceOf placeOf, std::uint32_t firstSet,
                    std::vector<CornerCopy>& copies, ExportVertexList& unplacedCopies) {
    // Each vertex's place, from the first corner to use it.
    std::vector<CornerPlace> decided(group.vertices.size());
    std::vector<bool> claimed(group.vertices.size(), false);
    for (std::size_t c = 0; c < group.corners.size(); ++c) {
        const std::uint32_t vertex = group.corners[c];
        const CornerPlace own = placeOf(c);
        if (!claimed[vertex]) {
            claimed[vertex] = true;
            decided[vertex] = own;
            continue;
        }
        if (samePlace(decided[vertex], own))
            continue;
        copies.push_back({static_cast<std::uint32_t>(c), own});
        if (!own.placed)
            unplacedCopies.push_back(group.vertices[vertex]);
    }
    for (std::size_t v = 0; v < decided.size(); ++v)
        if (claimed[v])
            place(group.vertices[v], decided[v], firstSet);
}

// Room for every copy a group can get (one per corner past the first to use its vertex), made
// while the mapper is not yet there: growing the list once the mapper is freed would put it
// where the allocator keeps the freed memory, which the process then holds on to while the
// group is consumed. Room that no copy takes is never touched. A static mesh's conversion
// already left room for a copy per corner, so this only grows lists made without it.
void reserveForCopies(MaterialTriangles& group) {
    std::vector<bool> used(group.vertices.size(), false);
    std::size_t later = 0;
    for (const std::uint32_t vertex : group.corners) {
        if (used[vertex])
            ++later;
        used[vertex] = true;
    }
    group.vertices.reserve(group.vertices.size() + later);
}

void appendCopies(MaterialTriangles& group, const std::vector<CornerCopy>& copies,
                  const ExportVertexList& unplacedCopies, std::uint32_t firstSet) {
    // reserveForCopies made room for them all.
    std::size_t unplaced = 0;
    for (const CornerCopy& copy : copies) {
        ExportVertex vertex = copy.place.placed ? group.vertices[group.corners[copy.corner]]
                                                : unplacedCopies[unplaced++];
        place(vertex, copy.place, firstSet);
        group.corners[copy.corner] = static_cast<std::uint32_t>(group.vertices.size());
        group.vertices.push_back(vertex);
    }
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
    // The mapper numbers the triangles group by group, corner by corner.
    std::vector<std::size_t> firstTriangle(groups.size() + 1, 0);
    for (std::size_t g = 0; g < groups.size(); ++g)
        firstTriangle[g + 1] = firstTriangle[g] + groups[g].corners.size() / 3;
    const bool hasSet = uvSetCount >= 1 && uvSetCount < ExportVertex::kMaxUvSets;
    if (hasSet)
        shareWork(groups.size(), [&](std::size_t g) { reserveForCopies(groups[g]); });
    // The mapper holds every triangle's corners, clusters and samples: it goes before the
    // vertices grow by their copies, so that the two never take memory at the same time.
    auto mapper = std::make_unique<UVMapper>();
    mapper->setSize(size, size);
    mapper->resizeTriangles(firstTriangle.back()); // set group by group, side by side
    shareWork(groups.size(), [&](std::size_t g) {
        const MaterialTriangles& group = groups[g];
        for (std::size_t c = 0; c + 2 < group.corners.size(); c += 3)
            mapper->setTriangle(firstTriangle[g] + c / 3, group.corner(c).position,
                                group.corner(c + 1).position, group.corner(c + 2).position,
                                group.corner(c).normal, group.corner(c + 1).normal,
                                group.corner(c + 2).normal, static_cast<std::uint32_t>(g),
                                static_cast<std::uint32_t>(c));
    });
    if (!mapper->map()) {
        exportErrorList().append("Lightmap UVs could not be made for geom" +
                                 std::to_string(geometry) + " lod" + std::to_string(lod));
        return false;
    }
    std::vector<std::vector<CornerCopy>> copies(hasSet ? groups.size() : 0);
    std::vector<ExportVertexList> unplacedCopies(copies.size());
    if (!hasSet)
        exportErrorList().append("Generated lightmap UVs are not placed in a correct position " +
                                 std::to_string(uvSetCount));
    const std::string path = sampleFilePath(outputFile, geometry, lod);
    VX_INFO << "(lightmap)saveSamples:" << path;
    // The sample file is written while the groups' corners take their places, side by side:
    // both only read the mapper, and placing logs nothing.
    bool written = false;
    shareWork(copies.size() + 1, [&](std::size_t k) {
        if (k == 0) {
            written = mapper->writeSamples(path);
            return;
        }
        const std::size_t g = k - 1;
        const std::size_t whole = firstTriangle[g + 1] - firstTriangle[g];
        const auto placeOf = [&](std::size_t c) {
            if (c / 3 >= whole)
                return CornerPlace{};
            const std::array<float, 2> uv =
                mapper->getLightmapUV(firstTriangle[g] + c / 3, static_cast<unsigned>(c % 3));
            return CornerPlace{true, {uv[0], uv[1]}};
        };
        placeOriginals(groups[g], placeOf, uvSetCount, copies[g], unplacedCopies[g]);
    });
    mapper.reset();
    // The mapper's blocks, freed between blocks still in use, stay with the process until
    // handed back; the rest of the export would otherwise run on top of them.
    releaseFreedMemory();
    if (hasSet) {
        shareWork(groups.size(), [&](std::size_t g) {
            appendCopies(groups[g], copies[g], unplacedCopies[g], uvSetCount);
        });
        ++uvSetCount;
    } else if (uvSetCount == 0) {
        // Without a set of its own the lightmap cannot be stored; a mesh with no sets gets an
        // empty one, a mesh with every set in use keeps its count so its vertices stay whole.
        ++uvSetCount;
    }
    if (!written) {
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
