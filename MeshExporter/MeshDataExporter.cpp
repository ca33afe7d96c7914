#include "MeshExporter/MeshDataExporter.h"

#include "MeshExporter/AlphaSortCopies.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/FixedText.h"
#include "MeshExporter/GenerateTangents.h"
#include "MeshExporter/MaterialGroupPreparation.h"
#include "MeshExporter/NVMeshMender2.h"
#include "MeshExporter/PackedBytes.h"
#include "MeshExporter/TriangleOrder.h"
#include "MeshExporter/VertexWeld.h"
#include "Shared/Base/LargeMemory.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Base/WorkSharing.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/UtilLocatorNode.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace vx {

namespace {

// A node's name up to its first '_', compared ignoring case.
bool cutNameIs(const SceneNode& node, std::string_view name) {
    const std::string& full = node.name();
    const std::string_view cut = std::string_view(full).substr(0, full.find('_'));
    return toLowerAscii(cut) == toLowerAscii(name);
}

std::uint32_t indexBytes(const ExportVertex& v) {
    std::uint32_t word = 0;
    for (unsigned i = 0; i < 4; ++i)
        word |= (static_cast<std::uint32_t>(v.indices[i]) & 0xFFu) << (8 * i);
    return word;
}

// Position, normal, index bytes, one texture set and the vertex's number.
constexpr std::uint32_t kTangentInputStride = 40;

// The order in which the texture coordinate sets are packed: with exactly two sets 0 then 1;
// otherwise set 1 first (when present), then 0, then 2, 3 and 4.
std::vector<unsigned> uvPackOrder(std::uint32_t count) {
    if (count == 2)
        return {0, 1};
    std::vector<unsigned> order;
    if (count >= 2)
        order.push_back(1);
    if (count >= 1)
        order.push_back(0);
    for (unsigned k = 2; k < count; ++k)
        order.push_back(k);
    return order;
}

// Where a part's normals point once placed: through the inverse transpose of the transform's
// 3 x 3, so that a surface under non-uniform scale keeps its normal square to it. Rotations and
// uniform scales keep the transform itself (the same directions, and the same bits as ever).
Matrix normalTransform(const Matrix& m) {
    const float l0 = m[0].lengthSquared();
    const float l1 = m[1].lengthSquared();
    const float l2 = m[2].lengthSquared();
    const float tolerance = 1e-5f * std::max({l0, l1, l2});
    const bool similarity = std::fabs(l0 - l1) <= tolerance && std::fabs(l0 - l2) <= tolerance &&
                            std::fabs(Vector3::dot(m[0], m[1])) <= tolerance &&
                            std::fabs(Vector3::dot(m[0], m[2])) <= tolerance &&
                            std::fabs(Vector3::dot(m[1], m[2])) <= tolerance;
    Matrix inverse;
    if (similarity || !m.inverse(inverse))
        return m;
    return inverse.transposed3x3();
}

// How many corners the fan split gives the group's polygons, at most (polygons naming vertices
// the mesh lacks are left out later).
std::size_t fanCorners(const MaterialGroup& group, const std::vector<Primitive>& polygons) {
    std::size_t corners = 0;
    for (std::int32_t p : group.m_primitives) {
        if (p < 0 || static_cast<std::size_t>(p) >= polygons.size())
            continue;
        const std::size_t n = polygons[static_cast<std::size_t>(p)].m_indices.size();
        corners += n > 2 ? 3 * (n - 2) : 0;
    }
    return corners;
}

} // namespace

bool beginsWithAlpha(const std::string& materialName) {
    return toLowerAscii(std::string_view(materialName).substr(0, 5)) == "alpha";
}

unsigned MeshDataExporter::firstPackedUvSet() const {
    const std::vector<unsigned> order = uvPackOrder(m_uvSetCount);
    return order.empty() ? 0u : order.front();
}

void MeshDataExporter::widenUvSets(std::uint32_t count) {
    if (count <= m_uvSetCount)
        return;
    m_uvSetCount = count;
    declareTangentVertices();
}

