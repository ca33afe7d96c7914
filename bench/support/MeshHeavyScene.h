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
};

// Appends the grid's nodes in Maya's layout.
void appendGridMesh(std::string& out, const GridMesh& grid);

// Whole 120 x 120 grids of hard-edged quads with normals are appended until the text holds at
// least `minimumBytes`.
std::string meshHeavyScene(std::size_t minimumBytes);

} // namespace vx::bench
