#pragma once
#include "Shared/Base/LogSink.h"
#include "Shared/Base/Streams/Buffers/BroadcastBuffer.h"
#include "Shared/Base/Streams/Buffers/FileOutBuffer.h"

#include <string>

namespace vx {

// Writes each message as one CR LF terminated line to the log file and shows it in the host's
// script editor. The file is opened (and truncated) lazily by the first message after
// construction or after setFileName.
class FileLogSink : public LogSink {
public:
    FileLogSink();
    ~FileLogSink() override;

    void write(LogLevel level, const char* file, std::uint32_t line, const char* text) override;
    void write(const char* text) override;
    void writeLocation(const char* file, std::uint32_t line) override;

    // Closes the current file if open; the next message opens (truncates) the new one.
    void setFileName(std::string name);
    const std::string& fileName() const { return m_fileName; }

    // Opens the file now if it is not open yet. When it cannot be opened the assertion is
    // logged and thrown, so a caller that needs its log (the translator) can fail in order.
    void open();
    // True when the last attempt to open the file failed; messages then reach only the
    // script editor and the debugger output.
    bool openFailed() const { return m_openFailed; }
    bool isOpen() const { return m_open && !m_openFailed; }

private:
    // Opens lazily; a failure is reported through the log itself and remembered, never thrown
    // out of a message's delivery.
    void ensureOpen();
    void emit(const char* data, std::size_t count);

    FileOutBuffer m_file;
    BroadcastBuffer m_broadcast;
    std::string m_fileName = "Log.txt";
    bool m_open = false;
    bool m_openFailed = false;
};

} // namespace vx
