#include "MeshExporter/SkinnedMeshDataExporter.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshExporter.h"
#include "MeshExporter/MeshMerge.h"
#include "MeshExporter/NormalMapReferences.h"
#include "MeshExporter/PackedBytes.h"
#include "MeshExporter/StrongestInfluences.h"
#include "MeshExporter/TransformNormalMap.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

namespace vx {

namespace {

constexpr float kSmallLength = 1.1920929e-07f;

// A normal already of unit length within float precision stays bit for bit as it is; one too
// short to have a direction becomes zero.
Vector3 unitNormal(const Vector3& n) {
    const float squared = n.lengthSquared();
    if (std::fabs(squared - 1.0f) < kSmallLength)
        return n;
    if (squared < kSmallLength)
        return {0.0f, 0.0f, 0.0f};
    return n / std::sqrt(squared);
}

bool inBoneRange(std::int32_t local) {
    return local >= 0 && local < SkinnedMeshDataExporter::kMaxBonesPerPart;
}

const std::string& materialNameOf(const MaterialGroup& group) {
    return group.m_material ? group.m_material->m_name : group.m_name;
}

} // namespace

bool SkinnedMeshDataExporter::init(const Scene& scene, SceneNode& node, MeshPartList& parts,
                                   std::string name, int geometry, int lod,
                                   const std::string& outputFile) {
    if (!findSkeleton(node))
        return false;
    return MeshDataExporter::init(scene, node, parts, std::move(name), geometry, lod, outputFile);
}

bool SkinnedMeshDataExporter::findSkeleton(const SceneNode& lod) {
    const SceneNode* at = &lod;
    m_skeleton.buildSkeleton(*at);
    while (m_skeleton.empty()) {
        if (at->parents().empty()) {
            VX_INFO << "Skeleton not found, parentName:" << at->name();
            exportErrorList().append("(ERROR) no skeleton found");
            return false;
        }
        at = at->parents().front();
        m_skeleton.buildSkeleton(*at);
    }
    VX_INFO << "Skeleton found, node:" << lod.name() << " parent:" << at->name();
    m_skeletonIndices.clear();
    for (std::size_t i = 0; i < m_skeleton.size(); ++i)
        if (const SceneNode* bone = m_skeleton.bones()[i].node)
            m_skeletonIndices.emplace(bone, static_cast<std::int32_t>(i));
    return true;
}

void SkinnedMeshDataExporter::attachMaterials(MeshMaterialExporter& materials, int lod) {
    TransformNormalMap transform;
    if (lod == 0 && transform.initContext()) {
        transform.convertSkinnedMesh(*this, materials);
        transform.release();
    }
    pointAtObjectSpaceMaps(m_outputFile, materials);
}

bool SkinnedMeshDataExporter::buildGeometry(SceneNode& node, int /*geometry*/, int /*lod*/) {
    if (collectMeshes(node) == -1)
        return false;

    m_declaration.clear();
    m_declaration.add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_POSITION);
    m_declaration.add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_NORMAL);
    m_declaration.add(D3DDECLTYPE_FLOAT1, D3DDECLUSAGE_BLENDWEIGHT);
    m_declaration.add(D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_BLENDINDICES);
    if (m_maxUvSets != 0)
        m_declaration.add(D3DDECLTYPE_FLOAT2, D3DDECLUSAGE_TEXCOORD, 0);
    // The tangent closes the layout; it is declared before the groups are finished because
    // their triangle order is optimised over vertices packed in the final layout.
    m_declaration.add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_TANGENT);
    m_primitiveType = D3DPT_TRIANGLELIST;
    m_hasTangents = true;
    m_uvSetCount = m_maxUvSets != 0 ? 1 : 0;

    for (int part = 0; part <= m_partIndex; ++part) {
        std::vector<MaterialTriangles>& arrived = m_partGroups[static_cast<std::size_t>(part)];
        std::size_t empty = static_cast<std::size_t>(std::count_if(
            arrived.begin(), arrived.end(), [](const auto& g) { return g.corners.empty(); }));
        groupMaterials(arrived);
        // Groups left without triangles once degenerate and repeated ones are gone.
        empty += static_cast<std::size_t>(std::count_if(
            m_groups.begin(), m_groups.end(), [](const auto& g) { return g.corners.empty(); }));
        for (std::size_t i = 0; i < empty; ++i)
            exportErrorList().append("no mesh found for material!");
        const bool placed =
            prepareAndPlaceGroups([&](std::size_t k) { return !m_groups[k].corners.empty(); },
                                  [&](std::size_t k, PreparedGroup& prepared) {
                                      MaterialTriangles& group = m_groups[k];
                                      if (group.corners.empty())
                                          return true;
                                      MaterialGroupData data;
                                      if (!placeGroup(group, prepared, data))
                                          return false;
                                      // A vertex naming a bone its part's table lacks would be
                                      // drawn with some other bone: the export stops (the reason is
                                      // already in the artist's list).
                                      if (!bonesInPart(verticesOf(data), part))
                                          return false;
                                      appendMaterialGroup(group, data, 0);
                                      return true;
                                  });
        if (!placed)
            return false;
    }
    VX_INFO << "Found vertices: " << static_cast<std::uint32_t>(m_vertices.size())
            << " indices:" << static_cast<std::uint32_t>(m_indices.size())
            << " NumMeshParts:" << m_partIndex << " verSize:" << stride();
    return computeBoundingBox();
}

