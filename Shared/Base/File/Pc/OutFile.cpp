#include "Shared/Base/File/Pc/OutFile.h"

#include "Shared/Base/Log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vx {

namespace {

// pwrite until every byte is down; false on an error other than an interruption.
bool writeAllAt(int fd, const unsigned char* data, std::size_t count, off_t offset) {
    while (count > 0) {
        const ssize_t done = ::pwrite(fd, data, count, offset);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        const auto taken = static_cast<std::size_t>(done);
        data += taken;
        count -= taken;
        offset += static_cast<off_t>(taken);
    }
    return true;
}

} // namespace

OutFile::~OutFile() {
    close();
}

void OutFile::open(const char* path, Mode mode) {
    close();
    m_failed = false;
    m_written = 0;
    m_inPlace = false;
    const int truncate = mode == Mode::Streamed ? O_TRUNC : 0;
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC | truncate, 0666);
    struct stat info {};
    if (mode == Mode::Rewritten && fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        m_inPlace = true;
        m_oldSize = static_cast<std::uint64_t>(info.st_size);
        // The old head is zeroed before any new byte lands, so it never stands before them.
        const auto old = static_cast<std::size_t>(
            std::min<std::uint64_t>(static_cast<std::uint64_t>(info.st_size), kHeadBytes));
        m_head.fill(0);
        if ((old > 0 && !writeAllAt(fd, m_head.data(), old, 0)) ||
            ::lseek(fd, static_cast<off_t>(kHeadBytes), SEEK_SET) < 0)
            m_failed = true;
    }
    m_file = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (fd >= 0 && !m_file)
        ::close(fd);
    VX_ASSERT_MSG(m_file != 0, "can't open file: " << path);
}

bool OutFile::close() {
    if (!m_file)
        return !m_failed;
    if (std::fflush(m_file) != 0)
        m_failed = true;
    if (m_inPlace && !m_failed) {
        const int fd = ::fileno(m_file);
        const auto head = static_cast<std::size_t>(std::min<std::uint64_t>(m_written, kHeadBytes));
        // An older, longer file is cut to the new length first; the head goes last.
        if ((m_oldSize > m_written && ::ftruncate(fd, static_cast<off_t>(m_written)) != 0) ||
            !writeAllAt(fd, m_head.data(), head, 0))
            m_failed = true;
    }
    if (std::fclose(m_file) != 0)
        m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

std::size_t OutFile::write(const void* data, std::size_t count) {
    if (!m_file) {
        m_failed = m_failed || count != 0;
        return 0;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t taken = 0;
    if (m_inPlace && m_written < kHeadBytes) {
        taken = std::min(count, kHeadBytes - static_cast<std::size_t>(m_written));
        std::memcpy(m_head.data() + m_written, bytes, taken);
    }
    const std::size_t written = taken + std::fwrite(bytes + taken, 1, count - taken, m_file);
    if (written != count)
        m_failed = true;
    m_written += written;
    return written;
}

bool OutFile::flush() {
    if (m_file && std::fflush(m_file) != 0)
        m_failed = true;
    return !m_failed;
}

} // namespace vx
