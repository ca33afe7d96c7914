#include "tests/MeshExporter/CollisionTestMeshes.h"

#include <cmath>
#include <random>

namespace vx::test {

namespace {

void addTriangle(Mesh& m, std::uint16_t a, std::uint16_t b, std::uint16_t c) {
    CollisionFace f;
    f.corners[0] = a;
    f.corners[1] = b;
    f.corners[2] = c;
    m.faces.push_back(f);
}

} // namespace

Mesh terrain(int side, unsigned seed, bool flat) {
    Mesh m;
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> height(0.0f, 2.0f);
    for (int z = 0; z <= side; ++z)
        for (int x = 0; x <= side; ++x)
            m.vertices.emplace_back(static_cast<float>(x), flat ? 0.0f : height(random),
                                    static_cast<float>(z));
    const auto at = [&](int x, int z) { return static_cast<std::uint16_t>(z * (side + 1) + x); };
    for (int z = 0; z < side; ++z)
        for (int x = 0; x < side; ++x) {
            addTriangle(m, at(x, z), at(x + 1, z), at(x + 1, z + 1));
            addTriangle(m, at(x, z), at(x + 1, z + 1), at(x, z + 1));
        }
    return m;
}

Mesh closedShape(int rings, int segments) {
    Mesh m;
    m.vertices.emplace_back(0.0f, 5.0f, 0.0f);
    for (int r = 1; r < rings; ++r) {
        const double theta = M_PI * r / rings;
        for (int s = 0; s < segments; ++s) {
            const double phi = 2 * M_PI * s / segments;
            m.vertices.emplace_back(static_cast<float>(5 * std::sin(theta) * std::cos(phi)),
                                    static_cast<float>(5 * std::cos(theta)),
                                    static_cast<float>(5 * std::sin(theta) * std::sin(phi)));
        }
    }
    m.vertices.emplace_back(0.0f, -5.0f, 0.0f);
    const auto ring = [&](int r, int s) {
        return static_cast<std::uint16_t>(1 + (r - 1) * segments + (s % segments));
    };
    const auto last = static_cast<std::uint16_t>(m.vertices.size() - 1);
    for (int s = 0; s < segments; ++s) {
        addTriangle(m, 0, ring(1, s + 1), ring(1, s));
        for (int r = 1; r + 1 < rings; ++r) {
            addTriangle(m, ring(r, s), ring(r, s + 1), ring(r + 1, s + 1));
            addTriangle(m, ring(r, s), ring(r + 1, s + 1), ring(r + 1, s));
        }
        addTriangle(m, last, ring(rings - 1, s), ring(rings - 1, s + 1));
    }
    return m;
}

Mesh soup(int count, unsigned seed) {
    Mesh m;
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> coordinate(-10.0f, 10.0f);
    std::uniform_int_distribution<int> grid(-4, 4);
    for (int i = 0; i < count; ++i) {
        const auto base = static_cast<std::uint16_t>(m.vertices.size());
        if (i % 3 == 0) {
            // A flat face in an integer plane, as boxes' sides are.
            const auto plane = static_cast<float>(grid(random));
            const unsigned axis = static_cast<unsigned>(i) % 3;
            for (int c = 0; c < 3; ++c) {
                Vector3 p(static_cast<float>(grid(random)), static_cast<float>(grid(random)),
                          static_cast<float>(grid(random)));
                p[axis] = plane;
                m.vertices.push_back(p);
            }
        } else {
            // A small triangle somewhere in the box, as collision shapes' faces are.
            const Vector3 centre(coordinate(random), coordinate(random) * 0.2f, coordinate(random));
            for (int c = 0; c < 3; ++c)
                m.vertices.push_back(
                    centre +
                    Vector3(coordinate(random), coordinate(random), coordinate(random)) * 0.1f);
        }
        addTriangle(m, base, static_cast<std::uint16_t>(base + 1),
                    static_cast<std::uint16_t>(base + 2));
    }
    return m;
}

} // namespace vx::test
