#pragma once
// A polygon mesh as the host's mesh functions see it: points, edges with their smooth flag,
// faces as corner lists, UV sets and colour sets per face corner, normals per face corner, and
// the adjacency that the mesh iterators walk. Built once per evaluation of a mesh shape.
#include <cstdint>
#include <string>
#include <vector>

namespace vornexhost {

struct MeshEdge {
    std::int32_t v0 = 0;
    std::int32_t v1 = 0;
    bool smooth = false;
};

// Per-corner ids into one set's values; -1 where a corner has none.
struct MeshUvSet {
    std::string name;
    std::vector<float> u;
    std::vector<float> v;
    std::vector<std::int32_t> cornerUv;
};

struct MeshColorSet {
    std::string name;
    std::vector<float> rgba; // four floats per colour
    std::vector<std::int32_t> cornerColor;
};

struct MeshGeometry {
    std::uint32_t vertexCount() const { return static_cast<std::uint32_t>(points.size() / 3); }
    std::uint32_t faceCount() const {
        return faceStart.empty() ? 0u : static_cast<std::uint32_t>(faceStart.size() - 1);
    }
    std::uint32_t edgeCount() const { return static_cast<std::uint32_t>(edges.size()); }
    std::uint32_t cornerCount() const { return static_cast<std::uint32_t>(cornerVertex.size()); }
    std::uint32_t faceSize(std::uint32_t face) const {
        return faceStart[face + 1] - faceStart[face];
    }
    // Index of a UV or colour set by name, -1 when absent.
    int uvSetIndex(const std::string& name) const;
    int colorSetIndex(const std::string& name) const;

    std::vector<double> points; // x y z per vertex, object space, internal units
    std::vector<MeshEdge> edges;
    // Corners of face f: [faceStart[f], faceStart[f + 1]), outer loop first, then holes.
    std::vector<std::uint32_t> faceStart;
    std::vector<std::int32_t> cornerVertex;
    // The edge leaving the corner towards the next corner of its loop, and the edge arriving.
    std::vector<std::int32_t> cornerEdge;
    std::vector<std::int32_t> cornerPrevEdge;
    std::vector<MeshUvSet> uvSets; // the first is the default set
    std::vector<MeshColorSet> colorSets;
    int currentUvSet = 0;
    int currentColorSet = -1;
    // Normals: one entry per smoothing group around a vertex; cornerNormal names the entry.
    std::vector<float> normals; // x y z
    std::vector<std::int32_t> cornerNormal;
    // Locked normals from the scene file, per corner (x y z), applied by buildMeshTopology;
    // corners without one hold NaN.
    std::vector<float> userNormals;

    // Adjacency in compressed rows: edges at each vertex, faces at each edge and at each vertex,
    // all in ascending index order.
    std::vector<std::uint32_t> vertexEdgeStart;
    std::vector<std::int32_t> vertexEdges;
    std::vector<std::uint32_t> vertexFaceStart;
    std::vector<std::int32_t> vertexFaces;
    std::vector<std::uint32_t> edgeFaceStart;
    std::vector<std::int32_t> edgeFaces;
};

// Checks that every index names an existing vertex or edge and that every corner's edges meet
// at its vertex; on failure returns false with the reason in `error`.
bool checkMeshIndices(const MeshGeometry& mesh, std::string& error);

// Builds the adjacency and the normals of a mesh whose points, edges and faces are set. The
// normals are the host's: face normals averaged over the faces that meet at a vertex across
// smooth edges, split at hard edges; a locked user normal keeps its own entry.
void buildMeshTopology(MeshGeometry& mesh);

// Newell normal of a face, unit length (zero for a degenerate face).
void faceNormal(const MeshGeometry& mesh, std::uint32_t face, double out[3]);

} // namespace vornexhost
