#pragma once
#include "Shared/Base/File/Pc/InFile.h"
#include "Shared/Base/Streams/Buffers/InBuffer.h"

#include <string>

namespace vx {

class FileInBuffer : public InBuffer {
public:
    void open(const char* path);
    void close() { m_file.close(); }

    std::size_t read(void* data, std::size_t count) override { return m_file.read(data, count); }
    std::uint64_t remaining() override;
    bool skip(std::uint64_t count) override { return m_file.skip(count); }
    std::string_view name() const override { return m_name; }
    bool isOpen() const override { return m_file.isOpen(); }

private:
    InFile m_file;
    std::string m_name;
};

} // namespace vx
