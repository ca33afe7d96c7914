#include "bench/support/MeshHeavyScene.h"

#include <charconv>
#include <initializer_list>

namespace vx::bench {

namespace {

// Appends " v1 v2 ...", numbers in their shortest exact form as Maya writes them.
void appendNumbers(std::string& out, std::initializer_list<double> values) {
    for (double v : values) {
        char buffer[64];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
        out += ' ';
        out.append(buffer, r.ptr);
    }
}

} // namespace

GridVertex gridVertex(const GridMesh& grid, int v) {
    const int side = grid.cells + 1;
    const double across = (v % side) * 0.1 - 5.0;
    const double along = (v / side) * 0.1 - 5.0;
    const double height = 0.25 * ((v * 7919) % 13) / 13.0;
    GridVertex out{{across, height, along},
                   {0, 1, 0},
                   {(v % side) / double(grid.cells), (v / side) / double(grid.cells)}};
    if (grid.wall) {
        out.position[1] = along;
        out.position[2] = height;
        out.normal[1] = 0;
        out.normal[2] = 1;
    }
    return out;
}

void appendGridMesh(std::string& out, const GridMesh& grid) {
    const int cells = grid.cells;
    const int side = cells + 1;
    const int vertices = side * side;
    out += "createNode transform -n \"" + grid.name + "\"";
    if (!grid.parent.empty())
        out += " -p \"" + grid.parent + "\"";
    out += ";\n";
    if (grid.translateX)
        out +=
            "\tsetAttr \".t\" -type \"double3\" " + std::to_string(*grid.translateX) + " 0 0 ;\n";
    out += "createNode mesh -n \"" + grid.shape + "\" -p \"" + grid.name + "\";\n";
    out += "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n";
    out += "\tsetAttr -s " + std::to_string(vertices) +
           " \".uvst[0].uvsp[0:" + std::to_string(vertices - 1) + "]\" -type \"float2\"";
    for (int v = 0; v < vertices; ++v) {
        if (v % 6 == 0)
            out += "\n\t\t";
        const GridVertex vertex = gridVertex(grid, v);
        appendNumbers(out, {vertex.uv[0], vertex.uv[1]});
    }
    out += ";\n";
    out += "\tsetAttr -s " + std::to_string(vertices) + " \".vt[0:" + std::to_string(vertices - 1) +
           "]\"";
    for (int v = 0; v < vertices; ++v) {
        if (v % 3 == 0)
            out += "\n\t\t";
        const GridVertex vertex = gridVertex(grid, v);
        appendNumbers(out, {vertex.position[0], vertex.position[1], vertex.position[2]});
    }
    out += ";\n";
    // Edges: horizontal, vertical, then the diagonals of split quads, each "a b smooth".
    const int horizontal = cells * side;
    const int edges = 2 * horizontal + (grid.triangles ? cells * cells : 0);
    out +=
        "\tsetAttr -s " + std::to_string(edges) + " \".ed[0:" + std::to_string(edges - 1) + "]\"";
    for (int e = 0; e < edges; ++e) {
        if (e % 8 == 0)
            out += "\n\t\t";
        int a = 0;
        int b = 0;
        if (e < horizontal) {
            a = (e / cells) * side + e % cells;
            b = a + 1;
        } else if (e < 2 * horizontal) {
            const int k = e - horizontal;
            a = (k / side) * side + k % side;
            b = a + side;
        } else {
            const int cell = e - 2 * horizontal;
            a = (cell / cells) * side + cell % cells;
            b = a + side + 1;
        }
        appendNumbers(out, {double(a), double(b), grid.smooth ? 1.0 : 0.0});
    }
    out += ";\n";
    const int quads = cells * cells;
    const int faces = grid.triangles ? 2 * quads : quads;
    out += "\tsetAttr -s " + std::to_string(faces) + " -ch " + std::to_string(4 * quads) +
           " \".fc[0:" + std::to_string(faces - 1) + "]\" -type \"polyFaces\"";
    const auto corners = [&out](const char* kind, std::initializer_list<int> values) {
        out += kind;
        for (int value : values)
            out += " " + std::to_string(value);
    };
    for (int f = 0; f < quads; ++f) {
        const int r = f / cells;
        const int c = f % cells;
        const int bottom = r * cells + c;
        const int top = (r + 1) * cells + c;
        const int left = horizontal + r * side + c;
        const int right = left + 1;
        const int diagonal = 2 * horizontal + f;
        const int v0 = r * side + c;
        if (grid.triangles) {
            corners("\n\t\tf 3", {bottom, right, -1 - diagonal});
            corners("\n\t\tmu 0 3", {v0, v0 + 1, v0 + side + 1});
            corners("\n\t\tf 3", {diagonal, -1 - top, -1 - left});
            corners("\n\t\tmu 0 3", {v0, v0 + side + 1, v0 + side});
        } else {
            corners("\n\t\tf 4", {bottom, right, -1 - top, -1 - left});
            corners("\n\t\tmu 0 4", {v0, v0 + 1, v0 + side + 1, v0 + side});
        }
    }
    out += ";\n";
    if (!grid.normals)
        return;
    out += "\tsetAttr -s " + std::to_string(vertices) + " \".n[0:" + std::to_string(vertices - 1) +
           "]\" -type \"float3\"";
    for (int v = 0; v < vertices; ++v) {
        if (v % 3 == 0)
            out += "\n\t\t";
        const GridVertex vertex = gridVertex(grid, v);
        appendNumbers(out, {vertex.normal[0], vertex.normal[1], vertex.normal[2]});
    }
    out += ";\n";
}

std::string meshHeavyScene(std::size_t minimumBytes) {
    std::string out;
    out.reserve(minimumBytes + (minimumBytes >> 3));
    out += "//Maya ASCII 2020 scene\nrequires maya \"2020\";\n"
           "currentUnit -l centimeter -a degree -t film;\n";
    for (int i = 0; out.size() < minimumBytes; ++i) {
        GridMesh grid;
        grid.name = "grid" + std::to_string(i);
        grid.shape = "gridShape" + std::to_string(i);
        grid.translateX = i;
        appendGridMesh(out, grid);
    }
    return out;
}

} // namespace vx::bench
