#include "batch/BatchCommand.h"

#include "batch/AtomicFile.h"
#include "batch/BatchSummary.h"
#include "batch/ChildProcess.h"
#include "batch/EdgeResult.h"
#include "batch/NinjaFile.h"
#include "batch/SceneDiscovery.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <thread>
#include <unistd.h>

namespace vornexbatch {

namespace fs = std::filesystem;

namespace {

const char* const kBatchUsage =
    "usage: vornex batch SOURCE OUTPUT [-j N] [--dry-run] [--keep-going | --stop-on-failure]\n"
    "                    [--summary FILE] [--exporter PROGRAM]\n"
    "\n"
    "Exports every Maya ASCII scene under SOURCE that holds a root_ node into OUTPUT, at the\n"
    "same relative path (SOURCE/a/b.ma gives OUTPUT/a/b.<export type>), through Ninja: it\n"
    "writes OUTPUT/build.ninja, one edge per scene, and runs it. Only assets whose scene or a\n"
    "file the scene's export read (references, effects, textures) changed are exported again.\n"
    "Scenes without a root node are listed as skipped. -j runs N exports at once (default: the\n"
    "machine's processors); one failing asset never stops the others unless --stop-on-failure\n"
    "is given. --dry-run lists what would be exported. At the end a table shows every asset,\n"
    "failures first; --summary writes the same as JSON. --exporter runs another program in\n"
    "place of this one for the exports. The exit status is 1 when any asset failed or did not\n"
    "run.\n";

const char* const kBatchEdgeUsage =
    "usage: vornex batch-edge RESULT STAMP OUTPUT -- COMMAND...\n"
    "\n"
    "One edge of a batch: runs COMMAND (an export to OUTPUT), writes how it went to the record\n"
    "RESULT and, when it succeeded, the stamp STAMP. The batch's build.ninja runs it.\n";

struct BatchOptions {
    std::string source;
    std::string output;
    unsigned jobs = 0;
    bool dryRun = false;
    bool keepGoing = true;
    std::string summary;
    std::string exporter;
};

bool fail(const std::string& text) {
    std::cerr << "vornex batch: " << text << "\n";
    return false;
}

bool parseBatchOptions(const std::vector<std::string>& args, BatchOptions& o) {
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const bool attachedJobs = a.size() > 2 && a.rfind("-j", 0) == 0;
        if (a == "-j" || attachedJobs || a == "--summary" || a == "--exporter") {
            if (!attachedJobs && !hasValue)
                return fail(a + " needs a value");
            const std::string value = attachedJobs ? a.substr(2) : args[++i];
            if (a == "--summary") {
                o.summary = value;
            } else if (a == "--exporter") {
                o.exporter = value;
            } else {
                char* end = nullptr;
                const unsigned long jobs = std::strtoul(value.c_str(), &end, 10);
                if (value.empty() || *end != '\0' || jobs == 0 || jobs > 4096)
                    return fail("-j needs a number of jobs from 1 to 4096, not \"" + value + "\"");
                o.jobs = static_cast<unsigned>(jobs);
            }
        } else if (a == "--dry-run" || a == "-n") {
            o.dryRun = true;
        } else if (a == "--keep-going" || a == "-k") {
            o.keepGoing = true;
        } else if (a == "--stop-on-failure") {
            o.keepGoing = false;
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown option \"" + a + "\"; vornex batch --help lists them");
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2)
        return fail("needs a SOURCE folder and an OUTPUT folder");
    o.source = positional[0];
    o.output = positional[1];
    if (o.jobs == 0)
        o.jobs = std::max(1u, std::thread::hardware_concurrency());
    return true;
}

// Checks the folders and makes them absolute: SOURCE must be a folder, OUTPUT a folder (made
// when missing) that is neither inside SOURCE nor holding it.
bool resolveFolders(BatchOptions& o) {
    std::error_code ec;
    if (!fs::exists(o.source, ec))
        return fail("the source folder \"" + o.source + "\" does not exist");
    if (!fs::is_directory(o.source, ec))
        return fail("the source \"" + o.source + "\" is not a folder");
    const fs::path source = fs::canonical(o.source, ec);
    if (ec)
        return fail("the source folder \"" + o.source + "\" cannot be read: " + ec.message());
    if (fs::exists(o.output, ec) && !fs::is_directory(o.output, ec))
        return fail("the output \"" + o.output + "\" is not a folder");
    const fs::path output = fs::weakly_canonical(fs::absolute(o.output), ec);
    if (ec)
        return fail("the output folder \"" + o.output + "\" cannot be used: " + ec.message());
    const auto within = [](const fs::path& inner, const fs::path& outer) {
        return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first ==
               outer.end();
    };
    if (within(output, source))
        return fail("the output folder \"" + o.output + "\" is inside the source folder \"" +
                    o.source + "\"; choose one outside it");
    if (within(source, output))
        return fail("the source folder \"" + o.source + "\" is inside the output folder \"" +
                    o.output + "\"; choose one outside it");
    o.source = source.string();
    o.output = output.string();
    return true;
}

std::string ownProgram() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("vornex") : self.string();
}

