#include <vornexhost/FileText.h>

#include "Shared/Base/File/FileReads.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornexhost {

namespace {

// Closes the descriptor on every way out of open().
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

FileText::~FileText() {
    release();
}

void FileText::release() {
    if (m_mapped)
        ::munmap(const_cast<char*>(m_data), m_size);
    m_mapped = false;
    m_data = "";
    m_size = 0;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
}

bool FileText::open(const std::string& path, std::uintmax_t maxBytes) {
    release();
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    vx::recordFileRead(path.c_str());
    if (S_ISREG(info.st_mode)) {
        const auto size = static_cast<std::uintmax_t>(info.st_size);
        if (size > maxBytes || size > SIZE_MAX)
            return false;
        if (size == 0)
            return true;
        // Populated now: the loader reads every byte, in order.
        void* at = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ,
                          MAP_PRIVATE | MAP_POPULATE, file.fd, 0);
        if (at != MAP_FAILED) {
            m_data = static_cast<const char*>(at);
            m_size = static_cast<std::size_t>(size);
            m_mapped = true;
            return true;
        }
    }
    // Not mappable: read to the end in blocks.
    char block[1 << 16];
    while (true) {
        const ssize_t n = ::read(file.fd, block, sizeof block);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            release();
            return false;
        }
        if (m_buffer.size() + static_cast<std::size_t>(n) > maxBytes) {
            release();
            return false;
        }
        m_buffer.append(block, static_cast<std::size_t>(n));
    }
    m_data = m_buffer.data();
    m_size = m_buffer.size();
    return true;
}

} // namespace vornexhost
