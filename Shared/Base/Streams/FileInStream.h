#pragma once
#include "Shared/Base/Streams/Buffers/FileInBuffer.h"
#include "Shared/Base/Streams/InStream.h"

namespace vx {

// A binary input file with its own buffer.
class FileInStream : public InStream {
public:
    FileInStream() : InStream(&m_file) {}
    explicit FileInStream(const char* path) : InStream(&m_file) { open(path); }

    // Asserts when the file cannot be opened (see InFile::open).
    virtual void open(const char* path) { m_file.open(path); }
    void close() { m_file.close(); }

private:
    FileInBuffer m_file;
};

} // namespace vx
