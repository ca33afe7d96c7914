#include <vornexhost/MeshGeometry.h>

#include <cmath>
#include <numeric>

namespace vornexhost {

int MeshGeometry::uvSetIndex(const std::string& name) const {
    for (std::size_t i = 0; i < uvSets.size(); ++i)
        if (uvSets[i].name == name)
            return static_cast<int>(i);
    return -1;
}

int MeshGeometry::colorSetIndex(const std::string& name) const {
    for (std::size_t i = 0; i < colorSets.size(); ++i)
        if (colorSets[i].name == name)
            return static_cast<int>(i);
    return -1;
}

namespace {

bool touches(const MeshEdge& edge, std::int32_t vertex) {
    return edge.v0 == vertex || edge.v1 == vertex;
}

bool idsInRange(const std::vector<std::int32_t>& ids, std::size_t count, std::size_t corners) {
    if (ids.size() != corners)
        return false;
    for (std::int32_t id : ids)
        if (id < -1 || (id >= 0 && static_cast<std::size_t>(id) >= count))
            return false;
    return true;
}

// Rows of a compressed table from (row, value) pairs given in ascending value order.
void compressRows(std::uint32_t rows,
                  const std::vector<std::pair<std::int32_t, std::int32_t>>& pairs,
                  std::vector<std::uint32_t>& start, std::vector<std::int32_t>& values) {
    start.assign(rows + 1, 0);
    for (const auto& [row, value] : pairs)
        ++start[static_cast<std::size_t>(row) + 1];
    for (std::uint32_t r = 0; r < rows; ++r)
        start[r + 1] += start[r];
    values.assign(pairs.size(), 0);
    std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
    for (const auto& [row, value] : pairs)
        values[fill[static_cast<std::size_t>(row)]++] = value;
}

std::int32_t findRoot(std::vector<std::int32_t>& parent, std::int32_t at) {
    while (parent[static_cast<std::size_t>(at)] != at) {
        auto& p = parent[static_cast<std::size_t>(at)];
        p = parent[static_cast<std::size_t>(p)];
        at = p;
    }
    return at;
}

void join(std::vector<std::int32_t>& parent, std::int32_t a, std::int32_t b) {
    a = findRoot(parent, a);
    b = findRoot(parent, b);
    // The smaller corner stays the root, so a group is named after its first corner.
    if (a < b)
        parent[static_cast<std::size_t>(b)] = a;
    else if (b < a)
        parent[static_cast<std::size_t>(a)] = b;
}

void buildNormals(MeshGeometry& mesh) {
    const std::uint32_t corners = mesh.cornerCount();
    const bool hasUser = mesh.userNormals.size() == std::size_t(corners) * 3;
    auto locked = [&](std::uint32_t c) { return hasUser && !std::isnan(mesh.userNormals[c * 3]); };

    // Corners at the same end of the same smooth edge share a normal; so do their groups.
    std::vector<std::int32_t> parent(corners);
    std::iota(parent.begin(), parent.end(), 0);
    std::vector<std::int32_t> firstAtEnd(std::size_t(mesh.edgeCount()) * 2, -1);
    for (std::uint32_t c = 0; c < corners; ++c) {
        if (locked(c))
            continue;
        const std::int32_t vertex = mesh.cornerVertex[c];
        for (std::int32_t e : {mesh.cornerEdge[c], mesh.cornerPrevEdge[c]}) {
            const MeshEdge& edge = mesh.edges[static_cast<std::size_t>(e)];
            if (!edge.smooth)
                continue;
            const std::size_t end = std::size_t(e) * 2 + (edge.v0 == vertex ? 0u : 1u);
            if (firstAtEnd[end] < 0)
                firstAtEnd[end] = static_cast<std::int32_t>(c);
            else
                join(parent, firstAtEnd[end], static_cast<std::int32_t>(c));
        }
    }

    std::vector<double> faceNormals(std::size_t(mesh.faceCount()) * 3);
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f)
        faceNormal(mesh, f, &faceNormals[std::size_t(f) * 3]);

    // Normal ids in the order of each group's first corner.
    mesh.cornerNormal.assign(corners, -1);
    std::vector<double> sums;
    std::vector<std::int32_t> idOfRoot(corners, -1);
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        for (std::uint32_t c = mesh.faceStart[f]; c < mesh.faceStart[f + 1]; ++c) {
            const auto root =
                static_cast<std::size_t>(findRoot(parent, static_cast<std::int32_t>(c)));
            if (idOfRoot[root] < 0) {
                idOfRoot[root] = static_cast<std::int32_t>(sums.size() / 3);
                sums.insert(sums.end(), 3, 0.0);
            }
            const auto id = static_cast<std::size_t>(idOfRoot[root]);
            mesh.cornerNormal[c] = idOfRoot[root];
            for (std::size_t k = 0; k < 3; ++k)
                sums[id * 3 + k] += locked(c) ? double(mesh.userNormals[c * 3 + k])
                                              : faceNormals[std::size_t(f) * 3 + k];
        }
    }
    mesh.normals.resize(sums.size());
    for (std::size_t n = 0; n < sums.size(); n += 3) {
        const double length =
            std::sqrt(sums[n] * sums[n] + sums[n + 1] * sums[n + 1] + sums[n + 2] * sums[n + 2]);
        for (std::size_t k = 0; k < 3; ++k)
            mesh.normals[n + k] = length > 0.0 ? static_cast<float>(sums[n + k] / length) : 0.0f;
    }
}

} // namespace

