#include "Shared/Base/Streams/InStream.h"

#include <cstring>

namespace vx {

std::size_t InStream::read(void* data, std::size_t count) {
    const std::size_t got = m_buffer ? m_buffer->read(data, count) : 0;
    if (got != count) {
        std::memset(static_cast<char*>(data) + got, 0, count - got);
        m_failed = true;
    }
    return got;
}

std::uint64_t InStream::remaining() {
    return m_buffer ? m_buffer->remaining() : 0;
}

bool InStream::skip(std::uint64_t count) {
    const bool whole = m_buffer && m_buffer->skip(count);
    if (!whole)
        m_failed = true;
    return whole;
}

InStream& InStream::operator>>(std::string& text) {
    return readTerminated(text, std::string::npos);
}

InStream& InStream::readTerminated(std::string& text, std::size_t maxKeep) {
    text.clear();
    char c = 0;
    // Ends at the terminator or at the end of the input (which marks the stream failed).
    while (read(&c, 1) == 1 && c != 0) {
        if (text.size() < maxKeep)
            text.push_back(c);
    }
    return *this;
}

InStream& InStream::readText(char* text, std::size_t capacity) {
    std::size_t kept = 0;
    char c = 0;
    while (read(&c, 1) == 1 && c != 0) {
        if (kept + 1 < capacity)
            text[kept++] = c;
    }
    if (capacity != 0)
        text[kept] = 0;
    return *this;
}

InStream& InStream::operator>>(double& value) {
    return readValue(value);
}
InStream& InStream::operator>>(float& value) {
    return readValue(value);
}
InStream& InStream::operator>>(std::int32_t& value) {
    return readValue(value);
}
InStream& InStream::operator>>(std::uint32_t& value) {
    return readValue(value);
}
InStream& InStream::operator>>(bool& value) {
    std::uint8_t byte = 0;
    readValue(byte);
    value = byte != 0;
    return *this;
}
InStream& InStream::operator>>(std::int64_t& value) {
    return readValue(value);
}
InStream& InStream::operator>>(std::int16_t& value) {
    return readValue(value);
}
InStream& InStream::operator>>(std::int8_t& value) {
    return readValue(value);
}
InStream& InStream::operator>>(std::uint64_t& value) {
    return readValue(value);
}
InStream& InStream::operator>>(std::uint16_t& value) {
    return readValue(value);
}
InStream& InStream::operator>>(std::uint8_t& value) {
    return readValue(value);
}

} // namespace vx
