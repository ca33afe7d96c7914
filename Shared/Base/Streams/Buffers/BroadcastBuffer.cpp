#include "Shared/Base/Streams/Buffers/BroadcastBuffer.h"

#include "Shared/Base/Log.h"

#include <algorithm>

namespace vx {

void BroadcastBuffer::remove(OutBuffer* member) {
    m_buffers.erase(std::remove(m_buffers.begin(), m_buffers.end(), member), m_buffers.end());
}

std::size_t BroadcastBuffer::write(const void* data, std::size_t count) {
    std::size_t result = 0;
    for (OutBuffer* member : m_buffers)
        result = member->write(data, count);
    return result;
}

std::uint64_t BroadcastBuffer::size() {
    VX_ASSERT(!m_buffers.empty());
    return m_buffers.front()->size();
}

void BroadcastBuffer::flush() {
    for (OutBuffer* member : m_buffers)
        member->flush();
}

bool BroadcastBuffer::failed() const {
    return std::any_of(m_buffers.begin(), m_buffers.end(),
                       [](const OutBuffer* member) { return member->failed(); });
}

} // namespace vx
