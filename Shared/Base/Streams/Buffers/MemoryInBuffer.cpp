#include "Shared/Base/Streams/Buffers/MemoryInBuffer.h"

#include <algorithm>
#include <cstring>

namespace vx {

std::size_t MemoryInBuffer::read(void* data, std::size_t count) {
    const std::size_t taken = std::min(count, static_cast<std::size_t>(m_end - m_position));
    if (taken != 0)
        std::memcpy(data, m_position, taken);
    m_position += taken;
    return taken;
}

bool MemoryInBuffer::skip(std::uint64_t count) {
    const auto room = static_cast<std::uint64_t>(m_end - m_position);
    const std::uint64_t step = std::min(count, room);
    m_position += step;
    return step == count;
}

} // namespace vx
