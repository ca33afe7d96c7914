#include "RunReport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace vornexapp {

namespace fs = std::filesystem;

FolderSnapshot::FolderSnapshot(fs::path folder)
    : m_folder(folder.empty() ? fs::path(".") : std::move(folder)), m_before(scan()) {}

FolderSnapshot::Times FolderSnapshot::scan() const {
    Times times;
    std::error_code code;
    auto add = [&](const fs::directory_entry& entry, const std::string& prefix) {
        if (entry.is_regular_file(code))
            times[prefix + entry.path().filename().string()] = entry.last_write_time(code);
    };
    for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, code)) {
        add(entry, "");
        if (!entry.is_directory(code))
            continue;
        const std::string prefix = entry.path().filename().string() + "/";
        for (const fs::directory_entry& inner : fs::directory_iterator(entry.path(), code))
            add(inner, prefix);
    }
    return times;
}

std::vector<std::string> FolderSnapshot::writtenSince() const {
    std::vector<std::string> written;
    for (const auto& [name, time] : scan()) {
        const auto before = m_before.find(name);
        if (before == m_before.end() || before->second != time)
            written.push_back(name);
    }
    return written;
}

RunReport::RunReport(const std::string& output)
    : m_output(output), m_snapshot(fs::path(output).parent_path()),
      m_start(std::chrono::steady_clock::now()) {}

std::string RunReport::exportLine(bool succeeded) const {
    const std::vector<std::string> written = m_snapshot.writtenSince();
    const std::string errorList = fs::path(m_output).filename().replace_extension(".log").string();
    std::size_t entries = 0;
    if (std::find(written.begin(), written.end(), errorList) != written.end()) {
        std::ifstream in(m_snapshot.folder() / errorList);
        for (std::string line; std::getline(in, line);)
            ++entries;
    }
    return (succeeded ? "exported " : "export failed: ") + m_output + ": " + writtenText(written) +
           "; error list: " + counted(entries, "entry", "entries") + "; " + secondsText();
}

std::string RunReport::parseLine(bool succeeded, unsigned warnings) const {
    return (succeeded ? "parsed into " : "parse failed: ") + m_output + ": " +
           writtenText(m_snapshot.writtenSince()) + "; " +
           counted(warnings, "warning", "warnings") + "; " + secondsText();
}

std::string RunReport::writtenText(const std::vector<std::string>& written) const {
    if (written.empty())
        return "nothing written";
    std::string text = "wrote";
    for (std::size_t i = 0; i < written.size(); ++i)
        text += (i == 0 ? " " : ", ") + written[i];
    return text + " in " + m_snapshot.folder().string();
}

std::string RunReport::secondsText() const {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - m_start;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", elapsed.count());
    return text;
}

std::string counted(std::size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace vornexapp