int SkinnedMeshDataExporter::collectMeshes(const SceneNode& node) {
    if (node.name().find("root_Skeleton") != std::string::npos)
        return 0;
    const auto* mesh = dynamic_cast<const UtilMeshNode*>(&node);
    if (!mesh) {
        if (const NodeList* children = node.children())
            for (const SceneNode* child : *children)
                if (collectMeshes(*child) == -1)
                    return -1;
        return 0;
    }
    if (m_partIndex < 0)
        m_partIndex = 0;
    const int merge = decideMerge(*mesh);
    if (merge < 0)
        return -1;
    if (merge == 0)
        ++m_partIndex;
    if (m_partIndex >= kMaxParts) {
        const std::string text = "Too many meshes " + std::to_string(m_partIndex) + ", max " +
                                 std::to_string(kMaxParts) + " meshes per skinnedMesh";
        exportErrorList().append(text);
        VX_WARNING << text;
        return -1;
    }
    const MaterialGroupedMesh* grouped = mesh->mesh().get();
    const VertexBuffer* buffer =
        grouped && grouped->m_geometry ? grouped->m_geometry->m_vertexBuffer.get() : nullptr;
    if (buffer && !buffer->m_normals.empty())
        m_hasNormals = true;
    VX_INFO << " PartIndex:" << m_partIndex << " MeshNodeName:" << mesh->name()
            << " numVers:" << (buffer ? buffer->vertexCount() : 0);
    collectMaterialGroups(*mesh);
    VX_INFO << "nBones used from skeleton so far:"
            << m_partBones[static_cast<std::size_t>(m_partIndex)].size();
    return m_partIndex;
}

int SkinnedMeshDataExporter::decideMerge(const UtilMeshNode& mesh) {
    if (m_partIndex < 0)
        return 0;
    PartBoneMap& bones = m_partBones[static_cast<std::size_t>(m_partIndex)];
    if (bones.size() > static_cast<std::size_t>(kMaxBonesPerPart - 1))
        return 0;
    if (!bones.empty()) {
        if (!skinnedKitsFlag()) {
            VX_INFO << "zr: Merging mesh parts doesn't not work (probably never has!), bailing "
                       "merge process.";
            return 0;
        }
        VX_INFO << "zr: Allowing mesh merge for kit meshes.";
    }
    const PartBoneMap saved = bones;
    for (const SceneNode* influence : mesh.influenceObjects()) {
        // A joint outside the skeleton takes no place in the part; its vertices are bound to
        // bone 0 (bindInfluences) and reported once for the mesh.
        if (m_skeletonIndices.count(influence) == 0)
            continue;
        const std::int32_t local = registerBone(*influence, true);
        if (local == -2)
            return -1;
        if (local == -1) {
            bones = saved;
            return 0;
        }
    }
    return 1;
}

