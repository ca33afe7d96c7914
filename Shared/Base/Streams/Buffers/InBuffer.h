#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vx {

// A byte source. read() returns how many bytes it delivered; fewer than asked means the
// source ended.
class InBuffer {
public:
    virtual ~InBuffer() = default;
    virtual std::size_t read(void* data, std::size_t count) = 0;
    virtual std::uint64_t remaining() = 0;
    // Moves forward; false when the source ended first.
    virtual bool skip(std::uint64_t count) = 0;
    virtual std::string_view name() const { return "unknown"; }
    virtual bool isOpen() const { return true; }
};

} // namespace vx
