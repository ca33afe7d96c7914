#include "tools/convert/AxisMapping.h"

#include <cmath>
#include <utility>

namespace vx::convert {

Vector3 mirrorPoint(const Vector3& p) {
    return {p.x, p.y, -p.z};
}

Matrix mirrorMatrix(const Matrix& m) {
    Matrix out = m;
    // Row 2 and column 2 change sign; their shared element changes twice.
    for (unsigned r = 0; r < 3; ++r)
        out.rows[r].z = -out.rows[r].z;
    out.rows[2] = -out.rows[2];
    out.translation.z = -out.translation.z;
    return out;
}

std::array<double, 16> gltfMatrix(const Matrix& m) {
    std::array<double, 16> out{};
    for (unsigned r = 0; r < 3; ++r)
        for (unsigned c = 0; c < 3; ++c)
            out[r * 4 + c] = static_cast<double>(m.rows[r][c]);
    for (unsigned c = 0; c < 3; ++c)
        out[12 + c] = static_cast<double>(m.translation[c]);
    out[15] = 1.0;
    return out;
}

GltfPose gltfPose(const Matrix& game) {
    const Matrix m = mirrorMatrix(game);
    // g[i][j]: the column-vector rotation, the transpose of the row-vector block.
    auto g = [&](unsigned i, unsigned j) { return static_cast<double>(m.rows[j][i]); };
    GltfPose pose;
    for (unsigned c = 0; c < 3; ++c)
        pose.translation[c] = static_cast<double>(m.translation[c]);
    double x = 0, y = 0, z = 0, w = 1;
    const double trace = g(0, 0) + g(1, 1) + g(2, 2);
    if (trace > 0) {
        const double s = 0.5 / std::sqrt(trace + 1.0);
        w = 0.25 / s;
        x = (g(2, 1) - g(1, 2)) * s;
        y = (g(0, 2) - g(2, 0)) * s;
        z = (g(1, 0) - g(0, 1)) * s;
    } else if (g(0, 0) > g(1, 1) && g(0, 0) > g(2, 2)) {
        const double s = 2.0 * std::sqrt(1.0 + g(0, 0) - g(1, 1) - g(2, 2));
        w = (g(2, 1) - g(1, 2)) / s;
        x = 0.25 * s;
        y = (g(0, 1) + g(1, 0)) / s;
        z = (g(0, 2) + g(2, 0)) / s;
    } else if (g(1, 1) > g(2, 2)) {
        const double s = 2.0 * std::sqrt(1.0 + g(1, 1) - g(0, 0) - g(2, 2));
        w = (g(0, 2) - g(2, 0)) / s;
        x = (g(0, 1) + g(1, 0)) / s;
        y = 0.25 * s;
        z = (g(1, 2) + g(2, 1)) / s;
    } else {
        const double s = 2.0 * std::sqrt(1.0 + g(2, 2) - g(0, 0) - g(1, 1));
        w = (g(1, 0) - g(0, 1)) / s;
        x = (g(0, 2) + g(2, 0)) / s;
        y = (g(1, 2) + g(2, 1)) / s;
        z = 0.25 * s;
    }
    const double length = std::sqrt(x * x + y * y + z * z + w * w);
    if (length > 0)
        pose.rotation = {x / length, y / length, z / length, w / length};
    return pose;
}

void reverseWinding(std::vector<std::uint32_t>& triangles) {
    for (std::size_t i = 0; i + 2 < triangles.size(); i += 3)
        std::swap(triangles[i + 1], triangles[i + 2]);
}

} // namespace vx::convert