std::int32_t SkinnedMeshDataExporter::registerBone(const SceneNode& bone, bool trial) {
    PartBoneMap& bones = m_partBones[static_cast<std::size_t>(m_partIndex)];
    if (const std::int32_t held = bones.localIndexOf(&bone); held >= 0)
        return held;
    const auto found = m_skeletonIndices.find(&bone);
    VX_ASSERT_MSG(found != m_skeletonIndices.end(),
                  "bone " << bone.name() << " is no skeleton bone");
    if (found == m_skeletonIndices.end())
        return -2;
    const std::int32_t local = bones.insert(&bone, found->second);
    if (local < kMaxBonesPerPart)
        return local;
    if (trial)
        return -1;
    // The first bone past the limit names the reason; later ones fail for the same one.
    if (local == kMaxBonesPerPart) {
        const std::string text = bone.name() + " Skin containing more than " +
                                 std::to_string(kMaxBonesPerPart) +
                                 " bones. Total:" + std::to_string(local);
        exportErrorList().append(text);
        VX_INFO << text;
    }
    return -2;
}

void SkinnedMeshDataExporter::collectMaterialGroups(const UtilMeshNode& mesh) {
    const MaterialGroupedMesh* grouped = mesh.mesh().get();
    if (!grouped)
        return;
    const VertexBuffer* buffer =
        grouped->m_geometry ? grouped->m_geometry->m_vertexBuffer.get() : nullptr;
    const auto uvSets = static_cast<std::uint32_t>(buffer ? buffer->uvSetCount() : 0);
    std::vector<MaterialTriangles>& groups = m_partGroups[static_cast<std::size_t>(m_partIndex)];
    m_unknownInfluences = 0;
    m_unbound = {};
    int groupNumber = 0;
    for (const MaterialGroup& group : grouped->m_groups) {
        const int number = groupNumber++;
        const std::string& materialName = materialNameOf(group);
        if (!group.m_material || !group.m_material->isHardwareShader()) {
            if (toLowerAscii(materialName) == "locator")
                continue;
            const char* reason = materialName == "lambert1"
                                     ? "- Use of Maya default material lambert1, check your model."
                                     : "- Check spelling of collisionMesh node.";
            exportErrorList().append("Unsupported shader material used " + materialName +
                                     ". \nPossible reasons:\n" + reason);
            VX_WARNING << "Non Hw shader material " << materialName;
            continue;
        }
        if (uvSets > 1 && group.m_material->getInt("zeph_NumFxTextures").value_or(0) < 4) {
            exportErrorList().append(mesh.name() + " matGroupIt " + std::to_string(number) + " " +
                                     materialName + " has unsupported amount of UV sets used " +
                                     std::to_string(uvSets) +
                                     "! Max UV count in this version is 1.\nExport of this "
                                     "mesh will be flawed");
            continue;
        }
        m_maxUvSets = std::max(m_maxUvSets, uvSets);
        auto target = std::find_if(groups.begin(), groups.end(), [&](const MaterialTriangles& g) {
            return g.name == materialName;
        });
        if (target == groups.end()) {
            groups.push_back({materialName, group.m_material, {}, {}});
            target = groups.end() - 1;
        }
        // Binding reports what it meets per corner, so every corner is converted on its own.
        forEachTriangleCorner(mesh, group, [&](const VertexBuffer& vb, const Vertex& vertex) {
            ExportVertex corner = makeVertex(vb, vertex, Matrix::identity(), m_partIndex);
            bindInfluences(corner, mesh, vb, vertex);
            corner.sourceNode = &mesh;
            target->corners.push_back(static_cast<std::uint32_t>(target->vertices.size()));
            target->vertices.push_back(corner);
        });
    }
    if (m_unknownInfluences != 0) {
        VX_WARNING << m_unknownInfluences << " influences of " << mesh.name()
                   << " name no joint the mesh is bound to; they are left out";
    }
    reportUnboundVertices(mesh);
}

