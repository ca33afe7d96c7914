#pragma once
// Running whole programs from a benchmark: a temporary folder to run them in, and one run of a
// program with its elapsed and processor time and its peak memory.
#include <string>
#include <vector>

namespace vx::bench {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const char* prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool ready() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    // Writes `text` to the file `name` (a path within the folder, whose folders are made as
    // needed); false when it could not be written whole.
    bool write(const std::string& name, const std::string& text) const;

private:
    std::string m_path;
};

struct ProcessRun {
    int status = -1; // the exit status, or -1 when the program did not run or end normally
    double seconds = 0.0;
    double cpuSeconds = 0.0; // user and system
    double peakRssMegabytes = 0.0;
};

// Runs args[0] with its arguments in `folder`, standard output and error going to `logPath`.
ProcessRun runProcess(const std::vector<std::string>& args, const std::string& folder,
                      const std::string& logPath);

// The full path of `program` found on PATH, or "" when it is not installed.
std::string findOnPath(const std::string& program);

// The first line of a text file that starts with `prefix` (the first line when empty).
std::string firstLine(const std::string& path, const std::string& prefix = {});

} // namespace vx::bench