// A name for this run that no earlier run of the same tree had.
std::string newRunName() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) + "-" +
           std::to_string(::getpid());
}

std::vector<std::string> ninjaCommand(const BatchOptions& o, bool dryRun) {
    std::vector<std::string> ninja = {"ninja",
                                      "-C",
                                      o.output,
                                      "-f",
                                      "build.ninja",
                                      "-j",
                                      std::to_string(o.jobs),
                                      "-k",
                                      o.keepGoing ? "0" : "1"};
    if (dryRun)
        ninja.push_back("-n");
    return ninja;
}

// The assets Ninja would still export: a dry run whose status lines are the edges' descriptions
// alone, the assets' names.
std::set<std::string> pendingAssets(const BatchOptions& o) {
    std::set<std::string> pending;
    const std::string listing = o.output + "/.vornex-batch/pending.txt";
    ::setenv("NINJA_STATUS", "", 1);
    const ProcessEnd end = runChildProcess(ninjaCommand(o, true), listing);
    ::unsetenv("NINJA_STATUS");
    std::ifstream in(listing);
    for (std::string line; std::getline(in, line);)
        pending.insert(line);
    std::error_code ec;
    fs::remove(listing, ec);
    return end.started ? pending : std::set<std::string>();
}

bool writeIfChanged(const std::string& path, const std::string& text) {
    std::string old;
    std::string error;
    if (readWholeFile(path, old) && old == text)
        return true;
    return writeFileAtomically(path, text, error) || fail(error);
}

} // namespace

const char* batchVerbUsage(const std::string& verb) {
    return verb == "batch" ? kBatchUsage : verb == "batch-edge" ? kBatchEdgeUsage : nullptr;
}

int runBatch(const std::vector<std::string>& args) {
    BatchOptions o;
    if (!parseBatchOptions(args, o) || !resolveFolders(o))
        return 1;
    std::vector<SceneEntry> assets;
    std::vector<SceneEntry> skipped;
    std::string error;
    if (!discoverScenes(o.source, assets, skipped, error))
        return fail(error), 1;
    for (const SceneEntry& scene : skipped)
        std::cout << "skipped " << scene.relative << ": " << scene.skipReason << "\n";
    std::cout << assets.size() << " asset" << (assets.size() == 1 ? "" : "s") << " in " << o.source
              << "\n"
              << std::flush;

    std::error_code ec;
    fs::create_directories(o.output, ec);
    if (ec)
        return fail("cannot make the output folder \"" + o.output + "\": " + ec.message()), 1;
    const std::string self = ownProgram();
    const std::string buildFile = o.output + "/build.ninja";
    if (!writeIfChanged(buildFile, ninjaFileText(assets, o.output, self,
                                                 o.exporter.empty() ? self : o.exporter)))
        return 1;

    const std::string run = newRunName();
    ::setenv(kBatchRunVariable, run.c_str(), 1);
    const ProcessEnd end = runChildProcess(ninjaCommand(o, o.dryRun));
    if (!end.started)
        return fail(end.error + " (Ninja comes with the ninja-build package)"), 1;
    if (o.dryRun)
        return end.exitStatus == 0 ? 0 : 1;

    // Everything out of date ran unless Ninja stopped early.
    const bool stopped = end.signal != 0 || end.exitStatus != 0;
    const std::vector<AssetRow> rows =
        collectRows(assets, o.output, run, stopped ? pendingAssets(o) : std::set<std::string>());
    std::cout << "\n" << summaryTable(rows);
    const int failed = failedCount(rows);
    if (!o.summary.empty() &&
        !writeFileAtomically(o.summary, summaryJson(rows, skipped, o.source, o.output), error))
        return fail(error), 1;
    if (failed > 0) {
        std::cout << failed << " of " << rows.size() << " assets failed or did not run\n";
        return 1;
    }
    if (stopped)
        return fail("ninja stopped with " + describeProcessEnd(end)), 1;
    return 0;
}

} // namespace vornexbatch