std::uint8_t* MeshDataExporter::packVertices(std::span<const ExportVertex> vertices,
                                             std::uint8_t* out) const {
    const std::vector<unsigned> uvOrder = uvPackOrder(m_uvSetCount);
    for (const ExportVertex& v : vertices) {
        std::uint8_t* const start = out;
        out = putVector(out, v.position);
        // Normals are always written: the declaration always lists them.
        out = putVector(out, v.normal);
        out = put(out, indexBytes(v));
        for (unsigned set : uvOrder) {
            out = put(out, v.uvs[set].u);
            out = put(out, v.uvs[set].v);
        }
        if (m_hasTangents)
            out = putVector(out, v.tangent);
        VX_ASSERT_MSG(static_cast<std::uint32_t>(out - start) == stride(),
                      "packed vertex size differs from the declaration's stride");
    }
    return out;
}

bool MeshDataExporter::init(const Scene& scene, SceneNode& node, MeshPartList& parts,
                            std::string name, int geometry, int lod,
                            const std::string& outputFile) {
    m_scene = &scene;
    m_parts = &parts;
    m_name = std::move(name);
    m_geometry = geometry;
    m_lod = lod;
    m_outputFile = outputFile;
    return buildGeometry(node, geometry, lod);
}

void MeshDataExporter::groupMaterials(std::vector<MaterialTriangles>& arrived) {
    // Each group is cleaned on its own, so the groups are shared between threads.
    const bool withinMesh = duplicatesWithinMeshOnly();
    shareWork(arrived.size(), [&](std::size_t g) {
        MaterialTriangles& group = arrived[g];
        if (!group.corners.empty())
            group.corners = prepareMaterialGroup(group.vertices, group.corners, withinMesh);
    });
    std::vector<MaterialTriangles> others;
    std::vector<MaterialTriangles> alpha;
    for (MaterialTriangles& group : arrived) {
        if (group.corners.empty())
            continue;
        (beginsWithAlpha(group.name) ? alpha : others).push_back(std::move(group));
    }
    m_groups = std::move(others);
    for (MaterialTriangles& group : alpha)
        m_groups.push_back(std::move(group));
}

int MeshDataExporter::collectParts(SceneNode& node, const SceneNode* parent, const Matrix& toPart,
                                   const Matrix& toLod, int currentPart) {
    if (cutNameIs(node, "nonvis")) {
        if (currentPart >= 0) {
            (*m_parts)[static_cast<std::size_t>(currentPart)].node = &node;
        } else {
            static constexpr const char* kNoParent =
                "Wrong hierarchy for nonvis node. Please make sure it has a valid parent.";
            exportErrorList().append(kNoParent);
            VX_WARNING << kNoParent;
        }
        return -1;
    }
    if (cutNameIs(node, "col0")) {
        exportErrorList().append("Wrong nod naming " + node.name() +
                                 ": Cannot parse collision node in visual geometry.");
        VX_WARNING << "Wrong hierarchy for nonvis node. Please make sure it has a valid parent.";
        return -1;
    }
    if (currentPart >= 0 && cutNameIs(node, "CollisionMesh")) {
        exportErrorList().append("Use of unsupported nodeName CollisionMesh, should be nonvis");
        VX_WARNING << "Use of unsupported nodeName CollisionMesh, should be nonvis ";
    }
    const SceneNode* source = parent ? parent : &node;
    if (dynamic_cast<const UtilLocatorNode*>(&node)) {
        VX_INFO << "Found locator:" << node.name();
        // The part sits where its transform puts it; the shape's own offset is a viewport aid.
        MeshPart part;
        part.sourceNode = source;
        part.noGeometry = true;
        part.parentIndex = currentPart;
        part.name = source->name();
        part.transform = toPart;
        part.lodTransform = toLod;
        m_parts->push_back(std::move(part));
        return static_cast<int>(m_parts->size() - 1);
    }
    if (const auto* meshNode = dynamic_cast<const UtilMeshNode*>(&node)) {
        MeshPart part;
        part.sourceNode = source;
        part.parentIndex = currentPart;
        part.name = source->name();
        part.transform = toPart;
        part.lodTransform = toLod;
        m_parts->push_back(std::move(part));
        const int index = static_cast<int>(m_parts->size() - 1);
        const MaterialGroupedMesh* mesh = meshNode->mesh().get();
        const VertexBuffer* buffer =
            mesh && mesh->m_geometry ? mesh->m_geometry->m_vertexBuffer.get() : nullptr;
        VX_INFO << "PartIndex:" << index << " MeshNodeName:" << source->name()
                << " numVers:" << (buffer ? buffer->vertexCount() : 0);
        if (buffer && !buffer->m_normals.empty())
            m_hasNormals = true;
        if (mesh) {
            for (const MaterialGroup& group : mesh->m_groups) {
                const std::string materialName =
                    group.m_material ? group.m_material->m_name : group.m_name;
                if ((group.m_material && group.m_material->isHardwareShader()) ||
                    toLowerAscii(materialName) == "locator")
                    continue;
                const char* reason =
                    materialName == "lambert1"
                        ? "- Use of Maya default material lambert1, check your model."
                        : "- Check spelling of nonvis node.";
                exportErrorList().append("Unsupported shader material used " + materialName +
                                         ". \nPossible reasons:\n" + reason);
                VX_WARNING << "Non Hw shader material " << materialName;
            }
        }
        m_partMeshes.push_back({index, meshNode});
        return index;
    }
    Matrix partSpace = toPart;
    Matrix lodSpace = toLod;
    if (const auto* transform = dynamic_cast<const UtilTransformNode*>(&node)) {
        partSpace = transform->m_matrix * toPart;
        lodSpace = transform->m_matrix * toLod;
    }
    if (const NodeList* children = node.children()) {
        int current = currentPart;
        for (SceneNode* child : *children) {
            const int made = collectParts(*child, &node, partSpace, lodSpace, current);
            if (made >= 0) {
                // Later siblings hang below the part just made, in its space.
                current = made;
                partSpace = Matrix::identity();
            }
        }
    }
    return -1;
}

