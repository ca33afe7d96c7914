#include "bench/support/ExportScene.h"

#include "bench/support/MeshHeavyScene.h"

#include <charconv>

namespace vx::bench {

namespace {

// Parts side by side along x, 13 units apart: a part is 12 units wide. The first part is the
// level of detail's root, at the origin, and holds the others, as the exporter requires.
GridMesh part(const ExportSceneShape& shape, int i) {
    GridMesh grid;
    grid.name = "part" + std::to_string(i);
    grid.shape = "partShape" + std::to_string(i);
    grid.cells = shape.cells;
    grid.translateX = i * 13;
    grid.parent = i == 0 ? "lod0" : "part0";
    grid.wall = shape.wall;
    return grid;
}

void appendNumber(std::string& out, double v) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    out += ' ';
    out.append(buffer, r.ptr);
}

} // namespace

std::string staticExportScene(const ExportSceneShape& shape) {
    std::string out = "//Maya ASCII 4.5 scene\nrequires maya \"4.5\";\n"
                      "currentUnit -l centimeter -a degree -t film;\n"
                      "createNode transform -n \"root_staticMesh\";\n"
                      "createNode transform -n \"geom0\" -p \"root_staticMesh\";\n";
    // Settings are locators below the geometry, named for what they set.
    const std::string setting = shape.lightmapSize == 0
                                    ? std::string("geom0_NoLightmap")
                                    : "geom0_LightmapSize_" + std::to_string(shape.lightmapSize);
    out += "createNode transform -n \"" + setting + "\" -p \"geom0\";\n";
    out += "createNode locator -n \"" + setting + "Shape\" -p \"" + setting + "\";\n";
    out += "createNode transform -n \"lod0\" -p \"geom0\";\n";
    std::string links;
    for (int i = 0; i < shape.parts; ++i) {
        const GridMesh grid = part(shape, i);
        appendGridMesh(out, grid);
        // A material per part keeps every material within 16-bit vertex numbers.
        const std::string material = "material" + std::to_string(i);
        out += "createNode cgfxShader -n \"" + material + "\";\n";
        out += "\taddAttr -ci true -sn \"Base\" -ln \"Base\" -dt \"string\";\n";
        out += "\tsetAttr \".s\" -type \"string\" \"../effects/Grid.fx\";\n";
        out += "\tsetAttr \".Base\" -type \"string\" \"c:/Game/RawData/Grid_Base.dds\";\n";
        out += "createNode shadingEngine -n \"" + material + "SG\";\n";
        out += "\tsetAttr \".ihi\" 0;\n\tsetAttr \".ro\" yes;\n";
        links += "connectAttr \"" + material + ".oc\" \"" + material + "SG.ss\";\n";
        links += "connectAttr \"" + grid.shape + ".iog\" \"" + material + "SG.dsm\" -na;\n";
    }
    return out + links;
}

std::string gridEffect() {
    return "float4x4 WorldViewProjection : WorldViewProjection;\n"
           "uniform sampler2D Base : DIFFUSE <\n"
           "    string ResourceName = \"base.dds\";\n"
           "    string UIName = \"Base\";\n"
           "> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };\n"
           "float4 vertexMain(float3 p : POSITION) : POSITION {\n"
           "    return mul(float4(p, 1.0), WorldViewProjection);\n"
           "}\n"
           "technique Grid { pass p0 { VertexProgram = compile arbvp1 vertexMain(); } }\n";
}

std::string objOf(const ExportSceneShape& shape) {
    std::string out;
    const int side = shape.cells + 1;
    const int vertices = side * side;
    for (int i = 0; i < shape.parts; ++i) {
        const GridMesh grid = part(shape, i);
        out += "o " + grid.name + "\n";
        for (int v = 0; v < vertices; ++v) {
            const GridVertex vertex = gridVertex(grid, v);
            out += "v";
            appendNumber(out, vertex.position[0] + *grid.translateX);
            appendNumber(out, vertex.position[1]);
            appendNumber(out, vertex.position[2]);
            out += "\nvt";
            appendNumber(out, vertex.uv[0]);
            appendNumber(out, vertex.uv[1]);
            out += "\nvn";
            appendNumber(out, vertex.normal[0]);
            appendNumber(out, vertex.normal[1]);
            appendNumber(out, vertex.normal[2]);
            out += "\n";
        }
        // OBJ numbers count from 1 over the whole file.
        const int base = i * vertices + 1;
        const auto corner = [&](int v) {
            const std::string n = std::to_string(base + v);
            out += " " + n + "/" + n + "/" + n;
        };
        for (int r = 0; r < shape.cells; ++r) {
            for (int c = 0; c < shape.cells; ++c) {
                const int v0 = r * side + c;
                out += "f";
                corner(v0), corner(v0 + 1), corner(v0 + side + 1);
                out += "\nf";
                corner(v0), corner(v0 + side + 1), corner(v0 + side);
                out += "\n";
            }
        }
    }
    return out;
}

} // namespace vx::bench
