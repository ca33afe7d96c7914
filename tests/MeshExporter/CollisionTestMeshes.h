#pragma once
// Generated triangle meshes for the spatial tree's tests and benchmarks.
#include "MeshExporter/CollisionFace.h"
#include "Shared/Base/math/Vector3.h"

#include <vector>

namespace vx::test {

struct Mesh {
    std::vector<Vector3> vertices;
    std::vector<CollisionFace> faces;
};

// A side x side grid of quads (two triangles each) in x-z with random heights from 0 to 2, or
// flat at height 0.
Mesh terrain(int side, unsigned seed, bool flat = false);
// A closed sphere-like shape of radius 5: `rings` bands of `segments` quads, fans at the poles.
Mesh closedShape(int rings, int segments);
// `count` triangles: every third flat in an integer plane (as boxes' sides are), the others
// small and scattered through a flattened box.
Mesh soup(int count, unsigned seed);

} // namespace vx::test
