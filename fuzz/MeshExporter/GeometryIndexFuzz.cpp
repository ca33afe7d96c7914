// The collision tree's sorted sweep against the classification of every face at every
// candidate, on arbitrary small meshes: the trees must agree exactly, split positions to the
// bit. Byte 0: the lattice (see LatticeBytes.h) and the tree's `fine` setting (bit 4; one tree
// per input, as the plain search takes most of an input's time). Byte 1: vertex count. Then the
// vertices' coordinates and, one byte per corner, the faces.
#include "MeshExporter/SpatialTree.h"
#include "fuzz/MeshExporter/LatticeBytes.h"
#include "tests/MeshExporter/LiteralSplitSearch.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Equal trees, split positions compared by their bits (-0 and +0 are written differently).
bool sameTree(const vx::SpatialTree& l, const vx::SpatialTree& r) {
    if (l.nodes().size() != r.nodes().size() || l.faceList() != r.faceList())
        return false;
    for (std::size_t i = 0; i < l.nodes().size(); ++i) {
        const vx::SpatialTreeNode& a = l.nodes()[i];
        const vx::SpatialTreeNode& b = r.nodes()[i];
        if (std::bit_cast<std::uint32_t>(a.split) != std::bit_cast<std::uint32_t>(b.split) ||
            !(a == b))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    vx::fuzz::Bytes in(data, size);
    const std::uint8_t mode = in.next();
    const vx::fuzz::Lattice lattice = vx::fuzz::latticeOf(mode);
    const unsigned vertexCount = 3u + in.next() % 48u;
    std::vector<vx::Vector3> vertices;
    for (unsigned i = 0; i < vertexCount; ++i) {
        const float x = vx::fuzz::coordinate(in, lattice);
        const float y = vx::fuzz::coordinate(in, lattice);
        const float z = vx::fuzz::coordinate(in, lattice);
        vertices.emplace_back(x, y, z);
    }
    std::vector<vx::CollisionFace> faces;
    while (!in.empty() && faces.size() < 96) {
        vx::CollisionFace face{};
        for (std::uint16_t& c : face.corners)
            c = static_cast<std::uint16_t>(in.next() % vertexCount);
        faces.push_back(face);
    }
    const bool fine = (mode & 16u) != 0;
    vx::SpatialTree sweep;
    vx::SpatialTree literal(vx::test::literalSplitSearch);
    if (sweep.build(vertices, faces, fine) != literal.build(vertices, faces, fine) ||
        !sameTree(sweep, literal))
        std::abort();
    return 0;
}
