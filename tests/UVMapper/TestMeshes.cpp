#include "tests/UVMapper/TestMeshes.h"

#include "UVMapper/UVMapper.h"

#include <cmath>

namespace vx::test {

void TestMesh::add(const Vector3& p, const Vector3& q, const Vector3& r) {
    const Vector3 n = Vector3::cross(p - q, p - r).normalized();
    m_triangles.push_back({{p, q, r}, {n, n, n}});
}

void TestMesh::addQuad(const Vector3& p, const Vector3& q, const Vector3& r, const Vector3& s) {
    add(p, q, r);
    add(p, r, s);
}

void TestMesh::feed(UVMapper& mapper) const {
    for (std::size_t i = 0; i < m_triangles.size(); ++i) {
        const TestTriangle& t = m_triangles[i];
        mapper.addTriangle(t.p[0], t.p[1], t.p[2], t.n[0], t.n[1], t.n[2],
                           static_cast<std::uint32_t>(i % 3), static_cast<std::uint32_t>(3 * i));
    }
}

std::uint32_t TestRandom::next() {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(m_state >> 33);
}

float TestRandom::uniform(float low, float high) {
    return low + (high - low) * static_cast<float>(next() % 1000000u) / 1000000.0f;
}

void addQuadGrid(TestMesh& mesh, int n, float cell, float wave) {
    auto at = [&](int i, int j) {
        const float x = static_cast<float>(i) * cell;
        const float y = static_cast<float>(j) * cell;
        return Vector3{x, y, wave * std::sin(x * 1.3f) * std::cos(y * 0.7f)};
    };
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            mesh.addQuad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
}

void addBox(TestMesh& mesh, const Vector3& low, const Vector3& high, int split) {
    // Each face: an origin corner and edge vectors a, b with b × a pointing outwards.
    const Vector3 size = high - low;
    const Vector3 ex{size.x, 0, 0};
    const Vector3 ey{0, size.y, 0};
    const Vector3 ez{0, 0, size.z};
    struct Face {
        Vector3 origin, a, b;
    };
    const Face faces[6] = {
        {low, ex, ey},      {low + ez, ey, ex}, {low, ez, ex},
        {low + ey, ex, ez}, {low, ey, ez},      {low + ex, ez, ey},
    };
    const float step = 1.0f / static_cast<float>(split);
    for (const Face& f : faces) {
        for (int j = 0; j < split; ++j) {
            for (int i = 0; i < split; ++i) {
                auto at = [&](int a, int b) {
                    return f.origin + f.a * (static_cast<float>(a) * step) +
                           f.b * (static_cast<float>(b) * step);
                };
                // Wound so that (p - q) × (p - r) points out of the box.
                mesh.addQuad(at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j));
            }
        }
    }
}

TestMesh makeBuilding(std::size_t triangles, std::uint64_t seed) {
    TestMesh mesh;
    TestRandom random(seed);
    int index = 0;
    while (mesh.size() < triangles) {
        const int split = 1 + static_cast<int>(random.next() % 3);
        const float x = static_cast<float>(index % 40) * 12.0f;
        const float y = static_cast<float>(index / 40) * 12.0f;
        const Vector3 low{x, y, 0.0f};
        const Vector3 size{random.uniform(1.0f, 10.0f), random.uniform(1.0f, 10.0f),
                           random.uniform(2.0f, 25.0f)};
        addBox(mesh, low, low + size, split);
        // A few windows' worth of small boxes on the front.
        const int windows = static_cast<int>(random.next() % 4);
        for (int w = 0; w < windows; ++w) {
            const Vector3 at{x + random.uniform(0.0f, size.x - 0.5f), y - 0.2f,
                             random.uniform(0.5f, size.z - 1.0f)};
            addBox(mesh, at, at + Vector3{0.5f, 0.2f, 0.8f}, 1);
        }
        ++index;
    }
    return mesh;
}

