#pragma once
#include <cstdint>
#include <vector>

namespace vx {

class InStream;
class OutStream;
class Scene;

// One output vertex: indices into the arrays of its vertex buffer, -1 meaning none.
class Vertex {
public:
    static constexpr std::int32_t kNone = -1;

    std::int32_t getPosition() const { return m_position; }
    std::int32_t getNormal() const { return m_normal; }
    std::int32_t getDiffuse() const { return m_diffuse; }
    std::int32_t getSpecular() const { return m_specular; }
    std::int32_t getBlendWeight() const { return m_blendWeight; }
    std::int32_t getNamedValues() const { return m_namedValues; }
    void setPosition(std::int32_t index) { m_position = index; }
    void setNormal(std::int32_t index) { m_normal = index; }
    void setDiffuse(std::int32_t index) { m_diffuse = index; }
    void setSpecular(std::int32_t index) { m_specular = index; }
    void setBlendWeight(std::int32_t index) { m_blendWeight = index; }
    void setNamedValues(std::int32_t index) { m_namedValues = index; }

    std::size_t getUvCount() const { return m_uvs.size(); }
    // UV index of a set; a set number outside the list asserts.
    std::int32_t getUv(int index) const;
    void setUv(int index, std::int32_t uv);
    void addUv(std::int32_t uv) { m_uvs.push_back(uv); }
    void setUvCount(std::size_t count) { m_uvs.resize(count, kNone); }

    // Same number of UV indices and every index equal.
    bool operator==(const Vertex&) const = default;

    // Position, normal, diffuse and specular indices; UV count and UV indices; named-values
    // index (absent before version 1); blend-weight index (absent before version 5).
    void write(OutStream& out) const;
    bool read(InStream& in, Scene& scene, std::uint32_t version);

    std::int32_t m_position = kNone;
    std::int32_t m_normal = kNone;
    std::int32_t m_diffuse = kNone;
    std::int32_t m_specular = kNone;
    std::int32_t m_blendWeight = kNone;
    std::int32_t m_namedValues = kNone;
    std::vector<std::int32_t> m_uvs;
};

} // namespace vx
