#pragma once
// Generated Maya ASCII scenes dominated by mesh data, written the way Maya writes meshes:
// grids of quads or triangles with vertices, edges, polyFaces with UVs, UV points and normals.
#include <cstddef>
#include <optional>
#include <string>

namespace vx::bench {

// One grid mesh: a transform and its mesh shape.
struct GridMesh {
    std::string name;
    std::string shape;
    int cells = 120;               // cells x cells quads
    std::optional<int> translateX; // the transform's x translation, when written
    bool triangles = false;        // each quad split along its diagonal
    bool smooth = false;           // soft edges rather than hard ones
    bool normals = true;           // one stored normal per vertex
    std::string parent;            // the transform's parent, when written
    bool wall = false;             // standing in the x-y plane rather than lying in x-z
};

// Vertex v of the grid (row-major, (cells + 1) per row) in the mesh's own space, its stored
// normal and its texture coordinates.
struct GridVertex {
    double position[3];
    double normal[3];
    double uv[2];
};
GridVertex gridVertex(const GridMesh& grid, int v);

// Appends the grid's nodes in Maya's layout.
void appendGridMesh(std::string& out, const GridMesh& grid);

// Whole 120 x 120 grids of hard-edged quads with normals are appended until the text holds at
// least `minimumBytes`.
std::string meshHeavyScene(std::size_t minimumBytes);

} // namespace vx::bench