std::vector<MaterialTriangles> MeshDataExporter::convertParts(bool copyRoom) {
    std::vector<MaterialTriangles> groups;
    // The number of the group of the material's name, made at its first use.
    auto groupFor = [&](const MaterialGroup& group) -> std::uint32_t {
        const std::string name = group.m_material ? group.m_material->m_name : group.m_name;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            if (groups[g].name == name)
                return static_cast<std::uint32_t>(g);
        }
        groups.push_back({name, group.m_material, {}, {}});
        return static_cast<std::uint32_t>(groups.size() - 1);
    };
    m_uvSetCount = 0;
    // The groups in order of first use, and each part mesh's groups' numbers among them.
    std::vector<std::vector<std::uint32_t>> targetsOf(m_partMeshes.size());
    for (std::size_t m = 0; m < m_partMeshes.size(); ++m) {
        const MaterialGroupedMesh* mesh = m_partMeshes[m].mesh->mesh().get();
        if (!mesh || !mesh->m_geometry || !mesh->m_geometry->m_vertexBuffer ||
            !mesh->m_geometry->m_primitiveBuffer)
            continue;
        m_uvSetCount = std::max<std::uint32_t>(
            m_uvSetCount,
            static_cast<std::uint32_t>(mesh->m_geometry->m_vertexBuffer->uvSetCount()));
        for (const MaterialGroup& group : mesh->m_groups)
            targetsOf[m].push_back(groupFor(group));
    }
    if (m_uvSetCount > ExportVertex::kMaxUvSets) {
        VX_WARNING << "Meshes of " << m_name << " carry " << m_uvSetCount
                   << " UV sets; the mesh file keeps the first " << ExportVertex::kMaxUvSets;
        m_uvSetCount = ExportVertex::kMaxUvSets;
    }
    // The walk numbers the corners in order and lists, per group, the scene vertex each new
    // vertex converts; the conversions, the costly part, then run side by side. What the walk
    // met is kept in order, so that the conversions are reviewed and left-out polygons reported
    // as converting one corner after the other would.
    struct Source {
        std::uint32_t partMesh;
        std::uint32_t vertex;
    };
    struct Step {
        std::uint32_t group; // or kLeftOut: `begin` is then the polygon
        std::uint32_t partMesh;
        std::size_t begin;
        std::size_t end;
    };
    constexpr std::uint32_t kLeftOut = ~std::uint32_t{0};
    // Each part mesh is walked on its own, side by side, into lists of its own per group it
    // uses; joined in part-mesh order, each number moved on by what the part meshes before gave
    // the group, they are what one walk over all of them gives.
    struct PartWalk {
        std::vector<std::uint32_t> groups; // the groups it gave something, in order of use
        std::vector<std::vector<Source>> made;
        std::vector<std::vector<std::uint32_t>> corners;
        std::vector<Step> steps; // `group` and ranges within this walk's own lists
    };
    std::vector<PartWalk> walks(m_partMeshes.size());
    shareWork(m_partMeshes.size(), [&](std::size_t m) {
        const PartMesh& pm = m_partMeshes[m];
        const MaterialGroupedMesh* mesh = pm.mesh->mesh().get();
        if (!mesh || !mesh->m_geometry || !mesh->m_geometry->m_vertexBuffer ||
            !mesh->m_geometry->m_primitiveBuffer)
            return;
        PartWalk& walk = walks[m];
        // Each scene vertex is converted once per material that uses it: the group and the
        // number its conversion got there.
        const std::size_t sceneVertices = mesh->m_geometry->m_vertexBuffer->m_vertices.size();
        constexpr std::size_t kNone = ~std::size_t{0};
        std::vector<std::size_t> convertedFor(sceneVertices, kNone);
        std::vector<std::uint32_t> convertedAs(sceneVertices);
        const auto partMesh = static_cast<std::uint32_t>(m);
        for (std::size_t k = 0; k < mesh->m_groups.size(); ++k) {
            const std::uint32_t targetNumber = targetsOf[m][k];
            const auto own = static_cast<std::size_t>(
                std::find(walk.groups.begin(), walk.groups.end(), targetNumber) -
                walk.groups.begin());
            if (own == walk.groups.size()) {
                walk.groups.push_back(targetNumber);
                walk.made.emplace_back();
                walk.corners.emplace_back();
            }
            std::vector<Source>& made = walk.made[own];
            std::vector<std::uint32_t>& corners = walk.corners[own];
            corners.reserve(
                corners.size() +
                fanCorners(mesh->m_groups[k], mesh->m_geometry->m_primitiveBuffer->m_primitives));
            const auto openRun = [&] {
                walk.steps.push_back(
                    {static_cast<std::uint32_t>(own), partMesh, made.size(), made.size()});
            };
            openRun();
            forEachTriangleCorner(
                *pm.mesh, mesh->m_groups[k],
                [&](const VertexBuffer& buffer, const Vertex& v) {
                    const auto at = static_cast<std::size_t>(&v - buffer.m_vertices.data());
                    if (convertedFor[at] != targetNumber) {
                        convertedFor[at] = targetNumber;
                        convertedAs[at] = static_cast<std::uint32_t>(made.size());
                        made.push_back({partMesh, static_cast<std::uint32_t>(at)});
                        walk.steps.back().end = made.size();
                    }
                    corners.push_back(convertedAs[at]);
                },
                [&](std::int32_t polygon) {
                    walk.steps.push_back(
                        {kLeftOut, partMesh, static_cast<std::size_t>(polygon), 0});
                    openRun();
                });
        }
    });
    // Where each walk's lists go in its groups' lists.
    std::vector<std::size_t> madeSoFar(groups.size(), 0);
    std::vector<std::size_t> cornersSoFar(groups.size(), 0);
    std::vector<std::vector<std::pair<std::size_t, std::size_t>>> placeOf(walks.size());
    std::vector<Step> steps;
    for (std::size_t m = 0; m < walks.size(); ++m) {
        PartWalk& walk = walks[m];
        for (std::size_t own = 0; own < walk.groups.size(); ++own) {
            const std::uint32_t g = walk.groups[own];
            placeOf[m].emplace_back(madeSoFar[g], cornersSoFar[g]);
            madeSoFar[g] += walk.made[own].size();
            cornersSoFar[g] += walk.corners[own].size();
        }
        for (Step step : walk.steps) {
            if (step.group != kLeftOut) {
                const std::size_t offset = placeOf[m][step.group].first;
                step.group = walk.groups[step.group];
                step.begin += offset;
                step.end += offset;
            }
            steps.push_back(step);
        }
    }
    std::vector<std::vector<Source>> sources(groups.size());
    shareWork(groups.size(), [&](std::size_t g) {
        sources[g].resize(madeSoFar[g]);
        groups[g].corners.resize(cornersSoFar[g]);
        for (std::size_t m = 0; m < walks.size(); ++m) {
            const PartWalk& walk = walks[m];
            for (std::size_t own = 0; own < walk.groups.size(); ++own) {
                if (walk.groups[own] != g)
                    continue;
                const auto [madeAt, cornersAt] = placeOf[m][own];
                std::copy(walk.made[own].begin(), walk.made[own].end(),
                          sources[g].begin() + static_cast<std::ptrdiff_t>(madeAt));
                const auto offset = static_cast<std::uint32_t>(madeAt);
                std::transform(walk.corners[own].begin(), walk.corners[own].end(),
                               groups[g].corners.begin() + static_cast<std::ptrdiff_t>(cornersAt),
                               [offset](std::uint32_t corner) { return corner + offset; });
            }
        }
    });
    walks = {};
    const auto sceneVertex = [&](const Source& source) -> const Vertex& {
        return m_partMeshes[source.partMesh]
            .mesh->mesh()
            ->m_geometry->m_vertexBuffer->m_vertices[source.vertex];
    };
    // Per converted vertex, whether the review has anything to look at.
    std::vector<std::vector<std::uint8_t>> toReview(groups.size());
    shareWork(groups.size(), [&](std::size_t g) {
        // Large pages only where the vertices go: a large page in the copies' room would be
        // taken whole by the first copy.
        ExportVertexList& vertices = groups[g].vertices;
        vertices.reserve(sources[g].size() + (copyRoom ? groups[g].corners.size() : 0));
        adviseLargePages(vertices.data(), sources[g].size() * sizeof(ExportVertex));
        vertices.resize(sources[g].size());
        toReview[g].resize(sources[g].size());
    });
    constexpr std::size_t kSlice = 8192;
    std::vector<std::pair<std::size_t, std::size_t>> slices; // group, first vertex
    for (std::size_t g = 0; g < groups.size(); ++g)
        for (std::size_t first = 0; first < sources[g].size(); first += kSlice)
            slices.emplace_back(g, first);
    shareWork(slices.size(), [&](std::size_t k) {
        const auto [g, first] = slices[k];
        const std::size_t end = std::min(sources[g].size(), first + kSlice);
        for (std::size_t i = first; i < end; ++i) {
            const PartMesh& pm = m_partMeshes[sources[g][i].partMesh];
            const VertexBuffer& buffer = *pm.mesh->mesh()->m_geometry->m_vertexBuffer;
            const MeshPart& part = (*m_parts)[static_cast<std::size_t>(pm.part)];
            ExportVertex& out = groups[g].vertices[i];
            out = makeVertex(buffer, sceneVertex(sources[g][i]), vertexTransform(part), pm.part);
            out.sourceNode = pm.mesh;
            toReview[g][i] = needsReview(out) ? 1 : 0;
        }
    });
    for (const Step& step : steps) {
        if (step.group == kLeftOut) {
            warnLeftOut(*m_partMeshes[step.partMesh].mesh, static_cast<std::int32_t>(step.begin));
            continue;
        }
        for (std::size_t i = step.begin; i < step.end; ++i)
            if (toReview[step.group][i])
                reviewConverted(groups[step.group].vertices[i],
                                sceneVertex(sources[step.group][i]));
    }
    return groups;
}

