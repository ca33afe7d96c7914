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

// A grid of `cells` x `cells` quads in Maya's layout.
void appendGridMesh(std::string& out, int index, int cells) {
    const int side = cells + 1;
    const int vertices = side * side;
    out += "createNode transform -n \"grid" + std::to_string(index) + "\";\n";
    out += "\tsetAttr \".t\" -type \"double3\" " + std::to_string(index) + " 0 0 ;\n";
    out += "createNode mesh -n \"gridShape" + std::to_string(index) + "\" -p \"grid" +
           std::to_string(index) + "\";\n";
    out += "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n";
    out += "\tsetAttr -s " + std::to_string(vertices) +
           " \".uvst[0].uvsp[0:" + std::to_string(vertices - 1) + "]\" -type \"float2\"";
    for (int v = 0; v < vertices; ++v) {
        if (v % 6 == 0)
            out += "\n\t\t";
        appendNumbers(out, {(v % side) / double(cells), (v / side) / double(cells)});
    }
    out += ";\n";
    out += "\tsetAttr -s " + std::to_string(vertices) + " \".vt[0:" + std::to_string(vertices - 1) +
           "]\"";
    for (int v = 0; v < vertices; ++v) {
        if (v % 3 == 0)
            out += "\n\t\t";
        appendNumbers(
            out, {(v % side) * 0.1 - 5.0, 0.25 * ((v * 7919) % 13) / 13.0, (v / side) * 0.1 - 5.0});
    }
    out += ";\n";
    // Edges: horizontal then vertical, each "a b smooth".
    const int horizontal = cells * side;
    const int edges = 2 * horizontal;
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
        } else {
            const int k = e - horizontal;
            a = (k / side) * side + k % side;
            b = a + side;
        }
        appendNumbers(out, {double(a), double(b), 0.0});
    }
    out += ";\n";
    const int faces = cells * cells;
    out += "\tsetAttr -s " + std::to_string(faces) + " -ch " + std::to_string(4 * faces) +
           " \".fc[0:" + std::to_string(faces - 1) + "]\" -type \"polyFaces\"";
    for (int f = 0; f < faces; ++f) {
        const int r = f / cells;
        const int c = f % cells;
        const int bottom = r * cells + c;
        const int top = (r + 1) * cells + c;
        const int left = horizontal + r * side + c;
        const int right = left + 1;
        const int v0 = r * side + c;
        out += "\n\t\tf 4 " + std::to_string(bottom) + " " + std::to_string(right) + " " +
               std::to_string(-1 - top) + " " + std::to_string(-1 - left);
        out += "\n\t\tmu 0 4 " + std::to_string(v0) + " " + std::to_string(v0 + 1) + " " +
               std::to_string(v0 + side + 1) + " " + std::to_string(v0 + side);
    }
    out += ";\n";
    out += "\tsetAttr -s " + std::to_string(vertices) + " \".n[0:" + std::to_string(vertices - 1) +
           "]\" -type \"float3\"";
    for (int v = 0; v < vertices; ++v) {
        if (v % 3 == 0)
            out += "\n\t\t";
        out += " 0 1 0";
    }
    out += ";\n";
}

} // namespace

std::string meshHeavyScene(std::size_t minimumBytes) {
    std::string out;
    out.reserve(minimumBytes + (minimumBytes >> 3));
    out += "//Maya ASCII 2020 scene\nrequires maya \"2020\";\n"
           "currentUnit -l centimeter -a degree -t film;\n";
    for (int i = 0; out.size() < minimumBytes; ++i)
        appendGridMesh(out, i, 120);
    return out;
}

} // namespace vx::bench
