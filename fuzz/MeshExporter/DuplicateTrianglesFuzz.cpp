// The cleaning of a material group (the corner grid) against the plain scan of every kept
// triangle, on arbitrary triangle soups: the kept triangles must agree exactly. Byte 0: the
// lattice (see LatticeBytes.h) and whether duplicates count within one source mesh only
// (bit 6; each triangle then takes one more byte, whose lowest bit names its source of two).
// Then the triangles' corner coordinates, up to 1024 triangles.
#include "Shared/Graphics/Scene/OwnedNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "fuzz/MeshExporter/LatticeBytes.h"
#include "tests/MeshExporter/MaterialGroupScan.h"
#include "tests/MeshExporter/WholeCorners.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto sourceA = vx::makeNode<vx::UtilTransformNode>();
    static const auto sourceB = vx::makeNode<vx::UtilTransformNode>();
    if (size < 1)
        return 0;
    vx::fuzz::Bytes in(data, size);
    const std::uint8_t mode = in.next();
    const vx::fuzz::Lattice lattice = vx::fuzz::latticeOf(mode);
    const bool withinSource = (mode & 64u) != 0;
    vx::ExportVertexList corners;
    while (!in.empty() && corners.size() < 3 * 1024) {
        const vx::SceneNode* source =
            withinSource && (in.next() & 1u) != 0 ? sourceB.get() : sourceA.get();
        for (int c = 0; c < 3; ++c) {
            vx::ExportVertex v;
            v.position.x = vx::fuzz::coordinate(in, lattice);
            v.position.y = vx::fuzz::coordinate(in, lattice);
            v.position.z = vx::fuzz::coordinate(in, lattice);
            v.sourceNode = source;
            corners.push_back(v);
        }
    }
    const vx::ExportVertexList fast = vx::test::prepareWholeTriangles(corners, withinSource);
    const vx::ExportVertexList scan = vx::test::prepareByScan(corners, withinSource);
    if (fast.size() != scan.size())
        std::abort();
    for (std::size_t i = 0; i < fast.size(); ++i)
        if (!(fast[i].position == scan[i].position) || fast[i].sourceNode != scan[i].sourceNode)
            std::abort();
    return 0;
}
