#include "ConsoleFilter.h"

#include <array>
#include <iostream>
#include <string_view>

namespace vornexapp {

namespace {

using vornexhost::ScriptEditorKind;

// The log channel shows its lines as info, each led by its level.
bool isLoggedProblem(std::string_view text) {
    constexpr std::array<std::string_view, 3> kLevels = {"Warning: ", "Error: ", "Assert: "};
    for (const std::string_view level : kLevels)
        if (text.substr(0, level.size()) == level)
            return true;
    return false;
}

} // namespace

ConsoleFilter::ConsoleFilter(bool verbose) : m_verbose(verbose) {
    m_previous = vornexhost::setScriptEditorSink(
        [this](ScriptEditorKind kind, std::string_view text) { line(kind, text); });
    if (!verbose && !m_previous)
        m_standardOutput = std::cout.rdbuf(&m_discard);
}

ConsoleFilter::~ConsoleFilter() {
    if (m_standardOutput)
        std::cout.rdbuf(m_standardOutput);
    vornexhost::setScriptEditorSink(std::move(m_previous));
}

void ConsoleFilter::line(ScriptEditorKind kind, std::string_view text) {
    const bool problem = kind == ScriptEditorKind::Warning || kind == ScriptEditorKind::Error ||
                         (kind == ScriptEditorKind::Info && isLoggedProblem(text));
    if (problem)
        ++m_problems;
    if (m_previous)
        m_previous(kind, text);
    else if (m_verbose || problem || kind == ScriptEditorKind::Result)
        vornexhost::printScriptEditorLine(kind, text);
}

HeldStream::HeldStream(std::ostream& stream) : m_stream(stream), m_saved(stream.rdbuf(&m_held)) {}

HeldStream::~HeldStream() {
    if (m_saved)
        m_stream.rdbuf(m_saved);
}

void HeldStream::release(bool show) {
    if (!m_saved)
        return;
    m_stream.rdbuf(m_saved);
    m_saved = nullptr;
    if (show)
        m_stream << m_held.str() << std::flush;
}

} // namespace vornexapp
