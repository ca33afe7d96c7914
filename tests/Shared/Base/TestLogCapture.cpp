#include "tests/Shared/Base/TestLogCapture.h"

#include "Shared/Base/DebugOutput.h"

#include <vornexhost/ScriptEditor.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vx::test {
namespace {

std::string g_debugText;

void captureDebug(std::string_view text) {
    g_debugText.append(text);
}

} // namespace

LogCapture::LogCapture() {
    g_debugText.clear();
    vornexhost::setScriptEditorSink(
        [this](vornexhost::ScriptEditorKind kind, std::string_view text) {
            m_scriptLines.emplace_back(text);
            if (kind == vornexhost::ScriptEditorKind::Warning)
                m_warningLines.emplace_back(text);
        });
    setDebugOutputHandler(&captureDebug);
}

LogCapture::~LogCapture() {
    vornexhost::setScriptEditorSink({});
    setDebugOutputHandler(nullptr);
}

bool LogCapture::contains(const std::string& text) const {
    for (const std::string& line : m_scriptLines)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

const std::string& LogCapture::debugText() {
    return g_debugText;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vornex-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> listedLines(const std::string& path) {
    std::istringstream text(readWholeFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    return lines;
}

} // namespace vx::test
