#include "MeshExporter/CollisionMeshDataExporter.h"

#include "MeshExporter/CollisionMaterialList.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/FaceAdjacency.h"
#include "MeshExporter/NodeSearch.h"
#include "MeshExporter/SpatialTree.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/MeshGeometry.h"
#include "Shared/Graphics/Scene/PrimitiveBuffer.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace vx {

namespace {

constexpr std::size_t kWeldBuckets = 4096;
// File fields for vertex and face numbers are 16 bits wide.
constexpr std::size_t kMaxCollisionElements = 65536;

std::int64_t roundedHundredths(float value) {
    const double r = std::round(static_cast<double>(value) * 100.0);
    // Far-away or non-finite positions still give a bucket; only nearness matters.
    if (!(r > -1e15 && r < 1e15))
        return 0;
    return static_cast<std::int64_t>(r);
}

class Welder {
public:
    explicit Welder(std::vector<Vector3>& vertices) : m_vertices(vertices) {}

    // The number of the vertex at `p`, a new one unless one lies within the tolerance.
    std::size_t weld(const Vector3& p) {
        const std::int64_t key =
            roundedHundredths(p.z) - roundedHundredths(-p.y) - roundedHundredths(-p.x);
        for (std::int64_t k = key - 1; k <= key + 1; ++k) {
            for (std::size_t index : m_buckets[bucketOf(k)]) {
                const Vector3& q = m_vertices[index];
                if (std::fabs(q.x - p.x) < kCollisionWeldTolerance &&
                    std::fabs(q.y - p.y) < kCollisionWeldTolerance &&
                    std::fabs(q.z - p.z) < kCollisionWeldTolerance)
                    return index;
            }
        }
        m_vertices.push_back(p);
        m_buckets[bucketOf(key)].push_back(m_vertices.size() - 1);
        return m_vertices.size() - 1;
    }

private:
    static std::size_t bucketOf(std::int64_t key) {
        return static_cast<std::size_t>(static_cast<std::uint64_t>(key) & (kWeldBuckets - 1));
    }
    std::vector<Vector3>& m_vertices;
    std::array<std::vector<std::size_t>, kWeldBuckets> m_buckets;
};

bool addMesh(const UtilMeshNode& node, const Matrix& transform, Welder& welder,
             CollisionMesh& mesh) {
    const MaterialGroupedMesh* grouped = node.mesh().get();
    const MeshGeometry* geometry = grouped ? grouped->m_geometry.get() : nullptr;
    const VertexBuffer* buffer = geometry ? geometry->m_vertexBuffer.get() : nullptr;
    const PrimitiveBuffer* primitives = geometry ? geometry->m_primitiveBuffer.get() : nullptr;
    VX_INFO << " MeshNodeName:" << node.name()
            << " numVers:" << (buffer ? buffer->vertexCount() : 0)
            << " #materials:" << (grouped ? grouped->m_groups.size() : 0);
    if (!buffer || !primitives)
        return true;
    for (const MaterialGroup& group : grouped->m_groups) {
        const std::string name = group.m_material ? group.m_material->m_name : group.m_name;
        const std::uint32_t material = collisionMaterialList().numberOf(name);
        if (material > 0xFFFF) {
            return failExport("More than 65536 collision materials; " + name + " has no number");
        }
        for (std::int32_t p : group.m_primitives) {
            if (p < 0 || static_cast<std::size_t>(p) >= primitives->m_primitives.size()) {
                return failExport("Collision mesh " + node.name() + " names polygon " +
                                  std::to_string(p) + ", which it does not have");
            }
            const Primitive& polygon = primitives->m_primitives[static_cast<std::size_t>(p)];
            if (polygon.size() > 3) {
                exportErrorList().append("Non triangular collision faces not supported yet.\n"
                                         "Triangulate all collision meshes and export again.");
                VX_WARNING << "Non triangular collision faces not supported yet!";
                return false;
            }
            if (polygon.size() < 3) {
                return failExport("Polygon " + std::to_string(p) + " of collision mesh " +
                                  node.name() + " has " + std::to_string(polygon.size()) +
                                  " corners");
            }
            CollisionFace face;
            face.material = static_cast<std::uint16_t>(material);
            for (std::size_t c = 0; c < 3; ++c) {
                const std::int32_t v = polygon[c];
                const bool valid =
                    v >= 0 && static_cast<std::size_t>(v) < buffer->m_vertices.size() &&
                    buffer->m_vertices[static_cast<std::size_t>(v)].m_position >= 0 &&
                    static_cast<std::size_t>(
                        buffer->m_vertices[static_cast<std::size_t>(v)].m_position) <
                        buffer->m_positions.size();
                if (!valid) {
                    return failExport("Polygon " + std::to_string(p) + " of collision mesh " +
                                      node.name() + " names vertex " + std::to_string(v) +
                                      ", which the mesh does not have");
                }
                const std::int32_t position =
                    buffer->m_vertices[static_cast<std::size_t>(v)].m_position;
                const Vector3 placed = transform.transformPoint(
                    buffer->m_positions[static_cast<std::size_t>(position)]);
                // Such a point has no place in the tree, whose sorts it would also upset.
                if (!std::isfinite(placed.x) || !std::isfinite(placed.y) ||
                    !std::isfinite(placed.z)) {
                    return failExport("Vertex " + std::to_string(position) + " of collision mesh " +
                                      node.name() + " has a position that is not a finite number");
                }
                const std::size_t index = welder.weld(placed);
                if (index >= kMaxCollisionElements) {
                    return failExport("Collision mesh " + node.name() +
                                      " has more than 65536 vertices, more than the file can "
                                      "number");
                }
                face.corners[c] = static_cast<std::uint16_t>(index);
            }
            mesh.faces.push_back(face);
        }
    }
    return true;
}

bool addSubtree(SceneNode& node, const Matrix& accumulated, Welder& welder, CollisionMesh& mesh) {
    if (const auto* meshNode = dynamic_cast<const UtilMeshNode*>(&node))
        return addMesh(*meshNode, accumulated, welder, mesh);
    Matrix transform = accumulated;
    if (const auto* transformNode = dynamic_cast<const UtilTransformNode*>(&node))
        transform = transformNode->m_matrix * accumulated;
    if (const NodeList* children = node.children()) {
        for (SceneNode* child : *children) {
            if (!addSubtree(*child, transform, welder, mesh))
                return false;
        }
    }
    return true;
}

// The name the artist knows the collision part by: the part above the "nonvis" node.
std::string partName(const SceneNode& nonvis) {
    if (!nonvis.parents().empty() && nonvis.parents().front())
        return nonvis.parents().front()->name();
    return nonvis.name();
}

bool writeCollisionMesh(SceneNode& nonvis, SceneNode& colNode, std::uint32_t number, bool fine,
                        OutStream& out) {
    CollisionMesh mesh;
    if (!buildCollisionMesh(colNode, mesh))
        return false;
    if (mesh.faces.size() > kMaxCollisionElements)
        return failExport("The collision mesh " + colNode.name() + " of " + partName(nonvis) +
                          " has " + std::to_string(mesh.faces.size()) +
                          " faces; a collision mesh can number at most 65536");
    out << number;
    VX_INFO << "Number of collision faces:" << mesh.faces.size();
    out << static_cast<std::uint32_t>(mesh.faces.size());
    for (const CollisionFace& face : mesh.faces)
        out << face.corners[0] << face.corners[1] << face.corners[2] << face.material;
    VX_INFO << "Number of collision vertices:" << mesh.vertices.size();
    out << static_cast<std::uint32_t>(mesh.vertices.size());
    for (const Vector3& v : mesh.vertices)
        out << v;
    std::vector<std::uint16_t> vertexMaterial(mesh.vertices.size(), 0);
    for (const CollisionFace& face : mesh.faces)
        for (std::uint16_t corner : face.corners)
            vertexMaterial[corner] = face.material;
    for (std::uint16_t material : vertexMaterial)
        out << material;
    if (mesh.vertices.empty()) {
        static constexpr const char* kNoVertices = "A collision mesh has no vertices, aborting !";
        return failExport(kNoVertices);
    }
    Vector3 low = mesh.vertices.front();
    Vector3 high = low;
    for (const Vector3& v : mesh.vertices) {
        for (unsigned k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], v[k]);
            high[k] = std::max(high[k], v[k]);
        }
    }
    out << low << high;
    if ((high - low).length() < 0.001f) {
        out << std::uint8_t{'0'};
        VX_WARNING << "Bounding box is zero for collisionmesh";
        return true;
    }
    SpatialTree tree;
    if (tree.build(mesh.vertices, mesh.faces, fine)) {
        if (tree.oversizedLeaf())
            return failExport("The collision mesh " + colNode.name() + " of " + partName(nonvis) +
                              " has " + std::to_string(tree.largestLeaf()) +
                              " faces that no plane separates; a tree leaf holds at most 255. "
                              "Remove overlapping or duplicate collision faces.");
        out << std::uint8_t{'1'};
        tree.write(out);
    } else {
        out << std::uint8_t{'0'};
    }
    const std::vector<std::uint32_t> neighbours = faceAdjacency(mesh.faces);
    out << static_cast<std::uint32_t>(neighbours.size());
    for (std::uint32_t face : neighbours)
        out << face;
    return true;
}

} // namespace

