#include "tests/MeshExporter/MenderTestMeshes.h"

namespace vx::test {

MenderVertex menderVertex(Vector3 position, Vector3 normal, float s, float t) {
    MenderVertex v;
    v.position = position;
    v.normal = normal;
    v.s = s;
    v.t = t;
    return v;
}

} // namespace vx::test
