#include "Shared/Base/LogMessage.h"

#include "Shared/Base/DebugOutput.h"
#include "Shared/Base/LogChannel.h"
#include "Shared/Base/LogHold.h"

#include <mutex>

namespace vx {

LogMessage::LogMessage(LogLevel level, const char* file, std::uint32_t line)
    : m_level(level), m_file(file), m_line(line) {}

LogMessage::~LogMessage() {
    // A message is delivered from a destructor; nothing may escape from here.
    try {
        finish();
    } catch (...) {
    }
}

void LogMessage::finish() {
    if (m_finished)
        return;
    m_finished = true;
    if (LogHold* hold = LogHold::current()) {
        hold->keep(*this);
        return;
    }
    FileLogSink* sink = logChannel();
    if (!sink)
        return;
    // Work shared between threads may report a broken invariant while the exporting thread
    // logs; each message is delivered whole, one at a time. Recursive, since a sink may log.
    static std::recursive_mutex delivery;
    const std::lock_guard<std::recursive_mutex> lock(delivery);
    if (m_file && m_level != LogLevel::None) {
        sink->write(m_level, m_file, m_line, m_text);
    } else if (m_file) {
        sink->writeLocation(m_file, m_line);
        sink->write(m_text);
    } else {
        sink->write(m_text);
    }
    debugOutput(m_text);
    debugOutput("\n");
}

} // namespace vx
