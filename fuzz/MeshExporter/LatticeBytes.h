#pragma once
// Fuzz bytes read as coordinates on a coarse lattice: one signed byte per coordinate, so that
// corners repeat and faces share planes (-128 stands for -0, so that both zeros occur), and,
// when nudging, one more byte for a nudge of up to twice the coincidence distance. A mode byte
// picks the lattice: the coordinate scale (bit 0-2), whether corners are nudged (bit 3) and
// whether the geometry lies far out (bit 5), where a float's rounding swallows small distances.
#include <cstddef>
#include <cstdint>

namespace vx::fuzz {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_at >= m_size; }
    std::uint8_t next() { return m_at < m_size ? m_data[m_at++] : 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

struct Lattice {
    float scale;
    bool nudge;
    float offset;
};

inline Lattice latticeOf(std::uint8_t mode) {
    return {static_cast<float>(1u << (mode & 7u)) / 64.0f, (mode & 8u) != 0,
            (mode & 32u) != 0 ? 384.0f : 0.0f};
}

inline float coordinate(Bytes& in, const Lattice& lattice) {
    const auto step = static_cast<std::int8_t>(in.next());
    float value = step == -128 ? -0.0f : static_cast<float>(step) * lattice.scale;
    const auto nudge = static_cast<std::int8_t>(lattice.nudge ? in.next() : 0);
    if (nudge != 0)
        value += static_cast<float>(nudge) * (2e-4f / 128.0f);
    return lattice.offset != 0.0f ? value + lattice.offset : value;
}

} // namespace vx::fuzz
