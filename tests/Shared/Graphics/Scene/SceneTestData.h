#pragma once
// Fixtures for the scene model tests: a byte builder for expected files (independent of the
// streams under test), a reference scene using every node kind, channel value kind and named
// value kind, and a structural comparison of two graphs.
#include "Shared/Graphics/Scene/Scene.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vx::test {

// Little-endian bytes built by hand.
class Bytes {
public:
    Bytes& u8(std::uint8_t v);
    Bytes& u16(std::uint16_t v) {
        return u8(static_cast<std::uint8_t>(v & 0xFF)).u8(static_cast<std::uint8_t>(v >> 8));
    }
    Bytes& u32(std::uint32_t v);
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& f32(float v);
    Bytes& term(std::string_view text);    // characters and a zero byte
    Bytes& counted(std::string_view text); // 32-bit length and characters
    Bytes& raw(const std::string& bytes);
    const std::string& str() const { return m_data; }
    std::size_t size() const { return m_data.size(); }

private:
    std::string m_data;
};

// Hex dump "ff ff ff ff 05 ..." for readable failures.
std::string hex(const std::string& bytes);

// Root "scene.ma" with transforms, a LOD group, joints with keys, a locator, a curve with a
// material, mesh nodes sharing one geometry (and one mesh node reached through two parents),
// every channel value kind and every named value kind.
void buildReferenceScene(Scene& scene);

// The file bytes of a scene (Scene::write through a growing buffer).
std::string writeToBytes(Scene& scene);
// Scene::read over the bytes.
bool readFromBytes(Scene& scene, const std::string& bytes);

// Empty when the two graphs are equal in everything the file carries, with the same sharing
// of nodes and shared objects; otherwise the first difference.
std::string compareScenes(const Scene& a, const Scene& b);

} // namespace vx::test
