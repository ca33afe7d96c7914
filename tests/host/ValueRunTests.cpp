// Long runs of values read in pieces on several threads must load exactly what the one-thread
// reading loads: the same stored values, and for faulty text the same error on the same line.
#include "tests/host/StoredValues.h"

#include <vornexhost/MaLoader.h>
#include <vornexhost/MaValueRuns.h>
#include <vornexhost/Scene.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace vornexhost::test {
namespace {

// A grid mesh of `cells` x `cells` quads with UVs, colours and a hole, as files write it; each
// `mutate` call may change the text of one value list before it is added.
struct GridText {
    int cells = 8;
    std::string lineEnd = "\n";
    std::string points; // replaces the ".vt" values when set
    std::string faces;  // replaces the ".fc" values when set
    std::string edges;  // replaces the ".ed" values when set

    std::string text() const {
        const int side = cells + 1;
        const int vertices = side * side;
        const int horizontal = cells * side;
        std::string s = "//Maya ASCII 2020 scene" + lineEnd + "currentUnit -l meter;" + lineEnd;
        s += "createNode transform -n \"grid\";" + lineEnd;
        s += "createNode mesh -n \"gridShape\" -p \"grid\";" + lineEnd;
        s += "\tsetAttr -s " + std::to_string(vertices) +
             " \".uvst[0].uvsp[0:" + std::to_string(vertices - 1) + "]\" -type \"float2\"";
        for (int v = 0; v < vertices; ++v)
            s += (v % 5 == 0 ? lineEnd + "\t\t" : std::string(" ")) +
                 std::to_string((v % side) * 0.125) + " " + std::to_string(v / side) + "e-1";
        s += ";" + lineEnd;
        s += "\tsetAttr -s " + std::to_string(vertices) +
             " \".vt[0:" + std::to_string(vertices - 1) + "]\"";
        if (points.empty()) {
            for (int v = 0; v < vertices; ++v)
                s += (v % 3 == 0 ? lineEnd + "\t\t" : std::string(" ")) + std::to_string(v % side) +
                     " -0." + std::to_string(v % 7) + " +" + std::to_string(v / side) + ".25";
        } else {
            s += points;
        }
        s += " ;" + lineEnd;
        const int edgeCount = 2 * horizontal;
        s += "\tsetAttr -s " + std::to_string(edgeCount) +
             " \".ed[0:" + std::to_string(edgeCount - 1) + "]\"";
        if (edges.empty()) {
            for (int e = 0; e < edgeCount; ++e) {
                const int a = e < horizontal ? (e / cells) * side + e % cells : e - horizontal;
                const int b = e < horizontal ? a + 1 : a + side;
                s += (e % 4 == 0 ? lineEnd + "\t\t" : std::string("  ")) + std::to_string(a) + " " +
                     std::to_string(b) + " " + (e % 2 ? "1" : "0");
            }
        } else {
            s += edges;
        }
        s += ";" + lineEnd;
        const int faceCount = cells * cells;
        s += "\tsetAttr -s " + std::to_string(faceCount) + " -ch " + std::to_string(4 * faceCount) +
             " \".fc[0:" + std::to_string(faceCount - 1) + "]\" -type \"polyFaces\" ";
        if (faces.empty()) {
            for (int f = 0; f < faceCount; ++f) {
                const int r = f / cells;
                const int c = f % cells;
                const int bottom = r * cells + c;
                const int left = horizontal + r * side + c;
                const int v0 = r * side + c;
                s += lineEnd + "\t\tf 4 " + std::to_string(bottom) + " " +
                     std::to_string(left + 1) + " " + std::to_string(-1 - (bottom + cells)) + " " +
                     std::to_string(-1 - left);
                if (f % 5 == 2)
                    s += lineEnd + "\t\th 3 " + std::to_string(bottom) + " " +
                         std::to_string(left + 1) + " " + std::to_string(-1 - left);
                s += lineEnd + "\t\tmu 0 " + (f % 5 == 2 ? "3 " : "4 ") + std::to_string(v0) + " " +
                     std::to_string(v0 + 1) + " " + std::to_string(v0 + side) +
                     (f % 5 == 2 ? "" : " " + std::to_string(v0 + side + 1));
                if (f % 3 == 0)
                    s += " mc 1 " + std::string(f % 5 == 2 ? "3 0 1 2" : "4 0 1 2 3");
                if (f % 4 == 1)
                    s += " fc " + std::string(f % 5 == 2 ? "3 5 6 7" : "4 5 6 7 8");
                if (f % 6 == 5)
                    s += " mf " + std::string(f % 5 == 2 ? "3 9 9 9" : "4 9 9 9 9");
            }
        } else {
            s += faces;
        }
        s += ";" + lineEnd;
        return s;
    }
};

struct Loaded {
    MaLoadResult result;
    std::string values;
};

Loaded load(const std::string& text, ValueRunSplit split) {
    setValueRunSplit(split);
    Scene scene;
    Loaded out{loadMayaAscii(scene, "runs.ma", text), {}};
    out.values = storedValues(scene);
    setValueRunSplit({});
    return out;
}

// Twelve values (four points) when `middle` is one value.
std::string points(const std::string& middle) {
    return " 1 2 3 4 5 6 7 8 9 10" + middle + " 12";
}

TEST(ValueRuns, PiecesLoadWhatOneThreadLoads) {
    struct Case {
        const char* name;
        GridText grid;
        int splitRuns; // how many runs are read in pieces before the load ends
        const char* error = "";
    };
    const auto withPoints = [](const std::string& values) {
        GridText g;
        g.cells = 1;
        g.points = values;
        return g;
    };
    const auto withFaces = [](const std::string& values) {
        GridText g;
        g.cells = 2;
        g.faces = values;
        return g;
    };
    GridText crlf;
    crlf.lineEnd = "\r\n";
    GridText bigger;
    bigger.cells = 40;
    const std::vector<Case> cases = {
        {"grid", GridText{}, 4},
        {"grid with CR LF", crlf, 4},
        {"bigger grid", bigger, 4},
        {"number forms", withPoints(" 1e3 -0 +2 .5 -.25 1.5E-2 007 -9 0 -1 2 3"), 3},
        {"hexadecimal", withPoints(points(" 0x10")), 1, "runs.ma:7: bad number '0x10'"},
        {"a word value", withPoints(points(" yes")), 2},
        {"a comment inside", withPoints(" 1 2 3 // ;\n 4 5 6 7 8 9 10 11 12"), 2},
        {"a block comment", withPoints(" 1 2 3 /* ; */ 4 5 6 7 8 9 10 11 12"), 2},
        {"bad number", withPoints(points(" 1.2.3")), 1, "runs.ma:7: bad number '1.2.3'"},
        {"too few", withPoints(" 1 2 3 4 5 6"), 1,
         "runs.ma:7: \"vrts\" range of 4 elements ends early"},
        {"too many", withPoints(points(" 11 16")), 1,
         "runs.ma:7: more values than the 4 elements of \"vrts\""},
        {"float edge",
         [] {
             GridText g;
             g.cells = 1;
             g.edges = " 0 1 0 2 3 1.5 0 2 -0 1 3 1e1";
             return g;
         }(),
         3},
        {"faces",
         withFaces(" f 4 0 1 2 3 mu 0 4 0 1 2 3\n f 3 4 5 6 h 3 7 8 9 mf 3 1 1 1\n"
                   " fc 3 0 0 0 f 3 1 2 3 f 3 1 2 3"),
         4},
        {"face index too large", withFaces(" f 4 0 1 2 3 f 3 4 5 6 f 3 1 9999999999 3 f 3 1 2 3"),
         3, "runs.ma:16: face index out of range"},
        {"bad face index", withFaces(" f 4 0 1 2 3 f 3 4 5 6 f 3 1 x 3 f 3 1 2 3"), 3,
         "runs.ma:16: bad face index 'x'"},
        {"uv count unlike loop", withFaces(" f 4 0 1 2 3 f 3 4 5 6 mu 0 4 1 2 3 4 f 3 1 2 3"), 3,
         "runs.ma:16: polyFaces mu gives 4 ids for a loop of 3 edges"},
        {"unknown record", withFaces(" f 4 0 1 2 3 f 3 4 5 6 q 3 f 3 1 2 3"), 3,
         "runs.ma:16: unknown polyFaces record \"q\""},
        {"too few faces", withFaces(" f 4 0 1 2 3 f 3 4 5 6 f 3 1 2 3"), 4,
         "runs.ma:16: polyFaces data holds 3 faces for 4 elements"},
        {"hole first", withFaces(" h 3 0 1 2 f 4 0 1 2 3 f 3 4 5 6 f 3 1 2 3 f 3 1 2 3"), 3,
         "runs.ma:16: polyFaces hole (h) before any face"},
    };
    const ValueRunSplit oneThread{std::numeric_limits<std::size_t>::max(), 1};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = c.grid.text();
        const Loaded expected = load(text, oneThread);
        EXPECT_EQ(expected.result.error, c.error);
        for (const unsigned pieces : {2u, 3u, 7u}) {
            SCOPED_TRACE(pieces);
            const std::uint64_t before = valueRunsSplit();
            const Loaded split = load(text, {1, pieces});
            EXPECT_EQ(split.result.ok, expected.result.ok);
            EXPECT_EQ(split.result.error, expected.result.error);
            EXPECT_EQ(split.result.warnings, expected.result.warnings);
            if (expected.result.ok) { // a failed load's scene is thrown away
                EXPECT_EQ(split.values, expected.values);
            }
            EXPECT_EQ(valueRunsSplit() - before, static_cast<std::uint64_t>(c.splitRuns));
        }
    }
}

} // namespace
} // namespace vornexhost::test
