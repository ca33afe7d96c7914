#pragma once
#include "Shared/Base/Streams/Buffers/OutBuffer.h"

#include <string_view>

namespace vx {

// A fixed block of memory written from its start; it never grows. A write that does not fit
// asserts and is refused whole, so nothing is ever written past the end.
class MemoryOutBuffer : public OutBuffer {
public:
    // Over caller memory of `size` bytes (not owned).
    MemoryOutBuffer(void* start, std::size_t size);
    // Over its own allocation of `size` bytes (freed by the destructor).
    explicit MemoryOutBuffer(std::size_t size);
    ~MemoryOutBuffer() override;
    MemoryOutBuffer(const MemoryOutBuffer&) = delete;
    MemoryOutBuffer& operator=(const MemoryOutBuffer&) = delete;

    std::size_t write(const void* data, std::size_t count) override;
    std::uint64_t size() override { return written(); }

    std::size_t written() const { return static_cast<std::size_t>(m_position - m_start); }
    std::size_t capacity() const { return static_cast<std::size_t>(m_end - m_start); }
    const char* data() const { return m_start; }
    std::string_view view() const { return {m_start, written()}; }
    void reset() { m_position = m_start; }

protected:
    char* m_start;
    char* m_end;
    char* m_position;
    bool m_ownsMemory;
};

// Takes what still fits and silently drops the rest.
class TruncatingMemoryOutBuffer : public MemoryOutBuffer {
public:
    using MemoryOutBuffer::MemoryOutBuffer;
    std::size_t write(const void* data, std::size_t count) override;
};

} // namespace vx
