// `vornex batch` end to end: a small studio tree (the example scenes with their effects, a few
// broken scenes) exported through Ninja by the built program, then changed and exported again.
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct ProgramRun {
    int status = -1;
    std::string output; // standard output and errors together
};

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

ProgramRun vornex(const std::vector<std::string>& args) {
    std::string command = quoted(VX_VORNEX_PROGRAM);
    for (const std::string& a : args)
        command += " " + quoted(a);
    ProgramRun run;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// As an artist's save: newer than anything the exports wrote so far.
void touch(const fs::path& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now());
}

// Asset name -> row of the summary JSON.
std::map<std::string, json> rowsByAsset(const json& summary) {
    std::map<std::string, json> rows;
    for (const json& row : summary.at("assets"))
        rows[row.at("asset").get<std::string>()] = row;
    return rows;
}

// A studio tree: every example scene, effect and texture at its place under the examples
// folder, copied below "rawdata/" (so the scenes' relative effect paths hold whatever the
// examples' layout), and with `broken` the test data's broken scenes at their places.
struct StudioTree {
    fs::path source;
    fs::path output;
    std::set<std::string> assets;  // scenes holding a root node, relative, without ".ma"
    std::set<std::string> skipped; // the other scenes, relative

    StudioTree(const fs::path& root, bool broken)
        : source(root / "source"), output(root / "game $1") {
        copyScenes(fs::path(VORNEX_SOURCE_DIR) / "examples", "rawdata");
        if (broken)
            copyScenes(fs::path(VORNEX_TEST_DATA_DIR) / "batch", "");
    }

    void copyScenes(const fs::path& from, const fs::path& to) {
        for (const auto& entry : fs::recursive_directory_iterator(from)) {
            const std::string extension = lower(entry.path().extension().string());
            if (extension != ".ma" && extension != ".fx" && extension != ".dds")
                continue;
            const fs::path relative = to / entry.path().lexically_relative(from);
            fs::create_directories((source / relative).parent_path());
            fs::copy_file(entry.path(), source / relative);
            if (extension == ".ma")
                sortScene(relative, vx::test::readWholeFile(entry.path()));
        }
    }

    void sortScene(const fs::path& relative, const std::string& text) {
        if (text.find("-n \"root_") != std::string::npos)
            assets.insert(fs::path(relative).replace_extension().generic_string());
        else
            skipped.insert(relative.generic_string());
    }

    ProgramRun batch(std::vector<std::string> extra = {}) const {
        std::vector<std::string> args = {"batch",
                                         source.string(),
                                         output.string(),
                                         "-j",
                                         "2",
                                         "--summary",
                                         (output / "summary.json").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return vornex(args);
    }

    json summary() const {
        return json::parse(vx::test::readWholeFile((output / "summary.json").string()));
    }
};

// The files of an asset named after it (any case), beside its output and one folder down,
// as the summary counts what an export wrote.
int assetFilesOnDisk(const fs::path& output) {
    const std::string prefix = lower(output.stem().string()) + ".";
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(output.parent_path())) {
        const bool near = entry.path().parent_path() == output.parent_path() ||
                          entry.path().parent_path().parent_path() == output.parent_path();
        if (near && entry.is_regular_file() &&
            lower(entry.path().filename().string()).rfind(prefix, 0) == 0)
            ++count;
    }
    return count;
}

