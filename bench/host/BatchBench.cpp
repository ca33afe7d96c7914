// `vornex batch` as a studio runs it: 200 generated small static meshes (an 8 x 8 grid each,
// in 20 folders), exported from scratch with -j 1 and -j 2 (assets_per_second; the -j 2 run
// also reports speed_up over -j 1), and the re-run when nothing changed (no_change_seconds),
// which only reads the tree and asks Ninja. The exports run as processes of the built program.
#include "bench/support/MeshHeavyScene.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kScenes = 200;
constexpr int kFolders = 20;

std::string smallScene(int index) {
    std::string out = "//Maya ASCII 4.5 scene\nrequires maya \"4.5\";\n"
                      "currentUnit -l centimeter -a degree -t film;\n"
                      "createNode transform -n \"root_staticMesh\";\n"
                      "createNode transform -n \"geom0\" -p \"root_staticMesh\";\n"
                      "createNode transform -n \"lod0\" -p \"geom0\";\n";
    const std::string name = "crate" + std::to_string(index);
    std::string grid;
    vx::bench::appendGridMesh(grid,
                              {name, name + "Shape", 8, index % 7, false, false, true, "", false});
    // Under the level of detail, as an artist parents a part.
    const std::string top = "createNode transform -n \"" + name + "\";";
    grid.replace(grid.find(top), top.size(),
                 "createNode transform -n \"" + name + "\" -p \"lod0\";");
    return out + grid;
}

// The tree, generated once for the whole program and removed at its end.
class Tree {
public:
    Tree() {
        std::string pattern = (fs::temp_directory_path() / "vornex-batch-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        m_root = pattern;
        for (int i = 0; i < kScenes; ++i) {
            const fs::path scene = source() / ("rawdata/props" + std::to_string(i % kFolders)) /
                                   ("crate" + std::to_string(i)) /
                                   ("crate" + std::to_string(i) + ".ma");
            fs::create_directories(scene.parent_path());
            std::ofstream(scene, std::ios::binary) << smallScene(i);
        }
    }
    ~Tree() {
        std::error_code ignored;
        if (!m_root.empty())
            fs::remove_all(m_root, ignored);
    }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    fs::path source() const { return m_root / "source"; }
    fs::path output() const { return m_root / "game"; }

    // Runs the batch; its seconds, or a negative number when it failed.
    double batch(int jobs) const {
        const std::string command = std::string("'") + VORNEX_HOST_PROGRAM + "' batch '" +
                                    source().string() + "' '" + output().string() + "' -j " +
                                    std::to_string(jobs) + " > /dev/null 2>&1";
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
    }

private:
    fs::path m_root;
};

const Tree& tree() {
    static const Tree instance;
    return instance;
}

double g_oneJobRate = 0;

void BM_BatchFromScratch(benchmark::State& state) {
    const int jobs = static_cast<int>(state.range(0));
    double rate = 0;
    for (auto _ : state) {
        std::error_code ignored;
        fs::remove_all(tree().output(), ignored);
        const double seconds = tree().batch(jobs);
        if (seconds < 0) {
            state.SkipWithError("the batch failed");
            return;
        }
        state.SetIterationTime(seconds);
        rate = kScenes / seconds;
    }
    state.counters["assets_per_second"] = rate;
    if (jobs == 1)
        g_oneJobRate = rate;
    else if (g_oneJobRate > 0)
        state.counters["speed_up"] = rate / g_oneJobRate;
}
BENCHMARK(BM_BatchFromScratch)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

void BM_BatchNoChange(benchmark::State& state) {
    if (tree().batch(2) < 0) {
        state.SkipWithError("the first batch failed");
        return;
    }
    double seconds = 0;
    for (auto _ : state) {
        seconds = tree().batch(2);
        if (seconds < 0) {
            state.SkipWithError("the batch failed");
            return;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["no_change_seconds"] = seconds;
}
BENCHMARK(BM_BatchNoChange)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
