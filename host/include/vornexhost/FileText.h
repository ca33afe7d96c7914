#pragma once
// The bytes of a whole file, read-only, for the loaders that read scene text. A regular file
// is mapped into memory: no copy and no fresh memory to clear, which matters for scenes of
// tens of megabytes. Anything else (a pipe, a device) is read into a buffer. (A mapped file that
// another program cuts short while it is being read would fault: scene files are not rewritten
// while the host loads them.)
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vornexhost {

class FileText {
public:
    FileText() = default;
    ~FileText();
    FileText(const FileText&) = delete;
    FileText& operator=(const FileText&) = delete;

    // Replaces what was held by the file at `path`. False, holding nothing, when the file
    // cannot be opened or read, is a folder, or holds more than `maxBytes`.
    bool open(const std::string& path, std::uintmax_t maxBytes = UINTMAX_MAX);
    // Valid until the next open or the end of this object.
    std::string_view text() const { return {m_data, m_size}; }

private:
    void release();

    const char* m_data = "";
    std::size_t m_size = 0;
    bool m_mapped = false;
    std::string m_buffer;
};

} // namespace vornexhost
