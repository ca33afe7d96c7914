#include "tests/MeshExporter/LiteralMender.h"

#include "MeshExporter/TangentFrame.h"

#include <map>
#include <tuple>

namespace vx::test {
namespace {

struct Triangle {
    std::uint32_t v[3];
    TriangleBasis basis;
    bool handled = false;
    int group = -1;
};

struct Run {
    std::vector<MenderVertex>& vertices;
    std::vector<Triangle>& triangles;
    const std::vector<std::uint32_t>& list;
    bool tangents;
    std::vector<std::vector<std::uint32_t>> groups;

    const Vector3& vec(std::uint32_t t) const {
        return tangents ? triangles[t].basis.tangent : triangles[t].basis.binormal;
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
            const Vector3 a = unitVector(vec(t));
            const Vector3 b = unitVector(vec(n));
            const bool passes = Vector3::dot(a, b) >= 0.2f || (a == Vector3() && b == Vector3());
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

void literalMend(std::vector<MenderVertex>& vertices, std::vector<std::uint32_t>& indices,
                 std::vector<std::uint32_t>& mapping) {
    mapping.clear();
    for (std::uint32_t v = 0; v < vertices.size(); ++v)
        mapping.push_back(v);
    std::vector<Triangle> triangles;
    std::map<std::tuple<float, float, float>, std::vector<std::uint32_t>> positionMap;
    for (std::uint32_t t = 0; t < indices.size() / 3; ++t) {
        Triangle triangle;
        Vector3 p[3];
        float s[3];
        float tc[3];
        for (int k = 0; k < 3; ++k) {
            triangle.v[k] = indices[3 * t + static_cast<std::uint32_t>(k)];
            const MenderVertex& v = vertices[triangle.v[k]];
            p[k] = v.position;
            s[k] = v.s;
            tc[k] = v.t;
            positionMap[{p[k].x, p[k].y, p[k].z}].push_back(t);
        }
        triangle.basis = triangleBasis(p, s, tc);
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
                Vector3 sum;
                for (std::uint32_t t : run.groups[g])
                    sum += run.vec(t);
                const Vector3 value = unitVector(sum);
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
        orthonormalizeFrame(v.normal, v.tangent, v.binormal);
}

} // namespace vx::test