void MeshDataExporter::forEachTriangleCorner(
    const UtilMeshNode& node, const MaterialGroup& group,
    const std::function<void(const VertexBuffer&, const Vertex&)>& corner,
    const std::function<void(std::int32_t)>& leftOut) const {
    const MaterialGroupedMesh* mesh = node.mesh().get();
    if (!mesh || !mesh->m_geometry || !mesh->m_geometry->m_vertexBuffer ||
        !mesh->m_geometry->m_primitiveBuffer)
        return;
    const VertexBuffer& buffer = *mesh->m_geometry->m_vertexBuffer;
    const PrimitiveBuffer& primitives = *mesh->m_geometry->m_primitiveBuffer;
    for (std::int32_t p : group.m_primitives) {
        if (p < 0 || static_cast<std::size_t>(p) >= primitives.m_primitives.size())
            continue;
        const Primitive& polygon = primitives.m_primitives[static_cast<std::size_t>(p)];
        const bool valid =
            std::all_of(polygon.m_indices.begin(), polygon.m_indices.end(), [&](std::int32_t v) {
                return v >= 0 && static_cast<std::size_t>(v) < buffer.m_vertices.size() &&
                       buffer.m_vertices[static_cast<std::size_t>(v)].m_position >= 0 &&
                       static_cast<std::size_t>(
                           buffer.m_vertices[static_cast<std::size_t>(v)].m_position) <
                           buffer.m_positions.size();
            });
        if (!valid) {
            if (leftOut)
                leftOut(p);
            else
                warnLeftOut(node, p);
            continue;
        }
        // A polygon of n corners is the fan of triangles (0, i, i + 1).
        for (std::size_t i = 1; i + 1 < polygon.m_indices.size(); ++i)
            for (std::size_t c : {std::size_t{0}, i, i + 1})
                corner(buffer, buffer.m_vertices[static_cast<std::size_t>(polygon.m_indices[c])]);
    }
}

