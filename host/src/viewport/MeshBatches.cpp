#include <vornexhost/MeshBatches.h>
#include <vornexhost/MeshGeometry.h>
#include <vornexhost/ShaderAssignment.h>

#include <map>

namespace vornexhost {
namespace {

// The UV sets whose coordinates the batches carry.
std::vector<int> chooseUvSets(const MeshGeometry& mesh, const std::vector<std::string>& names) {
    std::vector<int> sets;
    for (const std::string& name : names) {
        const int index = mesh.uvSetIndex(name);
        if (index < 0)
            break;
        sets.push_back(index);
    }
    if (sets.empty() && mesh.currentUvSet >= 0 &&
        mesh.currentUvSet < static_cast<int>(mesh.uvSets.size()))
        sets.push_back(mesh.currentUvSet);
    return sets;
}

// Number of corners of the face's outer loop: up to the corner whose leaving edge returns to
// the first corner's vertex.
std::uint32_t outerLoopSize(const MeshGeometry& mesh, std::uint32_t face) {
    const std::uint32_t first = mesh.faceStart[face];
    const std::uint32_t size = mesh.faceSize(face);
    if (mesh.cornerEdge.size() != mesh.cornerVertex.size())
        return size;
    const std::int32_t start = mesh.cornerVertex[first];
    for (std::uint32_t i = 2; i < size; ++i) {
        const std::int32_t edge = mesh.cornerEdge[first + i];
        if (edge < 0 || static_cast<std::size_t>(edge) >= mesh.edges.size())
            return size;
        const MeshEdge& e = mesh.edges[static_cast<std::size_t>(edge)];
        const std::int32_t here = mesh.cornerVertex[first + i];
        const std::int32_t next = e.v0 == here ? e.v1 : e.v0;
        if (next == start)
            return i + 1;
    }
    return size;
}

void addCorner(const MeshGeometry& mesh, std::uint32_t corner, const std::vector<int>& sets,
               MeshBatch& batch) {
    const auto vertex = static_cast<std::size_t>(mesh.cornerVertex[corner]);
    for (std::size_t k = 0; k < 3; ++k)
        batch.positions.push_back(static_cast<float>(mesh.points[vertex * 3 + k]));
    const std::int32_t normal = corner < mesh.cornerNormal.size() ? mesh.cornerNormal[corner] : -1;
    for (std::size_t k = 0; k < 3; ++k)
        batch.normals.push_back(normal >= 0 ? mesh.normals[std::size_t(normal) * 3 + k] : 0.0f);
    for (std::size_t s = 0; s < sets.size(); ++s) {
        const MeshUvSet& set = mesh.uvSets[static_cast<std::size_t>(sets[s])];
        const std::int32_t uv = corner < set.cornerUv.size() ? set.cornerUv[corner] : -1;
        const bool valid = uv >= 0 && static_cast<std::size_t>(uv) < set.u.size() &&
                           static_cast<std::size_t>(uv) < set.v.size();
        batch.uvs[s].push_back(valid ? set.u[std::size_t(uv)] : 0.0f);
        batch.uvs[s].push_back(valid ? set.v[std::size_t(uv)] : 0.0f);
    }
    batch.vertexIds.push_back(static_cast<int>(vertex));
}

} // namespace

std::vector<MeshBatch> buildMeshBatches(const MeshGeometry& mesh, const ShaderAssignment& shading,
                                        const std::vector<std::string>& uvSetNames) {
    const std::vector<int> sets = chooseUvSets(mesh, uvSetNames);
    std::vector<MeshBatch> batches;
    std::map<int, std::size_t> batchOfEngine;
    auto batchFor = [&](int engine) -> MeshBatch& {
        const auto [it, added] = batchOfEngine.emplace(engine, batches.size());
        if (added) {
            batches.emplace_back();
            batches.back().engine = engine;
            batches.back().uvs.resize(sets.size());
        }
        return batches[it->second];
    };
    for (std::uint32_t face = 0; face < mesh.faceCount(); ++face) {
        const int engine =
            face < shading.faceEngine.size() ? static_cast<int>(shading.faceEngine[face]) : -1;
        const std::uint32_t loop = outerLoopSize(mesh, face);
        if (loop < 3)
            continue;
        MeshBatch& batch = batchFor(engine);
        const auto base = static_cast<std::uint32_t>(batch.vertexIds.size());
        const std::uint32_t first = mesh.faceStart[face];
        for (std::uint32_t i = 0; i < loop; ++i)
            addCorner(mesh, first + i, sets, batch);
        for (std::uint32_t i = 1; i + 1 < loop; ++i) {
            batch.indices.push_back(base);
            batch.indices.push_back(base + i);
            batch.indices.push_back(base + i + 1);
        }
    }
    // Faces without an engine are drawn last.
    if (const auto none = batchOfEngine.find(-1);
        none != batchOfEngine.end() && none->second + 1 != batches.size()) {
        MeshBatch unshaded = std::move(batches[none->second]);
        batches.erase(batches.begin() + static_cast<std::ptrdiff_t>(none->second));
        batches.push_back(std::move(unshaded));
    }
    return batches;
}

} // namespace vornexhost
