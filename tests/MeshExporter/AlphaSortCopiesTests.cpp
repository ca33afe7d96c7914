#include "MeshExporter/AlphaSortCopies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace vx {
namespace {

ExportVertexList trianglesAt(const std::vector<Vector3>& centres) {
    ExportVertexList vertices;
    for (const Vector3& c : centres) {
        for (const Vector3& offset :
             {Vector3(-0.1f, 0, 0), Vector3(0.1f, 0, 0), Vector3(0, 0, 0.1f)}) {
            ExportVertex v;
            v.position = c + offset;
            vertices.push_back(v);
        }
    }
    return vertices;
}

std::vector<std::uint16_t> sequentialIndices(std::size_t triangles) {
    std::vector<std::uint16_t> indices;
    for (std::size_t i = 0; i < triangles * 3; ++i)
        indices.push_back(static_cast<std::uint16_t>(i));
    return indices;
}

TEST(AlphaSortCopies, CopiesArePermutationsSortedByDescendingDistanceLaterFirstOnTies) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
    std::vector<Vector3> centres;
    for (int i = 0; i < 60; ++i)
        centres.emplace_back(coordinate(random), coordinate(random), coordinate(random));
    centres.push_back(centres[5]); // a tie: the later one comes first
    const auto vertices = trianglesAt(centres);
    const auto indices = sequentialIndices(centres.size());
    const auto copies = buildSortCopies(vertices, indices);
    ASSERT_EQ(copies.size(), indices.size() * 8);
    for (std::uint32_t k = 0; k < 8; ++k) {
        const double a = (k + 0.5) * 45.0 * 3.14159265358979 / 180.0;
        std::vector<bool> seen(centres.size(), false);
        double previous = 1e30;
        std::size_t previousTriangle = 0;
        for (std::size_t t = 0; t < centres.size(); ++t) {
            const std::size_t first = indices.size() * k + t * 3;
            const std::size_t triangle = copies[first] / 3u;
            EXPECT_EQ(copies[first + 1], copies[first] + 1);
            EXPECT_FALSE(seen[triangle]);
            seen[triangle] = true;
            const Vector3 c = centres[triangle] + Vector3(0, 0, 0.1f / 3.0f);
            const double key = std::hypot(100 * std::cos(a) - static_cast<double>(c.z),
                                          100 * std::sin(a) - static_cast<double>(c.x));
            EXPECT_LE(key, previous + 1e-3) << "copy " << k << " position " << t;
            if (triangle == 5) {
                EXPECT_EQ(previousTriangle, centres.size() - 1) << "the later twin first";
            }
            previous = key;
            previousTriangle = triangle;
        }
    }
}

} // namespace
} // namespace vx
