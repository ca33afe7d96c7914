#pragma once
#include "Shared/Base/Streams/Buffers/FileOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"

namespace vx {

// A binary output file with its own buffer.
class FileOutStream : public OutStream {
public:
    FileOutStream() : OutStream(&m_file) {}
    explicit FileOutStream(const char* path) : OutStream(&m_file) { open(path); }

    // Creates or truncates the file; asserts when it cannot (see OutFile::open).
    virtual void open(const char* path) { m_file.open(path); }
    // Flushes and closes; false when any byte written since open was lost.
    bool close();

private:
    FileOutBuffer m_file;
};

} // namespace vx
