// Loading speed of the Maya ASCII loader on a generated mesh-heavy scene of about 100 MB,
// written the way Maya writes meshes (vertices, edges, polyFaces with UVs, UV points,
// normals). Reports MB/s (bytes_per_second), the memory the loaded scene holds (scene_MB)
// and the process's peak memory, the 100 MB text included.
#include <vornexhost/MaLoader.h>
#include <vornexhost/Scene.h>

#include <benchmark/benchmark.h>

#include <charconv>
#include <initializer_list>
#include <malloc.h>
#include <string>
#include <sys/resource.h>

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

const std::string& scene100MB() {
    static const std::string text = [] {
        std::string out;
        out.reserve(110u << 20);
        out += "//Maya ASCII 2020 scene\nrequires maya \"2020\";\n"
               "currentUnit -l centimeter -a degree -t film;\n";
        for (int i = 0; out.size() < (100u << 20); ++i)
            appendGridMesh(out, i, 120);
        return out;
    }();
    return text;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Bytes the heap has handed out and not taken back, in MB.
double heapInUseMegabytes() {
    return static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd) / (1024.0 * 1024.0);
}

void BM_LoadMeshHeavyScene(benchmark::State& state) {
    const std::string& text = scene100MB();
    const double before = peakMegabytes();
    double sceneMegabytes = 0.0;
    for (auto _ : state) {
        const double heapBefore = heapInUseMegabytes();
        vornexhost::Scene scene;
        const vornexhost::MaLoadResult result = vornexhost::loadMayaAscii(scene, "bench.ma", text);
        if (!result.ok) {
            state.SkipWithError(result.error.c_str());
            return;
        }
        benchmark::DoNotOptimize(scene.nodes().size());
        // What the loaded scene holds, beside the text it was read from.
        sceneMegabytes = heapInUseMegabytes() - heapBefore;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.counters["file_MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["peak_MB_before_load"] = before;
    state.counters["scene_MB"] = sceneMegabytes;
}

BENCHMARK(BM_LoadMeshHeavyScene)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
