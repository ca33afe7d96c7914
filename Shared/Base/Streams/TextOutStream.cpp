#include "Shared/Base/Streams/TextOutStream.h"

#include <cinttypes>
#include <cstdio>

namespace vx {
namespace {

// Writes what snprintf produced into `text`, cut to the array when it did not fit.
template <std::size_t N>
OutStream& emit(OutStream& stream, const char (&text)[N], int length) {
    if (length > 0) {
        const auto size = static_cast<std::size_t>(length);
        stream.write(text, size < N ? size : N - 1);
    }
    return stream;
}

} // namespace

OutStream& TextOutStream::operator<<(std::uint32_t value) {
    char text[64];
    int length = 0;
    if (m_format) {
        // The caller chose the format at run time; it takes exactly one unsigned int.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        length = std::snprintf(text, sizeof text, m_format, value);
#pragma GCC diagnostic pop
    } else {
        length = std::snprintf(text, sizeof text, "%u", value);
    }
    return emit(*this, text, length);
}

OutStream& TextOutStream::operator<<(double value) {
    char text[64];
    return emit(*this, text, std::snprintf(text, sizeof text, "%g", value));
}

OutStream& TextOutStream::operator<<(float value) {
    return *this << static_cast<double>(value);
}

OutStream& TextOutStream::operator<<(std::int64_t value) {
    char text[32];
    return emit(*this, text, std::snprintf(text, sizeof text, "%" PRId64, value));
}

OutStream& TextOutStream::operator<<(std::uint64_t value) {
    char text[32];
    return emit(*this, text, std::snprintf(text, sizeof text, "%" PRIu64, value));
}

OutStream& TextOutStream::operator<<(std::int32_t value) {
    return *this << static_cast<std::int64_t>(value);
}
OutStream& TextOutStream::operator<<(std::int16_t value) {
    return *this << static_cast<std::int64_t>(value);
}
OutStream& TextOutStream::operator<<(std::int8_t value) {
    return *this << static_cast<std::int64_t>(value);
}
OutStream& TextOutStream::operator<<(std::uint16_t value) {
    return *this << static_cast<std::uint64_t>(value);
}
OutStream& TextOutStream::operator<<(std::uint8_t value) {
    return *this << static_cast<std::uint64_t>(value);
}
OutStream& TextOutStream::operator<<(bool value) {
    return *this << (value ? "true" : "false");
}

} // namespace vx
