// The whole `vornex` process on a generated mesh-heavy scene of about 30 MB: start, read the
// file, load it, exit (`vornex mel SCENE -c ''`, plug-in included, as a user runs it). Each
// iteration also counts the lines of the same file the way `wc -l` does, so the figures can
// be compared across machines and loads: process_MBps and line_count_MBps, and `ratio`, how
// many times longer the program takes than the line count. process_cpu_MBps counts only the
// program's own processor time (user and system), which other work on a busy machine disturbs
// less than the elapsed time. VORNEX_PROGRAM names another build's program to measure.
#include "bench/support/MeshHeavyScene.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A temporary folder holding the scene, removed when the benchmark ends.
class SceneFolder {
public:
    SceneFolder() {
        std::string pattern = (fs::temp_directory_path() / "vornex-load-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        m_folder = pattern;
        const std::string text = vx::bench::meshHeavyScene(30u << 20);
        m_bytes = text.size();
        std::FILE* f = std::fopen(scene().c_str(), "wb");
        if (!f)
            return;
        const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
        m_ready = std::fclose(f) == 0 && written;
    }
    ~SceneFolder() {
        if (!m_folder.empty()) {
            std::error_code ignored;
            fs::remove_all(m_folder, ignored);
        }
    }
    SceneFolder(const SceneFolder&) = delete;
    SceneFolder& operator=(const SceneFolder&) = delete;

    bool ready() const { return m_ready; }
    std::size_t bytes() const { return m_bytes; }
    std::string scene() const { return m_folder + "/meshes.ma"; }
    std::string log() const { return m_folder + "/vornex.log"; }

private:
    std::string m_folder;
    std::size_t m_bytes = 0;
    bool m_ready = false;
};

// Runs the program with its output in `logPath`; the exit status, or -1 when it could not run.
// `cpuSeconds` receives the processor time it used.
int runProgram(const std::vector<std::string>& args, const std::string& logPath,
               double& cpuSeconds) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0)
        if (errno != EINTR)
            return -1;
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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

// The first line of the program's output that starts with `prefix` (all of it when empty).
std::string firstLine(const std::string& path, std::string_view prefix = {}) {
    std::string line;
    if (std::FILE* f = std::fopen(path.c_str(), "r")) {
        char buffer[512] = {};
        while (line.empty() && std::fgets(buffer, sizeof buffer, f))
            if (std::string_view(buffer).starts_with(prefix))
                line = buffer;
        std::fclose(f);
    }
    return line;
}

void BM_HostProgramLoad(benchmark::State& state) {
    const SceneFolder folder;
    if (!folder.ready()) {
        state.SkipWithError("cannot write the scene to a temporary folder");
        return;
    }
    const char* program = std::getenv("VORNEX_PROGRAM");
    const std::vector<std::string> args = {program ? program : VORNEX_HOST_PROGRAM, "mel",
                                           folder.scene(), "-c", ""};
    double programSeconds = 0.0;
    double cpuSeconds = 0.0;
    double countSeconds = 0.0;
    for (auto _ : state) {
        double cpu = 0.0;
        const Clock::time_point start = Clock::now();
        const int status = runProgram(args, folder.log(), cpu);
        const Clock::time_point loaded = Clock::now();
        const std::size_t lines = countLines(folder.scene());
        const Clock::time_point counted = Clock::now();
        if (status != 0) {
            state.SkipWithError(("vornex failed: " + firstLine(folder.log())).c_str());
            return;
        }
        benchmark::DoNotOptimize(lines);
        const double seconds = std::chrono::duration<double>(loaded - start).count();
        state.SetIterationTime(seconds);
        programSeconds += seconds;
        cpuSeconds += cpu;
        countSeconds += std::chrono::duration<double>(counted - loaded).count();
    }
    // The scene loads without warnings; one would mean the figure measures something else.
    // (The plug-in's own lines about GL extensions are expected.)
    if (const std::string warning = firstLine(folder.log(), "// Warning"); !warning.empty()) {
        state.SkipWithError(("vornex printed: " + warning).c_str());
        return;
    }
    const double megabytes = static_cast<double>(folder.bytes()) / 1e6;
    const double runs = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(folder.bytes()));
    state.counters["file_MB"] = megabytes;
    state.counters["process_MBps"] = megabytes * runs / programSeconds;
    state.counters["process_cpu_MBps"] = megabytes * runs / cpuSeconds;
    state.counters["line_count_MBps"] = megabytes * runs / countSeconds;
    state.counters["ratio"] = programSeconds / countSeconds;
}

BENCHMARK(BM_HostProgramLoad)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
