#include "tests/MeshExporter/MaterialGroupScan.h"

#include "MeshExporter/MaterialGroupPreparation.h"

#include <cmath>

namespace vx::test {

ExportVertexList prepareByScan(const ExportVertexList& triangles, bool withinSourceOnly) {
    auto coincide = [](const Vector3& a, const Vector3& b) {
        return (a - b).lengthSquared() < kCoincidentSquaredDistance;
    };
    ExportVertexList kept;
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const Vector3 p[3] = {triangles[t].position, triangles[t + 1].position,
                              triangles[t + 2].position};
        if (coincide(p[0], p[1]) || coincide(p[0], p[2]) || coincide(p[1], p[2]))
            continue;
        const Vector3 c = (p[0] + p[1] + p[2]) / 3.0f;
        bool duplicate = false;
        for (std::size_t k = 0; k < kept.size() && !duplicate; k += 3) {
            if (withinSourceOnly && kept[k].sourceNode != triangles[t].sourceNode)
                continue;
            const Vector3 q[3] = {kept[k].position, kept[k + 1].position, kept[k + 2].position};
            const Vector3 d = (q[0] + q[1] + q[2]) / 3.0f;
            if (!(std::fabs(d.x - c.x) <= 0.5f && std::fabs(d.z - c.z) <= 0.5f))
                continue;
            int pairs = 0;
            for (const Vector3& a : p)
                for (const Vector3& b : q)
                    pairs += coincide(a, b) ? 1 : 0;
            duplicate = pairs >= 3;
        }
        if (!duplicate)
            kept.insert(kept.end(), triangles.begin() + static_cast<std::ptrdiff_t>(t),
                        triangles.begin() + static_cast<std::ptrdiff_t>(t + 3));
    }
    return kept;
}

} // namespace vx::test
