#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vx {

// A byte sink. write() returns how many bytes it took; fewer than asked is a loss that the
// stream above records (see OutStream::failed).
class OutBuffer {
public:
    virtual ~OutBuffer() = default;
    virtual std::size_t write(const void* data, std::size_t count) = 0;
    // Files: the file's current length. Memory buffers: the bytes written so far.
    virtual std::uint64_t size() = 0;
    virtual void flush() {}
    virtual std::string_view name() const { return "unknown"; }
    virtual bool isOpen() const { return true; }
    // True once a write, flush or close of the underlying storage failed.
    virtual bool failed() const { return false; }
};

} // namespace vx
