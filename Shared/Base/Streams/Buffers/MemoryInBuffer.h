#pragma once
#include "Shared/Base/Streams/Buffers/InBuffer.h"

namespace vx {

// Reads from a block of memory (not owned); used for data already in memory and by fuzzing.
class MemoryInBuffer : public InBuffer {
public:
    MemoryInBuffer(const void* data, std::size_t size)
        : m_position(static_cast<const unsigned char*>(data)), m_end(m_position + size) {}

    std::size_t read(void* data, std::size_t count) override;
    std::uint64_t remaining() override { return static_cast<std::uint64_t>(m_end - m_position); }
    bool skip(std::uint64_t count) override;

private:
    const unsigned char* m_position;
    const unsigned char* m_end;
};

} // namespace vx