bool buildCollisionMesh(SceneNode& colNode, CollisionMesh& mesh) {
    mesh.vertices.clear();
    mesh.faces.clear();
    Welder welder(mesh.vertices);
    const bool built = addSubtree(colNode, Matrix::identity(), welder, mesh);
    VX_INFO << "collisionFaceList.sz=" << mesh.faces.size();
    return built;
}

bool writeCollisionBlock(SceneNode* nonvis, OutStream& out) {
    std::vector<std::pair<std::uint32_t, SceneNode*>> found;
    for (int n = 0; n <= 9 && nonvis; ++n) {
        if (SceneNode* col = findChildNumbered(nonvis, "col", n))
            found.emplace_back(static_cast<std::uint32_t>(n), col);
    }
    VX_INFO << "number of collision meshes:" << static_cast<int>(found.size());
    if (found.empty()) {
        static constexpr const char* kNoneFound =
            "Trying to export collision meshes, but non found under the nonvis node. Check if "
            "there are hidden nodes in object hierarchy!";
        VX_INFO << kNoneFound;
        exportErrorList().append(kNoneFound);
        return false;
    }
    out << static_cast<std::uint32_t>(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (!writeCollisionMesh(*nonvis, *found[i].second, found[i].first, i > 0, out))
            return false;
    }
    return true;
}

} // namespace vx
