#pragma once
#include "Shared/Base/File/Pc/OutFile.h"
#include "Shared/Base/Streams/Buffers/OutBuffer.h"

#include <string>

namespace vx {

class FileOutBuffer : public OutBuffer {
public:
    FileOutBuffer() = default;
    // Opens the file as OutFile does and remembers the path as the buffer's name.
    void open(const char* path, OutFile::Mode mode = OutFile::Mode::Streamed);
    bool close();

    std::size_t write(const void* data, std::size_t count) override;
    std::uint64_t size() override;
    void flush() override;
    std::string_view name() const override { return m_name; }
    bool isOpen() const override { return m_file.isOpen(); }
    bool failed() const override { return m_file.failed(); }

private:
    OutFile m_file;
    std::string m_name;
};

} // namespace vx
