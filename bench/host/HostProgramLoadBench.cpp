// The whole `vornex` process on a generated mesh-heavy scene of about 30 MB: start, read the
// file, load it, exit (`vornex mel SCENE -c ''`, plug-in included, as a user runs it). Each
// iteration also counts the lines of the same file the way `wc -l` does, so the figures can
// be compared across machines and loads: process_MBps and line_count_MBps, and `ratio`, how
// many times longer the program takes than the line count. process_cpu_MBps counts only the
// program's own processor time (user and system), which other work on a busy machine disturbs
// less than the elapsed time. VORNEX_PROGRAM names another build's program to measure.
#include "bench/support/MeshHeavyScene.h"
#include "bench/support/ProcessRun.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Lines of a file as `wc -l` counts them (newline characters), read in large blocks.
std::size_t countLines(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return 0;
    static std::vector<char> block(1u << 20);
    std::size_t lines = 0;
    ssize_t n = 0;
    while ((n = ::read(fd, block.data(), block.size())) > 0)
        lines += static_cast<std::size_t>(std::count(block.data(), block.data() + n, '\n'));
    ::close(fd);
    return lines;
}

void BM_HostProgramLoad(benchmark::State& state) {
    const vx::bench::TempFolder folder("vornex-load");
    const std::string text = vx::bench::meshHeavyScene(30u << 20);
    if (!folder.ready() || !folder.write("meshes.ma", text)) {
        state.SkipWithError("cannot write the scene to a temporary folder");
        return;
    }
    const std::string scene = folder.path() + "/meshes.ma";
    const std::string log = folder.path() + "/vornex.log";
    const char* program = std::getenv("VORNEX_PROGRAM");
    const std::vector<std::string> args = {program ? program : VORNEX_HOST_PROGRAM, "mel", scene,
                                           "-c", ""};
    double programSeconds = 0.0;
    double cpuSeconds = 0.0;
    double countSeconds = 0.0;
    for (auto _ : state) {
        const vx::bench::ProcessRun run = vx::bench::runProcess(args, "", log);
        const Clock::time_point loaded = Clock::now();
        const std::size_t lines = countLines(scene);
        const Clock::time_point counted = Clock::now();
        if (run.status != 0) {
            state.SkipWithError(("vornex failed: " + vx::bench::firstLine(log)).c_str());
            return;
        }
        benchmark::DoNotOptimize(lines);
        state.SetIterationTime(run.seconds);
        programSeconds += run.seconds;
        cpuSeconds += run.cpuSeconds;
        countSeconds += std::chrono::duration<double>(counted - loaded).count();
    }
    // The scene loads without warnings; one would mean the figure measures something else.
    // (The plug-in's own lines about GL extensions are expected.)
    if (const std::string warning = vx::bench::firstLine(log, "// Warning"); !warning.empty()) {
        state.SkipWithError(("vornex printed: " + warning).c_str());
        return;
    }
    const double megabytes = static_cast<double>(text.size()) / 1e6;
    const double runs = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.counters["file_MB"] = megabytes;
    state.counters["process_MBps"] = megabytes * runs / programSeconds;
    state.counters["process_cpu_MBps"] = megabytes * runs / cpuSeconds;
    state.counters["line_count_MBps"] = megabytes * runs / countSeconds;
    state.counters["ratio"] = programSeconds / countSeconds;
}

BENCHMARK(BM_HostProgramLoad)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
