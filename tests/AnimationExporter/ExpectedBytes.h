#pragma once
// Little-endian file bytes built by hand, independent of the streams under test.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vx::test {

class ExpectedBytes {
public:
    ExpectedBytes& u8(std::uint8_t v) {
        m_data.push_back(static_cast<char>(v));
        return *this;
    }
    ExpectedBytes& u16(std::uint16_t v) {
        return u8(static_cast<std::uint8_t>(v & 0xFF)).u8(static_cast<std::uint8_t>(v >> 8));
    }
    ExpectedBytes& u32(std::uint32_t v) {
        return u16(static_cast<std::uint16_t>(v & 0xFFFF)).u16(static_cast<std::uint16_t>(v >> 16));
    }
    ExpectedBytes& f32(float v) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return u32(bits);
    }
    ExpectedBytes& text(std::string_view t) {
        m_data.append(t);
        return u8(0);
    }
    const std::string& str() const { return m_data; }

private:
    std::string m_data;
};

} // namespace vx::test