TEST(Batch, ExportsAMirroredTreeAndReExportsOnlyWhatChanged) {
    vx::test::TempDir dir;
    const StudioTree tree(fs::path(dir.path()) / "studio tree", true);

    // The skinned example's normal map is read from the game folder's textures when it is
    // converted: put it there, so that touching it must re-export the skinned asset.
    std::string skinned;
    fs::path normalMap;
    for (const std::string& asset : tree.assets) {
        const std::string text = vx::test::readWholeFile((tree.source / (asset + ".ma")).string());
        const std::size_t at = text.find("\".NormalMap\" -type \"string\" \"");
        if (text.find("root_skinnedMesh") == std::string::npos || at == std::string::npos)
            continue;
        const std::size_t start = text.find('"', at + 27) + 1;
        const std::string name =
            lower(fs::path(text.substr(start, text.find('"', start) - start)).filename().string());
        for (const auto& entry : fs::recursive_directory_iterator(tree.source))
            if (lower(entry.path().filename().string()) == name) {
                skinned = asset;
                normalMap = tree.output / fs::path(asset).parent_path() / "Textures" / name;
                fs::create_directories(normalMap.parent_path());
                fs::copy_file(entry.path(), normalMap);
                break;
            }
    }
    ASSERT_FALSE(skinned.empty()) << "no example skinned scene with a normal map in examples/";

    const ProgramRun first = tree.batch();
    EXPECT_EQ(first.status, 1) << first.output; // the broken scenes fail
    EXPECT_NE(first.output.find("skipped rawdata/misc/notes/notes.ma: no root_ node"),
              std::string::npos);
    EXPECT_NE(first.output.find("/" + std::to_string(tree.assets.size()) + "] rawdata/"),
              std::string::npos)
        << "Ninja's progress names the assets";
    // The table lists failures first.
    const std::size_t header = first.output.find("\nasset ");
    ASSERT_NE(header, std::string::npos) << first.output;
    const std::string firstRow =
        first.output.substr(header + 1).substr(first.output.substr(header + 1).find('\n') + 1);
    EXPECT_EQ(firstRow.rfind("rawdata/broken/", 0), 0u) << first.output;

    const json summary = tree.summary();
    std::set<std::string> skipped;
    for (const json& scene : summary.at("skipped")) {
        EXPECT_EQ(scene.at("reason"), "no root_ node");
        skipped.insert(fs::path(scene.at("scene").get<std::string>())
                           .lexically_relative(tree.source)
                           .generic_string());
    }
    EXPECT_EQ(skipped, tree.skipped);
    std::map<std::string, json> rows = rowsByAsset(summary);
    std::set<std::string> named;
    for (const auto& [asset, row] : rows)
        named.insert(asset);
    EXPECT_EQ(named, tree.assets);

    const json& crate = rows.at("rawdata/broken/crate/crate");
    EXPECT_EQ(crate.at("status"), "failed");
    EXPECT_EQ(crate.at("errorLines"), 1);
    EXPECT_EQ(crate.at("firstError"), "There is seems to no geom nodes, aborting");
    const json& wall = rows.at("rawdata/broken/wall/wall");
    EXPECT_EQ(wall.at("status"), "failed");
    EXPECT_EQ(wall.at("message"), "the export failed: exit status 1");
    EXPECT_FALSE(fs::exists(tree.output / ".vornex-batch/rawdata/broken/wall/wall.stamp"));

    // Every example is exported in its mirrored place, or failed with the reason in its list.
    int exported = 0;
    for (const auto& [asset, row] : rows) {
        SCOPED_TRACE(asset);
        const fs::path output =
            tree.output / (asset + "." + row.at("exportType").get<std::string>());
        EXPECT_EQ(row.at("output"), output.string());
        if (row.at("status") != "exported") {
            EXPECT_EQ(row.at("status"), "failed");
            EXPECT_FALSE(row.at("firstError").get<std::string>().empty() &&
                         row.at("message").get<std::string>().empty());
            continue;
        }
        ++exported;
        EXPECT_EQ(row.at("filesWritten").get<int>(), assetFilesOnDisk(output));
        const std::string type = row.at("exportType");
        if (type == "skeleton" || type == "animation") {
            EXPECT_TRUE(fs::exists(
                fs::path(output).replace_extension(type == "skeleton" ? ".ske" : ".baf")));
            continue;
        }
        // The mesh file the ".nfo" names, below the tree's "rawdata/".
        const std::string nfo =
            vx::test::readWholeFile(fs::path(output).replace_extension(".nfo").string());
        const std::string mesh = lower(fs::path(asset).filename().string()) + "." +
                                 lower(type == "meshParticleMesh" ? "bundledMesh" : type);
        const std::size_t at = nfo.find(mesh + "\r\n");
        ASSERT_NE(at, std::string::npos) << nfo;
        const std::size_t lineStart =
            nfo.rfind('\n', at) == std::string::npos ? 0 : nfo.rfind('\n', at) + 1;
        EXPECT_TRUE(fs::exists(tree.output / "rawdata" /
                               nfo.substr(lineStart, at + mesh.size() - lineStart)));
    }
    EXPECT_GE(exported, static_cast<int>(tree.assets.size()) / 2);
    ASSERT_EQ(rows.at(skinned).at("status"), "exported");

    // With the failing scenes gone, nothing is left to do.
    for (const auto& [asset, row] : rows)
        if (row.at("status") == "failed")
            fs::remove(tree.source / (asset + ".ma"));
    const ProgramRun second = tree.batch();
    EXPECT_EQ(second.status, 0) << second.output;
    EXPECT_NE(second.output.find("ninja: no work to do."), std::string::npos) << second.output;
    for (const auto& [asset, row] : rowsByAsset(tree.summary()))
        EXPECT_EQ(row.at("status"), "up to date") << asset;

    // A change to a scene, or to a texture a scene's export read, re-exports that asset alone;
    // a dry run lists it and leaves it out of date for the run after it.
    const std::string other =
        *std::find_if(tree.assets.begin(), tree.assets.end(), [&](const std::string& a) {
            return a != skinned && rows.at(a).at("status") == "exported";
        });
    const struct {
        fs::path touched;
        std::string asset;
        bool dryRun;
    } changes[] = {
        {tree.source / (other + ".ma"), other, true},
        {{}, other, false},
        {normalMap, skinned, false},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.touched.string());
        if (!change.touched.empty())
            touch(change.touched);
        const ProgramRun run = change.dryRun ? tree.batch({"--dry-run"}) : tree.batch();
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_NE(run.output.find("[1/1] " + change.asset + "\n"), std::string::npos) << run.output;
        if (change.dryRun)
            continue;
        for (const auto& [asset, row] : rowsByAsset(tree.summary()))
            EXPECT_EQ(row.at("status"), asset == change.asset ? "exported" : "up to date") << asset;
    }
}