void SkinnedMeshDataExporter::reportUnboundVertices(const UtilMeshNode& mesh) const {
    const std::string bound =
        " vertices of mesh " + mesh.name() + " bound to bone 0 with weight 1.0";
    auto report = [&](const std::string& reason, const std::set<std::int32_t>& vertices) {
        if (vertices.empty())
            return;
        const std::string text = reason + ": " + std::to_string(vertices.size()) + bound;
        exportErrorList().append(text);
        VX_WARNING << text;
    };
    report("no skinning found for mesh", m_unbound.unskinned);
    report("no max weight found, bone0", m_unbound.withoutInfluence);
    std::string names;
    for (const std::string& name : m_unbound.foreignBones)
        names += (names.empty() ? "" : ",") + name;
    report("Mesh skinned to no-existing bone:" + names +
               "   Possibly missing anim_export set to that bone?",
           m_unbound.onForeignBones);
}

ExportVertex SkinnedMeshDataExporter::makeVertex(const VertexBuffer& buffer, const Vertex& vertex,
                                                 const Matrix& transform, int part) const {
    ExportVertex out = convertSceneVertex(buffer, vertex, transform);
    out.normal = {0.0f, 0.0f, 0.0f};
    if (vertex.m_normal >= 0 && static_cast<std::size_t>(vertex.m_normal) < buffer.m_normals.size())
        out.normal = unitNormal(
            transform.transformVector(buffer.m_normals[static_cast<std::size_t>(vertex.m_normal)]));
    out.indices = {part, 0, 0, 0};
    return out;
}

void SkinnedMeshDataExporter::bindInfluences(ExportVertex& out, const UtilMeshNode& mesh,
                                             const VertexBuffer& buffer, const Vertex& vertex) {
    const bool skinned = mesh.influenceCount() != 0 && !buffer.m_skinWeights.empty();
    if (!skinned) {
        m_unbound.unskinned.insert(vertex.m_position);
        bindToFirstBone(out);
        return;
    }
    SkinWeight record;
    if (vertex.m_blendWeight >= 0 &&
        static_cast<std::size_t>(vertex.m_blendWeight) < buffer.m_skinWeights.size())
        record = buffer.m_skinWeights[static_cast<std::size_t>(vertex.m_blendWeight)];
    std::array<bool, 4> known{};
    for (std::size_t slot = 0; slot < 4; ++slot) {
        const std::int32_t position = record.m_bones[slot];
        known[slot] = static_cast<std::size_t>(position) < mesh.influenceCount();
        if (position >= 0 && !known[slot])
            ++m_unknownInfluences;
    }
    const StrongestInfluences picked = pickStrongestInfluences(record, known);
    if (picked.slots[0] < 0) {
        m_unbound.withoutInfluence.insert(vertex.m_position);
        bindToFirstBone(out);
        return;
    }
    auto boneOf = [&](int slot) -> const SceneNode& {
        return *mesh.influenceObject(static_cast<std::size_t>(record.m_bones[slot]));
    };
    for (const int slot : picked.slots) {
        if (slot >= 0 && m_skeletonIndices.count(&boneOf(slot)) == 0) {
            m_unbound.foreignBones.insert(boneOf(slot).name());
            m_unbound.onForeignBones.insert(vertex.m_position);
            bindToFirstBone(out);
            return;
        }
    }
    out.bones[0] = registerBone(boneOf(picked.slots[0]), false);
    out.weights[0] = record.m_weights[picked.slots[0]];
    if (picked.slots[1] < 0) {
        out.weights[0] = 1.0f;
        out.bones[1] = 0;
        out.weights[1] = 0.0f;
        return;
    }
    out.bones[1] = registerBone(boneOf(picked.slots[1]), false);
    out.weights[1] = record.m_weights[picked.slots[1]];
}