void MeshDataExporter::warnLeftOut(const UtilMeshNode& node, std::int32_t polygon) {
    VX_WARNING << "Polygon " << polygon << " of " << node.name()
               << " names a vertex the mesh does not have; left out";
}

ExportVertex MeshDataExporter::convertSceneVertex(const VertexBuffer& buffer, const Vertex& vertex,
                                                  const Matrix& transform) const {
    ExportVertex out;
    out.position =
        transform.transformPoint(buffer.m_positions[static_cast<std::size_t>(vertex.m_position)]);
    if (vertex.m_normal >= 0 && static_cast<std::size_t>(vertex.m_normal) < buffer.m_normals.size())
        out.normal =
            normalTransform(transform)
                .transformVector(buffer.m_normals[static_cast<std::size_t>(vertex.m_normal)])
                .normalized();
    if (vertex.m_diffuse >= 0 &&
        static_cast<std::size_t>(vertex.m_diffuse) < buffer.m_diffuseColors.size())
        out.color = buffer.m_diffuseColors[static_cast<std::size_t>(vertex.m_diffuse)];
    const bool mirrorV = m_scene && m_scene->version() == 0;
    const std::size_t sets = std::min<std::size_t>(vertex.m_uvs.size(), ExportVertex::kMaxUvSets);
    for (std::size_t k = 0; k < sets && k < buffer.m_uvSets.size(); ++k) {
        const std::int32_t uv = vertex.m_uvs[k];
        if (uv < 0 || static_cast<std::size_t>(uv) >= buffer.m_uvSets[k].size())
            continue;
        UvCoord c = buffer.m_uvSets[k][static_cast<std::size_t>(uv)];
        if (mirrorV)
            c.v = 1.0f - c.v;
        out.uvs[k] = c;
    }
    return out;
}

