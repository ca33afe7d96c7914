#include "Shared/Base/Streams/Buffers/MemoryOutBuffer.h"

#include "Shared/Base/Log.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace vx {

MemoryOutBuffer::MemoryOutBuffer(void* start, std::size_t size)
    : m_start(static_cast<char*>(start)), m_end(m_start + size), m_position(m_start),
      m_ownsMemory(false) {}

MemoryOutBuffer::MemoryOutBuffer(std::size_t size)
    : m_start(new char[size]), m_end(m_start + size), m_position(m_start), m_ownsMemory(true) {}

MemoryOutBuffer::~MemoryOutBuffer() {
    if (m_ownsMemory)
        delete[] m_start;
}

std::size_t MemoryOutBuffer::write(const void* data, std::size_t count) {
    const auto room = static_cast<std::size_t>(m_end - m_position);
    if (count > room) {
        char detail[256];
        std::snprintf(detail, sizeof detail,
                      "m_position = 0x%" PRIxPTR " count = %zu m_end = 0x%" PRIxPTR
                      " m_start = 0x%" PRIxPTR " buffersize = %zu",
                      reinterpret_cast<std::uintptr_t>(m_position), count,
                      reinterpret_cast<std::uintptr_t>(m_end),
                      reinterpret_cast<std::uintptr_t>(m_start), capacity());
        // The invariant is reported as written; evaluating it would form a pointer past the end.
        VX_ASSERT_FAIL("m_position + count <= m_end", detail);
    }
    if (count != 0)
        std::memcpy(m_position, data, count);
    m_position += count;
    return count;
}

std::size_t TruncatingMemoryOutBuffer::write(const void* data, std::size_t count) {
    VX_ASSERT(m_position <= m_end);
    const std::size_t taken = std::min(count, static_cast<std::size_t>(m_end - m_position));
    if (taken != 0)
        std::memcpy(m_position, data, taken);
    m_position += taken;
    return taken;
}

} // namespace vx
