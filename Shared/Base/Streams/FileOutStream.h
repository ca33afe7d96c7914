#pragma once
#include "Shared/Base/Streams/Buffers/FileOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"

namespace vx {

// A whole binary file with its own buffer: rewritten in place when it exists, complete once
// closed (see OutFile).
class FileOutStream : public OutStream {
public:
    FileOutStream() : OutStream(&m_file) {}
    explicit FileOutStream(const char* path) : OutStream(&m_file) { open(path); }

    // Creates or rewrites the file; asserts when it cannot (see OutFile::open).
    virtual void open(const char* path) { m_file.open(path, OutFile::Mode::Rewritten); }
    // Flushes and closes; false when any byte written since open was lost.
    bool close();

private:
    FileOutBuffer m_file;
};

} // namespace vx
