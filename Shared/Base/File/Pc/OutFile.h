#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace vx {

// A file opened for binary writing ("wb": created or truncated). Failed writes, flushes and
// closes are remembered, so a short write reaches whoever asks failed().
class OutFile {
public:
    OutFile() = default;
    ~OutFile();
    OutFile(const OutFile&) = delete;
    OutFile& operator=(const OutFile&) = delete;

    // Asserts "m_file != 0" with "can't open file: " and the path when the file cannot be
    // created; the assertion stops the operation.
    void open(const char* path);
    // Returns false when the final flush or close failed (data may be lost).
    bool close();

    bool isOpen() const { return m_file != nullptr; }
    bool failed() const { return m_failed; }

    // Current length of the file in bytes; the write position is kept.
    std::uint64_t size();
    // One block write; returns the bytes taken (less than count on failure, 0 when closed).
    std::size_t write(const void* data, std::size_t count);
    bool flush();

private:
    std::FILE* m_file = nullptr;
    bool m_failed = false;
};

} // namespace vx
