#pragma once
// Little-endian file bytes built by hand, independent of the streams under test.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vx::test {

class Bytes {
public:
    Bytes& u8(std::uint8_t v) {
        m_data.push_back(static_cast<char>(v));
        return *this;
    }
    Bytes& u16(std::uint16_t v) {
        return u8(static_cast<std::uint8_t>(v & 0xFF)).u8(static_cast<std::uint8_t>(v >> 8));
    }
    Bytes& u32(std::uint32_t v) {
        return u16(static_cast<std::uint16_t>(v & 0xFFFF)).u16(static_cast<std::uint16_t>(v >> 16));
    }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& f32(float v) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return u32(bits);
    }
    // Characters and a zero byte.
    Bytes& term(std::string_view text) {
        m_data.append(text);
        return u8(0);
    }
    // A 32-bit length, then the characters.
    Bytes& counted(std::string_view text) {
        u32(static_cast<std::uint32_t>(text.size()));
        m_data.append(text);
        return *this;
    }
    Bytes& raw(const std::string& bytes) {
        m_data += bytes;
        return *this;
    }
    const std::string& str() const { return m_data; }
    std::size_t size() const { return m_data.size(); }

private:
    std::string m_data;
};

} // namespace vx::test