void MeshDataExporter::declareTangentVertices() {
    m_declaration.clear();
    m_declaration.add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_POSITION);
    m_declaration.add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_NORMAL);
    m_declaration.add(D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_BLENDINDICES);
    for (std::uint32_t k = 0; k < m_uvSetCount; ++k)
        m_declaration.add(D3DDECLTYPE_FLOAT2, D3DDECLUSAGE_TEXCOORD, static_cast<BYTE>(k));
    m_declaration.add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_TANGENT);
    m_primitiveType = D3DPT_TRIANGLELIST;
    m_hasTangents = true;
}

MeshDataExporter::PreparedGroup
MeshDataExporter::prepareGroup(const MaterialTriangles& group) const {
    PreparedGroup prepared;
    if (group.corners.empty())
        return prepared;
    const HeldTangentRejection held;
    WeldedCorners welded = weldCorners(group.vertices, group.corners);
    prepared.sources = std::move(welded.vertices);
    // 16-bit indices cannot reach further, with or without tangents.
    if (prepared.sources.size() > 65535)
        return prepared;
    prepared.indices.assign(welded.indices.begin(), welded.indices.end());
    welded.indices = std::vector<std::uint32_t>();

    // Layout handed to the tangent generator: position, normal, the index bytes, the texture
    // coordinates the file's first set carries, then the welded vertex's number so each result
    // finds its source.
    const unsigned set = firstPackedUvSet();
    prepared.frames.resize(prepared.sources.size() * kTangentInputStride);
    std::uint8_t* out = prepared.frames.data();
    for (std::size_t i = 0; i < prepared.sources.size(); ++i) {
        const ExportVertex& v = group.vertices[prepared.sources[i]];
        out = putVector(out, v.position);
        out = putVector(out, v.normal);
        out = put(out, indexBytes(v));
        out = put(out, v.uvs[set].u);
        out = put(out, v.uvs[set].v);
        out = put(out, static_cast<std::uint32_t>(i));
    }
    prepared.vertexCount = static_cast<std::uint32_t>(prepared.sources.size());
    auto indexCount = static_cast<std::uint32_t>(prepared.indices.size());
    prepared.stride = kTangentInputStride;
    prepared.mended = generateTangents(prepared.vertexCount, indexCount, prepared.frames,
                                       prepared.indices, prepared.stride, 0, 12, 28,
                                       countsAfterTangents() ? &prepared.grown : nullptr);
    prepared.rejection = held.reason();
    if (prepared.mended)
        optimizeTriangleOrder(declaration(), prepared.vertexCount, prepared.indices);
    return prepared;
}

