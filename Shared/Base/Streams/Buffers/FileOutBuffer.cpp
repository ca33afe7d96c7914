#include "Shared/Base/Streams/Buffers/FileOutBuffer.h"

namespace vx {

void FileOutBuffer::open(const char* path, OutFile::Mode mode) {
    m_name = path;
    m_file.open(path, mode);
}

bool FileOutBuffer::close() {
    return m_file.close();
}

std::size_t FileOutBuffer::write(const void* data, std::size_t count) {
    return m_file.write(data, count);
}

std::uint64_t FileOutBuffer::size() {
    return m_file.size();
}

void FileOutBuffer::flush() {
    m_file.flush();
}

} // namespace vx
