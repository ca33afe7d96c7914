#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace vx {

// A file opened for binary writing, in one of two ways:
// - Streamed (logs): created or truncated, its bytes there as they are flushed.
// - Rewritten (whole files): created, or rewritten in place when it exists and cut to the
//   length written when closed. Rewriting keeps the file's blocks and cached pages, which
//   truncating on open would free only for the writes to allocate them again: milliseconds for
//   a file of megabytes, paid by every export over an earlier one. The file is the same one
//   either way (hard links and readers holding it see the new bytes, as after a truncation).
//   Until close() has written it whole, it begins with zeros instead of its first bytes, so a
//   writer stopped midway never leaves a new head on an old body that looks complete. Devices
//   and pipes are written in order, as they come.
// Failed writes, flushes and closes are remembered, so a short write reaches whoever asks
// failed().
class OutFile {
public:
    OutFile() = default;
    ~OutFile();
    OutFile(const OutFile&) = delete;
    OutFile& operator=(const OutFile&) = delete;

    enum class Mode { Streamed, Rewritten };

    // Asserts "m_file != 0" with "can't open file: " and the path when the file cannot be
    // created; the assertion stops the operation.
    void open(const char* path, Mode mode = Mode::Streamed);
    // Closes the file (a rewritten one once its head is written and its end cut); false when
    // any write, flush or close failed (data may be lost).
    bool close();

    bool isOpen() const { return m_file != nullptr; }
    bool failed() const { return m_failed; }

    // The bytes written since open.
    std::uint64_t size() const { return m_written; }
    // One block write; returns the bytes taken (less than count on failure, 0 when closed).
    std::size_t write(const void* data, std::size_t count);
    bool flush();

private:
    // How much of the start is held back: whole pages, and more than any format's header.
    static constexpr std::size_t kHeadBytes = 4096;

    std::FILE* m_file = nullptr;
    bool m_failed = false;
    bool m_inPlace = false; // rewriting a regular file: head held back, end cut at close
    std::uint64_t m_written = 0;
    std::uint64_t m_oldSize = 0; // of the file rewritten
    std::array<unsigned char, kHeadBytes> m_head{};
};

} // namespace vx