bool MeshDataExporter::placeGroup(const MaterialTriangles& group, PreparedGroup& prepared,
                                  MaterialGroupData& out, std::uint32_t indexCopies) {
    if (group.corners.empty())
        return failExport("no mesh found for material!");
    const auto welded = static_cast<std::uint32_t>(prepared.sources.size());
    if (welded > 65535) {
        reportTooManyVertices(welded);
        return false;
    }
    out.firstVertex = m_vertices.size();
    out.indices = std::move(prepared.indices);
    const auto reportCounts = [&](std::uint32_t vertices, std::uint32_t copies) {
        VX_INFO << "num vers:" << vertices
                << " numIndices:" << static_cast<std::uint32_t>(out.indices.size() * copies);
    };
    if (!countsAfterTangents())
        reportCounts(welded, 1);
    if (!prepared.mended) {
        if (prepared.rejection)
            rejectTangents(*prepared.rejection);
        // Split past what 16-bit indices reach: the material's own limit.
        if (prepared.grown > 0)
            reportTooManyVertices(prepared.grown);
        return false;
    }
    // The generator keeps every welded vertex in its place and appends the copies it splits
    // off, each naming its source among them; each vertex is made once, where the file's list
    // keeps it.
    for (std::uint32_t i = 0; i < prepared.vertexCount; ++i) {
        const std::uint8_t* in = prepared.frames.data() + std::size_t{i} * prepared.stride;
        std::uint32_t source = 0;
        std::memcpy(&source, in + 36, sizeof source);
        VX_ASSERT(i < welded ? source == i : source < welded);
        m_vertices.push_back(group.vertices[prepared.sources[source]]);
        ExportVertex& v = m_vertices.back();
        float f[6];
        std::memcpy(f, in + 12, 3 * sizeof(float)); // the normal may have been replaced
        v.normal = Vector3(f[0], f[1], f[2]);
        std::memcpy(f, in + kTangentInputStride, 6 * sizeof(float));
        v.tangent = Vector3(f[0], f[1], f[2]);
        v.binormal = Vector3(f[3], f[4], f[5]);
    }
    prepared.frames = std::vector<std::uint8_t>();
    m_hasTangents = true;
    if (countsAfterTangents())
        reportCounts(prepared.vertexCount, indexCopies);
    return true;
}

bool MeshDataExporter::prepareAndPlaceGroups(
    const std::function<bool(std::size_t)>& prepares,
    const std::function<bool(std::size_t, PreparedGroup&)>& place) {
    std::vector<PreparedGroup> prepared(m_groups.size());
    // Each group's converted vertices are freed once it is placed, while the list the groups
    // are placed in still has fresh room ahead: that room takes over their pages.
    const FreedPageReuse reuse;
    const bool all = shareInOrder(
        m_groups.size(), std::size_t{workHelpers()} + 2,
        [&](std::size_t k) {
            if (prepares(k))
                prepared[k] = prepareGroup(m_groups[k]);
        },
        [&](std::size_t k) {
            const bool placed = place(k, prepared[k]);
            prepared[k] = PreparedGroup();
            return placed;
        });
    // Pages taken over ahead of the placed vertices that no group filled would stay with the
    // list to the end of the export, its peak.
    releaseRoom(m_vertices);
    return all;
}

