#include "bench/support/StaticMeshFileBytes.h"

#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"

namespace vx::meshfile {

std::string staticMeshFileBytes(std::uint32_t vertices) {
    StringOutBuffer buffer;
    OutStream out(&buffer);
    out << 0u << 11u << 0u << 0u << 0u << std::uint8_t{0} << 1u << 1u;
    const std::uint8_t elements[5][3] = {{2, 0, 0}, {2, 3, 0}, {4, 2, 0}, {1, 5, 0}, {2, 6, 0}};
    const std::uint16_t sizes[5] = {12, 12, 4, 8, 12};
    out << 6u;
    std::uint16_t offset = 0;
    for (int k = 0; k < 5; ++k) {
        out << std::uint16_t{0} << offset << elements[k][0] << std::uint8_t{0} << elements[k][1]
            << elements[k][2];
        offset = static_cast<std::uint16_t>(offset + sizes[k]);
    }
    out << std::uint16_t{0xFF} << std::uint16_t{0} << std::uint8_t{17} << std::uint8_t{0}
        << std::uint8_t{0} << std::uint8_t{0};
    out << 4u << 48u << vertices;
    const std::string vertex(48, '\x3f');
    for (std::uint32_t v = 0; v < vertices; ++v)
        out << vertex;
    out << 3 * vertices;
    for (std::uint32_t i = 0; i < 3 * vertices; ++i)
        out << static_cast<std::uint16_t>(i % 65535);
    out << 8u;
    for (int f = 0; f < 6; ++f)
        out << 0.0f;
    out << 0u << 16u;
    for (std::uint32_t m = 0; m < 16; ++m) {
        out << 13u << "StaticMesh.fx" << 4u << "Base" << 1u << 5u << "a.dds";
        out << 0 << m * 3 * vertices / 16 << 3 * vertices / 16 << vertices / 16 << 0u << 0u;
        for (int f = 0; f < 6; ++f)
            out << 0.0f;
    }
    return buffer.text();
}

} // namespace vx::meshfile
