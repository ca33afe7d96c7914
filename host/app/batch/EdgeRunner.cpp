#include "batch/EdgeRunner.h"

#include "Shared/Base/TextCase.h"
#include "batch/AtomicFile.h"
#include "batch/ChildProcess.h"
#include "batch/EdgeResult.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace vornexbatch {

namespace fs = std::filesystem;

namespace {

constexpr const char* kEdgeUsage = "batch-edge RESULT STAMP OUTPUT -- COMMAND...";
constexpr int kShownOutputLines = 20;

// The files in `folder` (and, with `descend`, one folder down: the asset's meshes) whose
// names begin with `prefix` (any case) and that were written at or after `since`.
int countWrittenFiles(const fs::path& folder, const std::string& prefix, fs::file_time_type since,
                      bool descend) {
    int count = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code timeError;
        if (descend && it->is_directory(timeError))
            count += countWrittenFiles(it->path(), prefix, since, false);
        else if (name.size() > prefix.size() &&
                 vx::equalsIgnoringCase(std::string_view(name).substr(0, prefix.size()), prefix) &&
                 it->is_regular_file(timeError) && it->last_write_time(timeError) >= since &&
                 !timeError)
            ++count;
    }
    return count;
}

void readErrorList(const std::string& path, EdgeResult& result) {
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (result.errorLines++ == 0)
            result.firstError = line;
    }
}

// The last lines of the export's printed output, for the engine to show under the failure.
void showOutputTail(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const std::size_t first =
        lines.size() > kShownOutputLines ? lines.size() - kShownOutputLines : 0;
    for (std::size_t i = first; i < lines.size(); ++i)
        std::cerr << lines[i] << "\n";
}

} // namespace

std::string errorListPath(const std::string& output) {
    return fs::path(output).replace_extension(".log").string();
}

int runEdge(const std::vector<std::string>& args) {
    if (args.size() < 6 || args[4] != "--") {
        std::cerr << "usage: vornex " << kEdgeUsage << "\n";
        return 1;
    }
    const std::string& resultPath = args[1];
    const std::string& stampPath = args[2];
    const std::string& output = args[3];
    const std::vector<std::string> command(args.begin() + 5, args.end());
    const std::string outputLog = resultPath + ".out";
    const std::string errorList = errorListPath(output);

    std::error_code ec;
    fs::create_directories(fs::path(resultPath).parent_path(), ec);
    fs::create_directories(fs::path(output).parent_path(), ec);
    fs::remove(stampPath, ec);
    // A list left by an earlier run would be taken for this run's.
    fs::remove(errorList, ec);

    EdgeResult result;
    if (const char* run = std::getenv(kBatchRunVariable))
        result.run = run;
    // Written first, so that an edge that is killed leaves a failure behind; its time is the
    // file system's own, against which the written files are told apart.
    result.message = "the export did not finish";
    std::string error;
    if (!writeFileAtomically(resultPath, edgeResultJson(result), error)) {
        std::cerr << error << "\n";
        return 1;
    }
    const fs::file_time_type started = fs::last_write_time(resultPath, ec);

    const auto start = std::chrono::steady_clock::now();
    // In the asset's folder: files an export writes to its working folder stay with the asset.
    const ProcessEnd end =
        runChildProcess(command, outputLog, fs::path(output).parent_path().string());
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.exported = end.started && end.signal == 0 && end.exitStatus == 0;
    if (!end.started)
        result.message = describeProcessEnd(end);
    else if (end.signal != 0)
        result.message = "the export crashed: " + describeProcessEnd(end);
    else if (end.exitStatus != 0)
        result.message = "the export failed: " + describeProcessEnd(end);
    else
        result.message.clear();
    readErrorList(errorList, result);
    // The asset's files are named after its output: "tank.con", "meshes/tank.bundledmesh".
    result.filesWritten = countWrittenFiles(fs::path(output).parent_path(),
                                            fs::path(output).stem().string() + ".", started, true);

    if (!writeFileAtomically(resultPath, edgeResultJson(result), error)) {
        std::cerr << error << "\n";
        return 1;
    }
    if (!result.exported) {
        std::cerr << output << ": " << result.message << "\n";
        if (!result.firstError.empty())
            std::cerr << errorList << ": " << result.firstError << "\n";
        showOutputTail(outputLog);
        return 1;
    }
    if (!writeFileAtomically(stampPath, result.run + "\n", error)) {
        std::cerr << error << "\n";
        return 1;
    }
    return 0;
}

} // namespace vornexbatch
