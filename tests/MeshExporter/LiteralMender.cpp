#include "tests/MeshExporter/LiteralMender.h"

#include "MeshExporter/ExportErrorList.h"
#include "tests/MeshExporter/MenderTestMeshes.h"

#include <d3dx9math.h>

#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace vx::test {
namespace {

using F3 = std::array<float, 3>;

F3 f3(const Vector3& v) {
    return {v.x, v.y, v.z};
}
Vector3 v3(const F3& a) {
    return {a[0], a[1], a[2]};
}
F3 sub(const F3& a, const F3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
F3 add(const F3& a, const F3& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
F3 scale(const F3& a, float s) {
    return {a[0] * s, a[1] * s, a[2] * s};
}
float dot(const F3& a, const F3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
F3 cross(const F3& a, const F3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
float length(const F3& a) {
    return std::sqrt(dot(a, a));
}
// Every normalisation of the steps is the platform's D3DXVec3Normalize.
F3 normalise(const F3& a) {
    const D3DXVECTOR3 in(a[0], a[1], a[2]);
    D3DXVECTOR3 out;
    D3DXVec3Normalize(&out, &in);
    return {out.x, out.y, out.z};
}

struct Triangle {
    std::uint32_t v[3];
    F3 tangent;
    F3 binormal;
    bool handled = false;
    int group = -1;
};

void triangleVectors(Triangle& tri, const std::vector<MenderVertex>& vertices, const Mends& mends) {
    const MenderVertex& a = vertices[tri.v[0]];
    const MenderVertex& b = vertices[tri.v[1]];
    const MenderVertex& c = vertices[tri.v[2]];
    const F3 e1 = sub(f3(b.position), f3(a.position));
    const F3 e2 = sub(f3(c.position), f3(a.position));
    const float ds1 = b.s - a.s, dt1 = b.t - a.t;
    const float ds2 = c.s - a.s, dt2 = c.t - a.t;
    const float det = ds1 * dt2 - ds2 * dt1;
    float r = 1.0f;
    if (std::fabs(det) >= 0.0001f)
        r = 1.0f / det;
    else if (mends.keepTinyAreaSign && det < 0.0f)
        r = -1.0f;
    tri.tangent = scale(sub(scale(e1, dt2), scale(e2, dt1)), r);
    tri.binormal = scale(sub(scale(e2, ds1), scale(e1, ds2)), r);
}

struct Run {
    std::vector<MenderVertex>& vertices;
    std::vector<Triangle>& triangles;
    const std::vector<std::uint32_t>& list;
    bool tangents;
    std::vector<std::vector<std::uint32_t>> groups;

    const F3& vec(std::uint32_t t) const {
        return tangents ? triangles[t].tangent : triangles[t].binormal;
    }
    bool sharesEdge(std::uint32_t a, std::uint32_t b) const {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                const Vector3& a0 = vertices[triangles[a].v[i]].position;
                const Vector3& a1 = vertices[triangles[a].v[(i + 1) % 3]].position;
                const Vector3& b0 = vertices[triangles[b].v[j]].position;
                const Vector3& b1 = vertices[triangles[b].v[(j + 1) % 3]].position;
                if ((a0 == b0 && a1 == b1) || (a0 == b1 && a1 == b0))
                    return true;
            }
        return false;
    }
    void grow(std::uint32_t t) {
        std::vector<std::uint32_t> neighbours;
        for (std::uint32_t u : list) {
            if (u != t && sharesEdge(t, u))
                neighbours.push_back(u);
            if (neighbours.size() == 2)
                break;
        }
        int group = -1;
        for (std::uint32_t n : neighbours) {
            const F3 a = normalise(vec(t));
            const F3 b = normalise(vec(n));
            const F3 zero{};
            const bool passes = dot(a, b) >= 0.2f || (a == zero && b == zero);
            if (triangles[n].group != -1 && passes)
                group = triangles[n].group;
        }
        if (group == -1) {
            group = static_cast<int>(groups.size());
            groups.emplace_back();
        }
        triangles[t].group = group;
        groups[static_cast<std::size_t>(group)].push_back(t);
        triangles[t].handled = true;
        for (std::uint32_t n : neighbours)
            if (!triangles[n].handled)
                grow(n);
    }
};

} // namespace

void literalFrame(MenderVertex& vertex, const Mends& mends) {
    F3 n = f3(vertex.normal);
    const bool finite = std::isfinite(n[0]) && std::isfinite(n[1]) && std::isfinite(n[2]) &&
                        std::isfinite(length(n));
    if (length(n) < 0.001f || (mends.nonFiniteNormalIsZero && !finite)) {
        exportErrorList().append(kZeroNormalText);
        n = {0.0f, 0.0f, 1.0f};
    }
    const F3 t0 = sub(f3(vertex.tangent), scale(n, dot(n, f3(vertex.tangent))));
    const F3 b0 = sub(sub(f3(vertex.binormal), scale(n, dot(n, f3(vertex.binormal)))),
                      scale(t0, dot(t0, f3(vertex.binormal))));
    F3 t = normalise(t0);
    F3 b = normalise(b0);
    if (length(t) >= 0.001f && length(b) >= 0.001f) {
        if (dot(t, b) > 0.999f)
            b = cross(n, t);
    } else if (length(t) <= 0.5f) {
        if (length(b) <= 0.5f) {
            const F3 y{0.0f, 1.0f, 0.0f};
            const F3 x{1.0f, 0.0f, 0.0f};
            const bool takeY = n[1] <= n[0];
            t = cross(n, takeY ? y : x);
            if (mends.otherFallbackAxis && t == F3{})
                t = cross(n, takeY ? x : y);
            b = cross(n, t);
        } else {
            t = cross(b, n);
        }
    } else {
        b = cross(n, t);
    }
    vertex.normal = v3(n);
    vertex.tangent = v3(t);
    vertex.binormal = v3(b);
}

void literalMend(std::vector<MenderVertex>& vertices, std::vector<std::uint32_t>& indices,
                 std::vector<std::uint32_t>& mapping, const Mends& mends) {
    mapping.clear();
    for (std::uint32_t v = 0; v < vertices.size(); ++v)
        mapping.push_back(v);
    std::vector<Triangle> triangles;
    std::map<std::tuple<float, float, float>, std::vector<std::uint32_t>> positionMap;
    for (std::uint32_t t = 0; t < indices.size() / 3; ++t) {
        Triangle triangle;
        for (std::uint32_t k = 0; k < 3; ++k) {
            triangle.v[k] = indices[3 * t + k];
            const Vector3& p = vertices[triangle.v[k]].position;
            positionMap[{p.x, p.y, p.z}].push_back(t);
        }
        triangleVectors(triangle, vertices, mends);
        triangles.push_back(triangle);
    }
    for (const auto& [key, list] : positionMap) {
        const Vector3 at(std::get<0>(key), std::get<1>(key), std::get<2>(key));
        for (bool tangents : {true, false}) {
            for (std::uint32_t t : list) {
                triangles[t].handled = false;
                triangles[t].group = -1;
            }
            Run run{vertices, triangles, list, tangents, {}};
            for (std::uint32_t t : list)
                if (!triangles[t].handled)
                    run.grow(t);
            std::map<std::uint32_t, std::size_t> claimedBy;
            for (std::size_t g = 0; g < run.groups.size(); ++g) {
                F3 sum{};
                for (std::uint32_t t : run.groups[g])
                    sum = add(sum, run.vec(t));
                const Vector3 value = v3(normalise(sum));
                for (std::uint32_t t : run.groups[g]) {
                    for (std::uint32_t& corner : triangles[t].v) {
                        const std::uint32_t v = corner;
                        if (!(vertices[v].position == at))
                            continue;
                        auto claimed = claimedBy.find(v);
                        std::uint32_t target = v;
                        if (claimed != claimedBy.end() && claimed->second != g) {
                            target = static_cast<std::uint32_t>(vertices.size());
                            vertices.push_back(vertices[v]);
                            mapping.push_back(mapping[v]);
                            for (std::uint32_t u : run.groups[g])
                                for (std::uint32_t& c : triangles[u].v)
                                    if (c == v)
                                        c = target;
                        }
                        claimedBy[target] = g;
                        (tangents ? vertices[target].tangent : vertices[target].binormal) = value;
                    }
                }
            }
        }
    }
    for (std::uint32_t t = 0; t < triangles.size(); ++t)
        for (std::uint32_t k = 0; k < 3; ++k)
            indices[3 * t + k] = triangles[t].v[k];
    for (MenderVertex& v : vertices)
        literalFrame(v, mends);
}

} // namespace vx::test
