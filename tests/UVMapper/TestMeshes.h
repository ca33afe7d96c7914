#pragma once
// Generated meshes for the mapper's tests and benchmark.
#include "Shared/Base/math/Vector3.h"

#include <cstdint>
#include <vector>

namespace vx {
class UVMapper;
}

namespace vx::test {

struct TestTriangle {
    Vector3 p[3];
    Vector3 n[3];
};

class TestMesh {
public:
    // Corner normals are the face normal of (p - q) × (p - r) unless given.
    void add(const Vector3& p, const Vector3& q, const Vector3& r);
    void add(const TestTriangle& triangle) { m_triangles.push_back(triangle); }
    // Two triangles p q r and p r s.
    void addQuad(const Vector3& p, const Vector3& q, const Vector3& r, const Vector3& s);
    // Group id = triangle number % 3, first vertex index = 3 × triangle number.
    void feed(UVMapper& mapper) const;
    const std::vector<TestTriangle>& triangles() const { return m_triangles; }
    std::size_t size() const { return m_triangles.size(); }

private:
    std::vector<TestTriangle> m_triangles;
};

// A small deterministic generator, the same on every platform.
class TestRandom {
public:
    explicit TestRandom(std::uint64_t seed)
        : m_state(seed * 2862933555777941757ULL + 3037000493ULL) {}
    std::uint32_t next();
    float uniform(float low, float high);

private:
    std::uint64_t m_state;
};

// n × n quads of `cell` meters on the z = 0 plane; `wave` lifts the vertices in a sine wave so
// that the quads lean into several planes.
void addQuadGrid(TestMesh& mesh, int n, float cell, float wave);
// An axis-aligned box, each face split into `split` × `split` quads, facing outwards.
void addBox(TestMesh& mesh, const Vector3& low, const Vector3& high, int split);
// Boxes of different sizes side by side, as in a block of buildings, about `triangles` in all.
TestMesh makeBuilding(std::size_t triangles, std::uint64_t seed);
// Random triangles in a 4 m cube; some repeated with the opposite winding, some followed by a
// coplanar neighbour across an edge, some tiny, some degenerate.
TestMesh makeSoup(std::size_t triangles, std::uint64_t seed);
// A strip of thin quads along x and up y on the z = 0 plane: an L that fills little of its box.
void addLStrip(TestMesh& mesh, int quadsPerArm, float length, float width);
// A sphere of rings × segments quads (fans at the poles), smooth normals.
void addSphere(TestMesh& mesh, const Vector3& centre, float radius, int rings, int segments);

} // namespace vx::test
