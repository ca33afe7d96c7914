#pragma once
#include "Shared/Base/Streams/Buffers/InBuffer.h"

#include <cstdint>
#include <string>

namespace vx {

// Reads plain values as their in-memory bytes. Reading past the end never blocks or loops:
// the missing bytes read as zero and the stream is marked failed, so a reader of untrusted
// bytes checks failed() (or remaining() before a count) instead of trusting the data.
class InStream {
public:
    InStream() = default;
    explicit InStream(InBuffer* buffer) : m_buffer(buffer) {}
    virtual ~InStream() = default;
    InStream(const InStream&) = delete;
    InStream& operator=(const InStream&) = delete;

    virtual void setBuffer(InBuffer* buffer) { m_buffer = buffer; }
    virtual InBuffer* buffer() const { return m_buffer; }
    virtual std::size_t read(void* data, std::size_t count);
    virtual std::uint64_t remaining();
    virtual bool skip(std::uint64_t count);

    // Reads up to and including a zero byte; the zero is not stored.
    virtual InStream& operator>>(std::string& text);
    // The same into a caller's array of `capacity` bytes; the zero is stored. Characters that
    // do not fit are consumed and dropped.
    InStream& readText(char* text, std::size_t capacity);
    // Zero-terminated text of which at most maxKeep characters are kept; the rest is consumed.
    InStream& readTerminated(std::string& text, std::size_t maxKeep);

    virtual InStream& operator>>(double& value);
    virtual InStream& operator>>(float& value);
    virtual InStream& operator>>(std::int32_t& value);
    virtual InStream& operator>>(std::uint32_t& value);
    virtual InStream& operator>>(bool& value); // any non-zero byte is true
    virtual InStream& operator>>(std::int64_t& value);
    virtual InStream& operator>>(std::int16_t& value);
    virtual InStream& operator>>(std::int8_t& value);
    virtual InStream& operator>>(std::uint64_t& value);
    virtual InStream& operator>>(std::uint16_t& value);
    virtual InStream& operator>>(std::uint8_t& value);

    bool failed() const { return m_failed; }

protected:
    template <typename T>
    InStream& readValue(T& value) {
        read(&value, sizeof value);
        return *this;
    }

    InBuffer* m_buffer = nullptr;
    bool m_failed = false;
};

} // namespace vx