void MeshDataExporter::reportTooManyVertices(std::uint32_t count) const {
    failExport("Too many vertices in material. Max 65535 vertices allowed. this mesh:" +
               std::to_string(count));
}

void MeshDataExporter::appendMaterialGroup(MaterialTriangles& group, const MaterialGroupData& data,
                                           std::uint32_t alphaMode) {
    MeshMaterialRecord record;
    record.name = group.name;
    record.material = group.material;
    record.alphaMode = alphaMode;
    record.baseVertexIndex = static_cast<std::int32_t>(data.firstVertex);
    record.startIndex = static_cast<std::uint32_t>(m_indices.size());
    record.vertexCount = static_cast<std::uint32_t>(verticesOf(data).size());
    record.indexCount = static_cast<std::uint32_t>(data.indices.size());
    m_materialRecords.push_back(std::move(record));
    if (alphaMode == 1) {
        const std::vector<std::uint16_t> copies =
            buildSortCopies(verticesOf(data), data.indices, m_sortCopies);
        m_indices.insert(m_indices.end(), copies.begin(), copies.end());
    } else {
        m_indices.insert(m_indices.end(), data.indices.begin(), data.indices.end());
    }
    group.vertices = ExportVertexList();
    group.corners = std::vector<std::uint32_t>();
    reuseFreedPagesAhead(m_vertices);
}

bool MeshDataExporter::computeBoundingBox() {
    if (m_vertices.empty()) {
        static constexpr const char* kEmpty = "A collision mesh has no vertices, aborting !";
        exportErrorList().append(kEmpty);
        VX_WARNING << kEmpty;
        return false;
    }
    // Slices are measured side by side and met in order; a smaller (larger) value replaces
    // the one held only when strictly so, which gives the box of one walk over the list.
    const float big = std::numeric_limits<float>::max();
    constexpr std::size_t kSlice = 16384;
    const std::size_t slices = (m_vertices.size() + kSlice - 1) / kSlice;
    std::vector<std::pair<Vector3, Vector3>> boxes(
        slices, {Vector3(big, big, big), Vector3(-big, -big, -big)});
    const auto widen = [](std::pair<Vector3, Vector3>& box, const Vector3& low,
                          const Vector3& high) {
        box.first = Vector3(std::min(box.first.x, low.x), std::min(box.first.y, low.y),
                            std::min(box.first.z, low.z));
        box.second = Vector3(std::max(box.second.x, high.x), std::max(box.second.y, high.y),
                             std::max(box.second.z, high.z));
    };
    shareSlices(m_vertices.size(), kSlice, [&](std::size_t begin, std::size_t end) {
        std::pair<Vector3, Vector3>& sliceBox = boxes[begin / kSlice];
        for (std::size_t i = begin; i < end; ++i) {
            const Vector3 p = placedPosition(m_vertices[i]);
            widen(sliceBox, p, p);
        }
    });
    std::pair<Vector3, Vector3> box = boxes.front();
    for (std::size_t s = 1; s < slices; ++s)
        widen(box, boxes[s].first, boxes[s].second);
    m_boundsMin = box.first;
    m_boundsMax = box.second;
    float largest = 0.0f;
    for (int corner = 0; corner < 8; ++corner) {
        const Vector3 c((corner & 1) ? m_boundsMax.x : m_boundsMin.x,
                        (corner & 2) ? m_boundsMax.y : m_boundsMin.y,
                        (corner & 4) ? m_boundsMax.z : m_boundsMin.z);
        largest = std::max(largest, c.lengthSquared());
    }
    m_radius = std::sqrt(largest);
    m_boundsValid = true;
    VX_INFO << "Bounding box radius: " << fixedText(static_cast<double>(m_radius));
    return true;
}

void MeshDataExporter::writeVertexBlockTrailer(OutStream& out) const {
    out << m_sortCopies;
}

void MeshDataExporter::writeLodBlock(OutStream& out) const {
    out << m_boundsMin << m_boundsMax;
}

} // namespace vx
