#pragma once
#include "Shared/Base/Streams/Buffers/OutBuffer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

// Writes plain values as their in-memory bytes (little-endian, IEEE 754, no padding, no tags).
// A buffer that takes fewer bytes than asked marks the stream failed; writers check failed()
// (or FileOutStream::close) before they report success.
class OutStream {
public:
    OutStream() = default;
    explicit OutStream(OutBuffer* buffer) : m_buffer(buffer) {}
    virtual ~OutStream() = default;
    OutStream(const OutStream&) = delete;
    OutStream& operator=(const OutStream&) = delete;

    virtual void setBuffer(OutBuffer* buffer) { m_buffer = buffer; }
    virtual OutBuffer* buffer() const { return m_buffer; }
    virtual std::size_t write(const void* data, std::size_t count);
    virtual std::uint64_t size();
    virtual void flush();

    // Characters only: no terminator, no length. Follow with writeTerminator() for the
    // zero-terminated form readers expect.
    virtual OutStream& operator<<(const std::string& text);
    virtual void writeTerminator();
    virtual OutStream& operator<<(const char* text);
    OutStream& operator<<(std::string_view text);

    virtual OutStream& operator<<(double value);
    virtual OutStream& operator<<(float value);
    virtual OutStream& operator<<(std::int32_t value);
    virtual OutStream& operator<<(std::uint32_t value);
    virtual OutStream& operator<<(std::int64_t value);
    virtual OutStream& operator<<(bool value); // one byte: 1 or 0
    virtual OutStream& operator<<(std::int16_t value);
    virtual OutStream& operator<<(std::int8_t value);
    virtual OutStream& operator<<(std::uint64_t value);
    virtual OutStream& operator<<(std::uint16_t value);
    virtual OutStream& operator<<(std::uint8_t value);

    // True once any write was short or the buffer reports a failure.
    bool failed() const { return m_failed || (m_buffer && m_buffer->failed()); }

protected:
    template <typename T>
    OutStream& writeValue(const T& value) {
        write(&value, sizeof value);
        return *this;
    }

    OutBuffer* m_buffer = nullptr;
    bool m_failed = false;
};

} // namespace vx
