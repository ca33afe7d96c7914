#include "tests/MeshExporter/MenderTestMeshes.h"

#include <cstdlib>

namespace vx::test {

MenderVertex menderVertex(Vector3 position, Vector3 normal, float s, float t) {
    MenderVertex v;
    v.position = position;
    v.normal = normal;
    v.s = s;
    v.t = t;
    return v;
}

MenderMesh mirroredSeam() {
    const Vector3 up(0.0f, 0.0f, 1.0f);
    return {{menderVertex({-1.0f, 0.5f, 0.0f}, up, 1.0f, 0.5f),
             menderVertex({0.0f, 0.0f, 0.0f}, up, 0.0f, 0.0f),
             menderVertex({0.0f, 1.0f, 0.0f}, up, 0.0f, 1.0f),
             menderVertex({1.0f, 0.5f, 0.0f}, up, 1.0f, 0.5f)},
            {0, 1, 2, 1, 3, 2}};
}

MenderMesh planarGrid(std::uint32_t columns, std::uint32_t rows, int mirrorColumn) {
    MenderMesh mesh;
    for (std::uint32_t y = 0; y < rows; ++y) {
        for (std::uint32_t x = 0; x < columns; ++x) {
            const float s = mirrorColumn < 0 ? static_cast<float>(x)
                                             : static_cast<float>(std::abs(int(x) - mirrorColumn));
            mesh.vertices.push_back(
                menderVertex({static_cast<float>(x), static_cast<float>(y), 0.0f},
                             {0.0f, 0.0f, 1.0f}, s, static_cast<float>(y)));
        }
    }
    for (std::uint32_t y = 0; y + 1 < rows; ++y) {
        for (std::uint32_t x = 0; x + 1 < columns; ++x) {
            const std::uint32_t v = y * columns + x;
            mesh.indices.insert(mesh.indices.end(),
                                {v, v + 1, v + columns + 1, v, v + columns + 1, v + columns});
        }
    }
    return mesh;
}

} // namespace vx::test
