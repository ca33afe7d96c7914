#pragma once
// Captures what the log channel shows: script editor lines and debugger output.
#include <string>
#include <vector>

namespace vx::test {

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& scriptLines() const { return m_scriptLines; }
    // The lines shown as warnings (MGlobal::displayWarning), also among scriptLines().
    const std::vector<std::string>& warningLines() const { return m_warningLines; }
    // Whether any script editor line contains `text`.
    bool contains(const std::string& text) const;
    static const std::string& debugText();

private:
    std::vector<std::string> m_scriptLines;
    std::vector<std::string> m_warningLines;
};

// A fresh, empty directory under the system's temporary folder, removed by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string readWholeFile(const std::string& path);
// The lines of a list file of the test data, leaving out empty lines and "#" comments.
std::vector<std::string> listedLines(const std::string& path);

} // namespace vx::test