TestMesh makeSoup(std::size_t triangles, std::uint64_t seed) {
    TestMesh mesh;
    TestRandom random(seed);
    auto point = [&] {
        return Vector3{random.uniform(0.0f, 4.0f), random.uniform(0.0f, 4.0f),
                       random.uniform(0.0f, 4.0f)};
    };
    while (mesh.size() < triangles) {
        const Vector3 p = point();
        const Vector3 q = p + Vector3{random.uniform(-0.6f, 0.6f), random.uniform(-0.6f, 0.6f),
                                      random.uniform(-0.6f, 0.6f)};
        const Vector3 r = p + Vector3{random.uniform(-0.6f, 0.6f), random.uniform(-0.6f, 0.6f),
                                      random.uniform(-0.6f, 0.6f)};
        switch (random.next() % 8) {
        case 0: // the same triangle facing the other way
            mesh.add(p, q, r);
            mesh.add(p, r, q);
            break;
        case 1: // a coplanar neighbour across the edge q r
            mesh.add(p, q, r);
            mesh.add(q + r - p, r, q);
            break;
        case 2: // its neighbour folded back on the other side, facing away
            mesh.add(p, q, r);
            mesh.add(q + r - p, q, r);
            break;
        case 3: // tiny
            mesh.add(p, p + (q - p) * 0.001f, p + (r - p) * 0.001f);
            break;
        case 4: // degenerate: a line
            mesh.add(p, q, p + (q - p) * 0.5f);
            break;
        case 5: // axis-aligned, welded to the one before
            if (mesh.size() > 0) {
                const Vector3 a = mesh.triangles().back().p[1];
                mesh.add(a, a + Vector3{0.5f, 0, 0}, a + Vector3{0, 0.5f, 0});
                break;
            }
            [[fallthrough]];
        default:
            mesh.add(p, q, r);
        }
    }
    return mesh;
}

void addLStrip(TestMesh& mesh, int quadsPerArm, float length, float width) {
    const float step = length / static_cast<float>(quadsPerArm);
    for (int i = 0; i < quadsPerArm; ++i) { // along x, from the corner square outwards
        const float x0 = width + static_cast<float>(i) * step;
        const float x1 = x0 + step;
        mesh.addQuad({x0, 0, 0}, {x1, 0, 0}, {x1, width, 0}, {x0, width, 0});
    }
    mesh.addQuad({0, 0, 0}, {width, 0, 0}, {width, width, 0}, {0, width, 0});
    for (int i = 0; i < quadsPerArm; ++i) { // up y
        const float y0 = width + static_cast<float>(i) * step;
        const float y1 = y0 + step;
        mesh.addQuad({0, y0, 0}, {width, y0, 0}, {width, y1, 0}, {0, y1, 0});
    }
}

void addSphere(TestMesh& mesh, const Vector3& centre, float radius, int rings, int segments) {
    auto direction = [&](int ring, int segment) {
        const float theta = 3.14159265f * static_cast<float>(ring) / static_cast<float>(rings);
        const float phi = 6.2831853f * static_cast<float>(segment) / static_cast<float>(segments);
        return Vector3{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi),
                       std::cos(theta)};
    };
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            const Vector3 d[4] = {direction(ring, segment), direction(ring + 1, segment),
                                  direction(ring + 1, segment + 1), direction(ring, segment + 1)};
            // Outward winding for (p - q) × (p - r): p, q, r counter-clockwise seen from outside.
            const int tris[2][3] = {{0, 2, 1}, {0, 3, 2}};
            for (const auto& t : tris) {
                if ((ring == 0 && t[1] == 3) || (ring == rings - 1 && t[1] == 2 && t[2] == 1))
                    continue; // the collapsed triangle at a pole
                TestTriangle triangle;
                for (int c = 0; c < 3; ++c) {
                    triangle.p[c] = centre + d[t[c]] * radius;
                    triangle.n[c] = d[t[c]];
                }
                mesh.add(triangle);
            }
        }
    }
}

} // namespace vx::test
