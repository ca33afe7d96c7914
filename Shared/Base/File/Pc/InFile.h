#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace vx {

// A file opened for binary reading ("rb"); its total size is taken when it is opened.
class InFile {
public:
    InFile() = default;
    ~InFile();
    InFile(const InFile&) = delete;
    InFile& operator=(const InFile&) = delete;

    // Asserts "m_file != 0" when the file cannot be opened; the assertion stops the operation.
    void open(const char* path);
    void close();
    // True when the path can be opened for binary reading.
    static bool exists(const char* path);

    bool isOpen() const { return m_file != nullptr; }
    std::uint64_t size() const { return m_size; }
    std::uint64_t position() const;
    // One block read; returns the bytes read (less than count at the end of the file).
    std::size_t read(void* data, std::size_t count);
    // Moves forward; never past the end. Returns false when the end cut the move short.
    bool skip(std::uint64_t count);

private:
    std::FILE* m_file = nullptr;
    std::uint64_t m_size = 0;
};

} // namespace vx
