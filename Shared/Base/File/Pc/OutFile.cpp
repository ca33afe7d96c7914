#include "Shared/Base/File/Pc/OutFile.h"

#include "Shared/Base/Log.h"

namespace vx {

OutFile::~OutFile() {
    close();
}

void OutFile::open(const char* path) {
    close();
    m_failed = false;
    m_file = std::fopen(path, "wb");
    VX_ASSERT_MSG(m_file != 0, "can't open file: " << path);
}

bool OutFile::close() {
    if (!m_file)
        return !m_failed;
    if (std::fclose(m_file) != 0)
        m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

std::uint64_t OutFile::size() {
    if (!m_file)
        return 0;
    const long position = std::ftell(m_file);
    std::fseek(m_file, 0, SEEK_END);
    const long end = std::ftell(m_file);
    std::fseek(m_file, position, SEEK_SET);
    return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

std::size_t OutFile::write(const void* data, std::size_t count) {
    if (!m_file) {
        m_failed = m_failed || count != 0;
        return 0;
    }
    const std::size_t written = std::fwrite(data, 1, count, m_file);
    if (written != count)
        m_failed = true;
    return written;
}

bool OutFile::flush() {
    if (m_file && std::fflush(m_file) != 0)
        m_failed = true;
    return !m_failed;
}

} // namespace vx
