#pragma once
// Every file an export writes or references, sorted and without duplicates; written to the
// ".nfo" file at the end of a successful export.
#include <set>
#include <string>
#include <string_view>

namespace vx {

class ExportedFileSet {
public:
    void add(std::string_view path) { m_paths.emplace(path); }
    // Adds the part of the path after "rawdata/" when it has one, else the whole path.
    void addRelativeToRawData(std::string_view path);
    void clear() { m_paths.clear(); }
    const std::set<std::string>& paths() const { return m_paths; }

private:
    std::set<std::string> m_paths;
};

// The process-wide set of the current export.
ExportedFileSet& exportedFileSet();

} // namespace vx