void SkinnedMeshDataExporter::bindToFirstBone(ExportVertex& out) {
    // A part of unbound vertices alone holds the skeleton's root as its bone 0.
    PartBoneMap& bones = m_partBones[static_cast<std::size_t>(m_partIndex)];
    if (bones.empty())
        bones.insert(m_skeleton.bones().front().node, 0);
    out.bones = {0, 0};
    out.weights = {1.0f, 0.0f};
}

bool SkinnedMeshDataExporter::bonesInPart(std::span<const ExportVertex> vertices, int part) const {
    const auto held = static_cast<std::int32_t>(partBones(part).size());
    return std::all_of(vertices.begin(), vertices.end(), [&](const ExportVertex& v) {
        return std::all_of(v.bones.begin(), v.bones.end(),
                           [&](std::int32_t bone) { return inBoneRange(bone) && bone < held; });
    });
}

void SkinnedMeshDataExporter::reportTooManyVertices(std::uint32_t count) const {
    exportErrorList().append(
        "Too many vertices in material. Max 65535 vertices allowed. this mesh: ");
    VX_ERROR << "Too many vertices in material. Max 65535 vertices allowed. this mesh: " << count;
}

std::uint8_t* SkinnedMeshDataExporter::packVertices(std::span<const ExportVertex> vertices,
                                                    std::uint8_t* out) const {
    for (const ExportVertex& v : vertices) {
        std::uint8_t* const start = out;
        out = putVector(out, v.position);
        out = putVector(out, v.normal);
        const float weight = v.weights[0] <= 0.0f || v.weights[0] > 1.0f ? 1.0f : v.weights[0];
        out = put(out, weight);
        std::uint32_t bones = 0;
        if (inBoneRange(v.bones[0]) && inBoneRange(v.bones[1]))
            bones = static_cast<std::uint32_t>(v.bones[0]) |
                    (static_cast<std::uint32_t>(v.bones[1]) << 8);
        out = put(out, bones);
        if (m_maxUvSets != 0) {
            out = put(out, v.uvs[0].u);
            out = put(out, v.uvs[0].v);
        }
        out = putVector(out, v.tangent);
        VX_ASSERT_MSG(static_cast<std::uint32_t>(out - start) == stride(),
                      "packed vertex size differs from the declaration's stride");
    }
    return out;
}

void SkinnedMeshDataExporter::writeLodBlock(OutStream& out) const {
    MeshDataExporter::writeLodBlock(out);
    const auto parts = static_cast<std::uint32_t>(m_partIndex + 1);
    out << parts;
    for (std::uint32_t p = 0; p < parts; ++p) {
        const PartBoneMap& bones = m_partBones[p];
        const auto count = static_cast<std::uint32_t>(bones.size());
        if (count > std::uint32_t{kMaxBonesPerPart})
            exportErrorList().append("Too many bones used by skin: " + std::to_string(count) + ".");
        out << count;
        for (std::uint32_t local = 0; local < count; ++local) {
            const auto skeletonIndex =
                static_cast<std::uint32_t>(bones.entries()[local].skeletonIndex);
            out << skeletonIndex;
            VX_INFO << local << " realBoneIndex:" << skeletonIndex
                    << " name:" << m_skeleton.boneName(skeletonIndex);
            Matrix inverse;
            const bool invertible = m_skeleton.bindWorldMatrix(skeletonIndex).inverse(inverse);
            VX_ASSERT_MSG(invertible, "bone " << m_skeleton.boneName(skeletonIndex)
                                              << " has a singular world matrix");
            // Adding zero writes the inverse's negative zeros (of untranslated axes) as zeros.
            for (const auto& row : inverse.toMatrix4().m)
                for (float value : row)
                    out << value + 0.0f;
        }
    }
    VX_INFO << "Total number of indices:"
            << static_cast<std::uint32_t>(meshMergeState().indices.size());
}

} // namespace vx
