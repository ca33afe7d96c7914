#include "Shared/Base/Streams/OutStream.h"

#include <cstring>

namespace vx {

std::size_t OutStream::write(const void* data, std::size_t count) {
    const std::size_t taken = m_buffer ? m_buffer->write(data, count) : 0;
    if (taken != count)
        m_failed = true;
    return taken;
}

std::uint64_t OutStream::size() {
    return m_buffer ? m_buffer->size() : 0;
}

void OutStream::flush() {
    if (m_buffer)
        m_buffer->flush();
}

OutStream& OutStream::operator<<(const std::string& text) {
    return *this << text.c_str();
}

void OutStream::writeTerminator() {
    const char zero = 0;
    write(&zero, 1);
}

OutStream& OutStream::operator<<(const char* text) {
    if (text)
        write(text, std::strlen(text));
    return *this;
}

OutStream& OutStream::operator<<(std::string_view text) {
    write(text.data(), text.size());
    return *this;
}

OutStream& OutStream::operator<<(double value) {
    return writeValue(value);
}
OutStream& OutStream::operator<<(float value) {
    return writeValue(value);
}
OutStream& OutStream::operator<<(std::int32_t value) {
    return writeValue(value);
}
OutStream& OutStream::operator<<(std::uint32_t value) {
    return writeValue(value);
}
OutStream& OutStream::operator<<(std::int64_t value) {
    return writeValue(value);
}
OutStream& OutStream::operator<<(bool value) {
    const std::uint8_t byte = value ? 1 : 0;
    return writeValue(byte);
}
OutStream& OutStream::operator<<(std::int16_t value) {
    return writeValue(value);
}
OutStream& OutStream::operator<<(std::int8_t value) {
    return writeValue(value);
}
OutStream& OutStream::operator<<(std::uint64_t value) {
    return writeValue(value);
}
OutStream& OutStream::operator<<(std::uint16_t value) {
    return writeValue(value);
}
OutStream& OutStream::operator<<(std::uint8_t value) {
    return writeValue(value);
}

} // namespace vx
