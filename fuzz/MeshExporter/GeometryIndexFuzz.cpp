// The indexed geometry passes against their plain references on arbitrary small meshes: the
// cleaning of a material group (corner grid against the scan of every kept triangle) and the
// collision tree (sorted sweep against the classification of every face at every candidate),
// which must agree exactly, split positions to the bit. Byte 0: the coordinate scale (bit 0-2),
// whether corners are nudged by about the coincidence distance (bit 3), the tree's `fine` setting
// (bit 4; one tree per input, as the plain search takes most of an input's time) and whether the
// mesh lies far out (bit 5), where a float's rounding swallows the tree's tolerance. Byte 1:
// vertex count for the tree. Then per coordinate one signed byte (a coarse lattice, so corners
// repeat and faces share planes; -128 stands for -0, so that both zeros occur) and, when nudging,
// one more byte for a nudge of up to twice the coincidence distance.
#include "MeshExporter/SpatialTree.h"
#include "tests/MeshExporter/LiteralSplitSearch.h"
#include "tests/MeshExporter/MaterialGroupScan.h"
#include "tests/MeshExporter/WholeCorners.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_at >= m_size; }
    std::uint8_t next() { return m_at < m_size ? m_data[m_at++] : 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

struct Lattice {
    float scale;
    bool nudge;
    float offset;
};

float coordinate(Bytes& in, const Lattice& lattice) {
    const auto step = static_cast<std::int8_t>(in.next());
    float value = step == -128 ? -0.0f : static_cast<float>(step) * lattice.scale;
    const auto nudge = static_cast<std::int8_t>(lattice.nudge ? in.next() : 0);
    if (nudge != 0)
        value += static_cast<float>(nudge) * (2e-4f / 128.0f);
    return lattice.offset != 0.0f ? value + lattice.offset : value;
}

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
    Bytes in(data, size);
    const std::uint8_t mode = in.next();
    const Lattice lattice{static_cast<float>(1u << (mode & 7u)) / 64.0f, (mode & 8u) != 0,
                          (mode & 32u) != 0 ? 384.0f : 0.0f};
    const unsigned vertexCount = 3u + in.next() % 48u;

    // The same bytes as a triangle soup and as an indexed collision mesh.
    std::vector<vx::ExportVertex> corners;
    std::vector<vx::Vector3> vertices;
    Bytes soup = in;
    while (!soup.empty() && corners.size() < 3 * 64) {
        vx::ExportVertex v;
        v.position.x = coordinate(soup, lattice);
        v.position.y = coordinate(soup, lattice);
        v.position.z = coordinate(soup, lattice);
        corners.push_back(v);
    }
    corners.resize(corners.size() / 3 * 3);
    const std::vector<vx::ExportVertex> fast = vx::test::prepareWholeTriangles(corners);
    const std::vector<vx::ExportVertex> scan = vx::test::prepareByScan(corners);
    if (fast.size() != scan.size())
        std::abort();
    for (std::size_t i = 0; i < fast.size(); ++i)
        if (!(fast[i].position == scan[i].position))
            std::abort();

    for (unsigned i = 0; i < vertexCount; ++i) {
        const float x = coordinate(in, lattice);
        const float y = coordinate(in, lattice);
        const float z = coordinate(in, lattice);
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
