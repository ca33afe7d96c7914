#include "Shared/Base/FileLogSink.h"

#include "Shared/Base/Assert.h"
#include "Shared/Base/Streams/Buffers/MemoryOutBuffer.h"
#include "Shared/Base/Streams/TextOutStream.h"

#include <maya/MGlobal.h>

#include <cstring>

namespace vx {
namespace {

constexpr char kLineEnd[] = "\r\n";

// Composes "file(line) : " into a stream.
void location(TextOutStream& out, const char* file, std::uint32_t line) {
    out << (file ? file : "") << "(" << line << ") : ";
}

} // namespace

FileLogSink::FileLogSink() {
    m_broadcast.add(&m_file);
}

FileLogSink::~FileLogSink() = default;

void FileLogSink::setFileName(std::string name) {
    m_fileName = std::move(name);
    if (m_open) {
        m_file.close();
        m_open = false;
    }
    m_openFailed = false;
}

void FileLogSink::open() {
    if (m_open && !m_openFailed)
        return;
    m_open = true;
    m_openFailed = false;
    try {
        m_file.open(m_fileName.c_str());
    } catch (const AssertionFailed&) {
        m_openFailed = true;
        throw;
    }
}

void FileLogSink::ensureOpen() {
    if (m_open)
        return;
    try {
        open();
    } catch (const AssertionFailed&) {
        // Already reported through this sink; the message being delivered still reaches the
        // script editor.
    }
}

void FileLogSink::emit(const char* data, std::size_t count) {
    if (m_openFailed)
        return;
    m_broadcast.write(data, count);
    m_broadcast.flush();
}

void FileLogSink::write(LogLevel level, const char* file, std::uint32_t line, const char* text) {
    ensureOpen();
    // Cut long lines rather than fail: the line end is always written.
    char lineText[2048];
    TruncatingMemoryOutBuffer lineBuffer(lineText, sizeof lineText - 2);
    TextOutStream lineOut(&lineBuffer);
    location(lineOut, file, line);
    lineOut << logLevelPrefix(level) << text;
    std::memcpy(lineText + lineBuffer.written(), kLineEnd, 2);
    emit(lineText, lineBuffer.written() + 2);

    char shown[2048] = {};
    TruncatingMemoryOutBuffer shownBuffer(shown, sizeof shown - 1);
    TextOutStream shownOut(&shownBuffer);
    shownOut << logLevelPrefix(level) << text;
    MGlobal::displayInfo(shown);
}

void FileLogSink::write(const char* text) {
    ensureOpen();
    emit(text, std::strlen(text));
    emit(kLineEnd, 2);
    MGlobal::displayInfo(text);
}

void FileLogSink::writeLocation(const char* file, std::uint32_t line) {
    ensureOpen();
    char text[512] = {};
    TruncatingMemoryOutBuffer buffer(text, sizeof text - 1);
    TextOutStream out(&buffer);
    location(out, file, line);
    emit(text, buffer.written());
    MGlobal::displayInfo(text);
}

} // namespace vx
