#pragma once
#include "Shared/Base/Streams/OutStream.h"

namespace vx {

// Formats values as text instead of bytes: texts as their characters, unsigned 32-bit
// integers with "%u" (or the format set with setFormat), other integers in decimal, floats
// with "%g", bools as "true"/"false".
class TextOutStream : public OutStream {
public:
    TextOutStream() = default;
    explicit TextOutStream(OutBuffer* buffer) : OutStream(buffer) {}

    // A printf format for one unsigned int, used instead of "%u" until reset with nullptr.
    void setFormat(const char* format) { m_format = format; }

    using OutStream::operator<<;
    OutStream& operator<<(double value) override;
    OutStream& operator<<(float value) override;
    OutStream& operator<<(std::int32_t value) override;
    OutStream& operator<<(std::uint32_t value) override;
    OutStream& operator<<(std::int64_t value) override;
    OutStream& operator<<(bool value) override;
    OutStream& operator<<(std::int16_t value) override;
    OutStream& operator<<(std::int8_t value) override;
    OutStream& operator<<(std::uint64_t value) override;
    OutStream& operator<<(std::uint16_t value) override;
    OutStream& operator<<(std::uint8_t value) override;

private:
    const char* m_format = nullptr;
};

} // namespace vx
