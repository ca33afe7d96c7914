#include "MeshExporter/AlphaSortCopies.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vx {

std::vector<std::uint16_t> buildSortCopies(std::span<const ExportVertex> vertices,
                                           const std::vector<std::uint16_t>& indices,
                                           std::uint32_t copies) {
    const std::size_t triangleCount = indices.size() / 3;
    std::vector<float> cx(triangleCount);
    std::vector<float> cz(triangleCount);
    for (std::size_t t = 0; t < triangleCount; ++t) {
        const Vector3 sum = vertices[indices[t * 3]].position +
                            vertices[indices[t * 3 + 1]].position +
                            vertices[indices[t * 3 + 2]].position;
        cx[t] = sum.x * 0.33333334f;
        cz[t] = sum.z * 0.33333334f;
    }
    std::vector<std::uint16_t> out;
    out.reserve(indices.size() * copies);
    std::vector<float> key(triangleCount);
    std::vector<std::uint32_t> order(triangleCount);
    for (std::uint32_t k = 0; k < copies; ++k) {
        const float degrees = (static_cast<float>(k) + 0.5f) * 360.0f / static_cast<float>(copies);
        const float radians = degrees * 0.01745329238474369f;
        const float eyeX = 100.0f * std::sin(radians);
        const float eyeZ = 100.0f * std::cos(radians);
        for (std::size_t t = 0; t < triangleCount; ++t) {
            const float dz = eyeZ - cz[t];
            const float dx = eyeX - cx[t];
            key[t] = std::sqrt(dz * dz + dx * dx);
            // A triangle off every finite place sorts last, keeping the order a strict one.
            if (std::isnan(key[t]))
                key[t] = -INFINITY;
        }
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return key[a] != key[b] ? key[a] > key[b] : a > b;
        });
        for (std::uint32_t t : order)
            out.insert(out.end(), indices.begin() + t * 3, indices.begin() + t * 3 + 3);
    }
    return out;
}

} // namespace vx
