#pragma once
// The one closing line the host program prints for an export or parse: what the run wrote,
// how many entries the artist's error list holds, and how long it took.
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vornexapp {

// The files of a folder and of its immediate subfolders (where the exporter puts its mesh
// files and converted maps), with their modification times, taken when the run starts.
class FolderSnapshot {
public:
    explicit FolderSnapshot(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return m_folder; }
    // Files new or modified since the snapshot, relative to the folder, sorted.
    std::vector<std::string> writtenSince() const;

private:
    using Times = std::map<std::string, std::filesystem::file_time_type>;
    Times scan() const;

    std::filesystem::path m_folder;
    Times m_before;
};

class RunReport {
public:
    // `output` as the user named it; its folder is watched.
    explicit RunReport(const std::string& output);

    // "exported out/jeep.bundledMesh: wrote jeep.con, jeep.nfo, meshes/jeep.bundledmesh in out;
    // error list: 0 entries; 0.31 s". The error list is the output's ".log" file when this run
    // wrote it.
    std::string exportLine(bool succeeded) const;
    // "parsed into out/jeep.bundledMesh: wrote jeep.bundledMesh in out; 2 warnings; 0.12 s".
    std::string parseLine(bool succeeded, unsigned warnings) const;

private:
    std::string writtenText(const std::vector<std::string>& written) const;
    std::string secondsText() const;

    std::string m_output;
    FolderSnapshot m_snapshot;
    std::chrono::steady_clock::time_point m_start;
};

// "1 entry", "3 entries": a count with its noun in the right number.
std::string counted(std::size_t count, const std::string& one, const std::string& many);

} // namespace vornexapp