bool checkMeshIndices(const MeshGeometry& mesh, std::string& error) {
    const std::uint32_t vertices = mesh.vertexCount();
    for (std::size_t e = 0; e < mesh.edges.size(); ++e) {
        const MeshEdge& edge = mesh.edges[e];
        if (edge.v0 < 0 || edge.v1 < 0 || std::uint32_t(edge.v0) >= vertices ||
            std::uint32_t(edge.v1) >= vertices) {
            error = "edge " + std::to_string(e) + " names a vertex beyond the " +
                    std::to_string(vertices) + " vertices";
            return false;
        }
    }
    const std::size_t corners = mesh.cornerVertex.size();
    if (mesh.faceStart.empty() ? corners != 0
                               : mesh.faceStart.back() != corners || mesh.faceStart.front() != 0) {
        error = "face corner table is inconsistent";
        return false;
    }
    if (mesh.cornerEdge.size() != corners || mesh.cornerPrevEdge.size() != corners) {
        error = "face edge table is inconsistent";
        return false;
    }
    for (std::size_t c = 0; c < corners; ++c) {
        const std::int32_t v = mesh.cornerVertex[c];
        const std::int32_t e = mesh.cornerEdge[c];
        const std::int32_t p = mesh.cornerPrevEdge[c];
        if (v < 0 || std::uint32_t(v) >= vertices || e < 0 || p < 0 ||
            std::size_t(e) >= mesh.edges.size() || std::size_t(p) >= mesh.edges.size() ||
            !touches(mesh.edges[std::size_t(e)], v) || !touches(mesh.edges[std::size_t(p)], v)) {
            error = "face corner " + std::to_string(c) + " does not match its edges";
            return false;
        }
    }
    for (const MeshUvSet& set : mesh.uvSets)
        if (set.u.size() != set.v.size() || !idsInRange(set.cornerUv, set.u.size(), corners)) {
            error = "UV set '" + set.name + "' names a UV it does not have";
            return false;
        }
    for (const MeshColorSet& set : mesh.colorSets)
        if (set.rgba.size() % 4 != 0 ||
            !idsInRange(set.cornerColor, set.rgba.size() / 4, corners)) {
            error = "colour set '" + set.name + "' names a colour it does not have";
            return false;
        }
    return true;
}

void faceNormal(const MeshGeometry& mesh, std::uint32_t face, double out[3]) {
    out[0] = out[1] = out[2] = 0.0;
    const std::uint32_t first = mesh.faceStart[face];
    const std::uint32_t end = mesh.faceStart[face + 1];
    // The outer loop ends where its last edge returns to the first corner.
    std::uint32_t loopEnd = end;
    for (std::uint32_t c = first; c < end; ++c)
        if (c + 1 < end && mesh.cornerPrevEdge[c + 1] != mesh.cornerEdge[c]) {
            loopEnd = c + 1;
            break;
        }
    for (std::uint32_t c = first; c < loopEnd; ++c) {
        const std::uint32_t n = c + 1 < loopEnd ? c + 1 : first;
        const double* a = &mesh.points[std::size_t(mesh.cornerVertex[c]) * 3];
        const double* b = &mesh.points[std::size_t(mesh.cornerVertex[n]) * 3];
        out[0] += (a[1] - b[1]) * (a[2] + b[2]);
        out[1] += (a[2] - b[2]) * (a[0] + b[0]);
        out[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    const double length = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
    if (length > 0.0)
        for (int k = 0; k < 3; ++k)
            out[k] /= length;
}

void buildMeshTopology(MeshGeometry& mesh) {
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
    pairs.reserve(mesh.edges.size() * 2);
    for (std::size_t e = 0; e < mesh.edges.size(); ++e) {
        const MeshEdge& edge = mesh.edges[e];
        pairs.emplace_back(edge.v0, static_cast<std::int32_t>(e));
        if (edge.v1 != edge.v0)
            pairs.emplace_back(edge.v1, static_cast<std::int32_t>(e));
    }
    compressRows(mesh.vertexCount(), pairs, mesh.vertexEdgeStart, mesh.vertexEdges);

    std::vector<std::pair<std::int32_t, std::int32_t>> edgeFacePairs;
    std::vector<std::pair<std::int32_t, std::int32_t>> vertexFacePairs;
    std::vector<std::int32_t> lastFaceOfEdge(mesh.edges.size(), -1);
    std::vector<std::int32_t> lastFaceOfVertex(mesh.vertexCount(), -1);
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const auto face = static_cast<std::int32_t>(f);
        for (std::uint32_t c = mesh.faceStart[f]; c < mesh.faceStart[f + 1]; ++c) {
            const auto e = static_cast<std::size_t>(mesh.cornerEdge[c]);
            if (lastFaceOfEdge[e] != face) {
                lastFaceOfEdge[e] = face;
                edgeFacePairs.emplace_back(mesh.cornerEdge[c], face);
            }
            const auto v = static_cast<std::size_t>(mesh.cornerVertex[c]);
            if (lastFaceOfVertex[v] != face) {
                lastFaceOfVertex[v] = face;
                vertexFacePairs.emplace_back(mesh.cornerVertex[c], face);
            }
        }
    }
    compressRows(mesh.edgeCount(), edgeFacePairs, mesh.edgeFaceStart, mesh.edgeFaces);
    compressRows(mesh.vertexCount(), vertexFacePairs, mesh.vertexFaceStart, mesh.vertexFaces);
    buildNormals(mesh);
}

} // namespace vornexhost
