#include "Shared/Base/File/Pc/InFile.h"

#include "Shared/Base/Log.h"

#include <algorithm>

namespace vx {

InFile::~InFile() {
    close();
}

void InFile::open(const char* path) {
    close();
    m_file = std::fopen(path, "rb");
    VX_ASSERT(m_file != 0);
    std::fseek(m_file, 0, SEEK_END);
    const long end = std::ftell(m_file);
    std::fseek(m_file, 0, SEEK_SET);
    m_size = end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

void InFile::close() {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_size = 0;
}

bool InFile::exists(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

std::uint64_t InFile::position() const {
    if (!m_file)
        return 0;
    const long at = std::ftell(m_file);
    return at < 0 ? 0 : static_cast<std::uint64_t>(at);
}

std::size_t InFile::read(void* data, std::size_t count) {
    if (!m_file || count == 0)
        return 0;
    return std::fread(data, 1, count, m_file);
}

bool InFile::skip(std::uint64_t count) {
    if (!m_file)
        return count == 0;
    const std::uint64_t at = position();
    const std::uint64_t room = m_size > at ? m_size - at : 0;
    const std::uint64_t step = std::min(count, room);
    std::fseek(m_file, static_cast<long>(at + step), SEEK_SET);
    return step == count;
}

} // namespace vx