TEST(Batch, BadInputAndCrashingExportsGetClearMessages) {
    vx::test::TempDir dir;
    const fs::path root = dir.path();
    const StudioTree tree(root / "tree", false);
    writeFile(root / "file.ma", "");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } bad[] = {
        {{"batch", (root / "missing").string(), (root / "out").string()},
         "vornex batch: the source folder \"" + (root / "missing").string() + "\" does not exist"},
        {{"batch", (root / "file.ma").string(), (root / "out").string()},
         "vornex batch: the source \"" + (root / "file.ma").string() + "\" is not a folder"},
        {{"batch", tree.source.string(), (tree.source / "rawdata/out").string()},
         "vornex batch: the output folder \"" + (tree.source / "rawdata/out").string() +
             "\" is inside the source folder \"" + tree.source.string() +
             "\"; choose one outside it"},
        {{"batch", tree.source.string(), (root / "out").string(), "-j", "0"},
         "vornex batch: -j needs a number of jobs from 1 to 4096, not \"0\""},
    };
    for (const auto& b : bad) {
        const ProgramRun run = vornex(b.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.output, b.message + "\n");
        EXPECT_FALSE(fs::exists(root / "out"));
        EXPECT_FALSE(fs::exists(tree.source / "rawdata/out"));
    }

    // An export program that half writes one asset's output and crashes.
    const std::string crashing = *tree.assets.begin();
    const fs::path program = root / "crashing exporter";
    writeFile(program, "#!/bin/sh\ncase \"$2\" in *" + crashing +
                           ".ma) printf half > \"$3\"; kill -SEGV $$;; esac\nexec " +
                           quoted(VX_VORNEX_PROGRAM) + " \"$@\"\n");
    fs::permissions(program, fs::perms::owner_all);
    std::map<std::string, json> firstRows;
    for (int run = 0; run < 2; ++run) {
        const ProgramRun crashed = tree.batch({"--exporter", program.string()});
        EXPECT_EQ(crashed.status, 1) << crashed.output;
        EXPECT_NE(crashed.output.find("the export crashed: signal 11"), std::string::npos)
            << crashed.output;
        const std::map<std::string, json> rows = rowsByAsset(tree.summary());
        EXPECT_EQ(rows.at(crashing).at("status"), "failed");
        EXPECT_EQ(rows.at(crashing).at("message").get<std::string>().rfind(
                      "the export crashed: signal 11", 0),
                  0u);
        EXPECT_FALSE(fs::exists(tree.output / ".vornex-batch" / (crashing + ".stamp")));
        if (run == 0) {
            firstRows = rows;
            continue;
        }
        // What the first run exported is up to date in the second; the crash runs again.
        int upToDate = 0;
        for (const auto& [asset, row] : rows) {
            if (firstRows.at(asset).at("status") == "exported") {
                EXPECT_EQ(row.at("status"), "up to date") << asset;
                ++upToDate;
            }
        }
        EXPECT_GE(upToDate, 1);
        EXPECT_NE(crashed.output.find("[1/"), std::string::npos);
    }

    // Stopping at the first failure leaves the other assets out of date, and says so.
    const fs::path always = root / "always crashing";
    writeFile(always, "#!/bin/sh\nkill -SEGV $$\n");
    fs::permissions(always, fs::perms::owner_all);
    const fs::path summary = root / "stopped.json";
    const ProgramRun stopped =
        vornex({"batch", tree.source.string(), (root / "stopped").string(), "-j", "1",
                "--stop-on-failure", "--exporter", always.string(), "--summary", summary.string()});
    EXPECT_EQ(stopped.status, 1) << stopped.output;
    std::map<std::string, int> statuses;
    for (const auto& [asset, row] :
         rowsByAsset(json::parse(vx::test::readWholeFile(summary.string()))))
        ++statuses[row.at("status").get<std::string>()];
    EXPECT_EQ(statuses, (std::map<std::string, int>{
                            {"failed", 1}, {"not run", static_cast<int>(tree.assets.size()) - 1}}));
}

} // namespace
