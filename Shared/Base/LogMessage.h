#pragma once
#include "Shared/Base/LogLevel.h"
#include "Shared/Base/Streams/Buffers/MemoryOutBuffer.h"
#include "Shared/Base/Streams/TextOutStream.h"

#include <cstdint>

namespace vx {

// One message, composed on the stack at its call site and delivered when finished (or
// destroyed). The text is cut off silently after kMaxText characters.
class LogMessage {
public:
    static constexpr std::size_t kBufferSize = 512;
    static constexpr std::size_t kMaxText = kBufferSize - 1;

    LogMessage(LogLevel level, const char* file, std::uint32_t line);
    ~LogMessage();
    LogMessage(const LogMessage&) = delete;
    LogMessage& operator=(const LogMessage&) = delete;

    template <typename T>
    LogMessage& operator<<(const T& value) {
        m_stream << value;
        return *this;
    }

    // Delivers the message to the log channel and the debugger output; once only.
    void finish();

    const char* text() const { return m_text; }
    LogLevel level() const { return m_level; }
    const char* file() const { return m_file; }
    std::uint32_t line() const { return m_line; }
    TextOutStream& stream() { return m_stream; }

private:
    char m_text[kBufferSize] = {};
    TruncatingMemoryOutBuffer m_buffer{m_text, kMaxText};
    TextOutStream m_stream{&m_buffer};
    LogLevel m_level;
    const char* m_file;
    std::uint32_t m_line;
    bool m_finished = false;
};

} // namespace vx
