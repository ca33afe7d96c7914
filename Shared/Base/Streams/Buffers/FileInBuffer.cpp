#include "Shared/Base/Streams/Buffers/FileInBuffer.h"

namespace vx {

void FileInBuffer::open(const char* path) {
    m_name = path;
    m_file.open(path);
}

std::uint64_t FileInBuffer::remaining() {
    const std::uint64_t at = m_file.position();
    return m_file.size() > at ? m_file.size() - at : 0;
}

} // namespace vx
