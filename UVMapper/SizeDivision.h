#pragma once
// Division of lightmap coordinates by the lightmap's size, as every placement attempt makes it
// for every corner.
#include <bit>
#include <cstdint>

namespace vx {

// A power of two divides as its exact reciprocal multiplies (both round the same exact
// quotient), at a fraction of the cost; other sizes divide.
class SizeDivision {
public:
    explicit SizeDivision(std::uint32_t size)
        : m_size(static_cast<float>(size)),
          m_inverse(std::has_single_bit(size) ? 1.0f / static_cast<float>(size) : 0.0f) {}
    float operator()(float value) const {
        return m_inverse != 0.0f ? value * m_inverse : value / m_size;
    }

private:
    float m_size;
    float m_inverse;
};

} // namespace vx
