#pragma once
// The mesh data exporter of skinned meshes (characters): the meshes below a level of detail
// become at most four parts of at most 26 bones each, every vertex bound to its two strongest
// bones by local index, and each part's bone table carries the skeleton index and the inverse
// bind matrix of every bone it uses.
#include "AnimationExporter/Skeleton.h"
#include "MeshExporter/MeshDataExporter.h"
#include "MeshExporter/PartBoneMap.h"

#include <array>
#include <set>
#include <span>
#include <string>
#include <unordered_map>

namespace vx {

class SkinnedMeshDataExporter : public MeshDataExporter {
public:
    static constexpr int kMaxParts = 4;
    static constexpr int kMaxBonesPerPart = 26;

    // Position, normal, weight 0 (1.0 when not in (0, 1]), the two local bone indices as bytes
    // (the whole word 0 when either lies outside 0..25), the first texture coordinates when
    // the declaration has them, the tangent: 52 or 44 bytes.
    std::uint8_t* packVertices(std::span<const ExportVertex> vertices,
                               std::uint8_t* out) const override;
    // Finds the skeleton first: built from the level of detail's node, else from each parent
    // in turn. False (with the artist's message) when no node up to the top holds one.
    bool init(const Scene& scene, SceneNode& node, MeshPartList& parts, std::string name,
              int geometry, int lod, const std::string& outputFile) override;
    // Level of detail 0 converts the materials' tangent-space normal maps to object space;
    // the others, and every level when no rendering device can be had, only point the
    // materials at the converted maps.
    void attachMaterials(MeshMaterialExporter& materials, int lod) override;
    bool buildGeometry(SceneNode& node, int geometry, int lod) override;
    // Position, normal (normalised; unit and near-zero lengths kept as they are or zeroed)
    // and texture coordinates; the bones are bound afterwards (bindInfluences).
    ExportVertex makeVertex(const VertexBuffer& buffer, const Vertex& vertex,
                            const Matrix& transform, int part) const override;
    void writeVertexBlockTrailer(OutStream&) const override {}
    // The bounds, the part count, then per part its bone count and per local bone the skeleton
    // index (u32) and the inverse of the bone's world matrix (16 floats, row-major).
    void writeLodBlock(OutStream& out) const override;

    const Skeleton& skeleton() const { return m_skeleton; }
    // The part being filled; the number of parts written is one more. -1 before any mesh.
    int partIndex() const { return m_partIndex; }
    const PartBoneMap& partBones(int part) const {
        return m_partBones[static_cast<std::size_t>(part)];
    }

protected:
    void reportTooManyVertices(std::uint32_t count) const override;

private:
    bool findSkeleton(const SceneNode& lod);
    // Walks the subtree for meshes, skipping "root_Skeleton" subtrees. Returns -1 to abort.
    int collectMeshes(const SceneNode& node);
    // 1: the mesh joins the current part, 0: it starts a new one, -1: abort.
    int decideMerge(const UtilMeshNode& mesh);
    // The local index of a skeleton bone in the current part, registering it when new; -2
    // outside trial mode for a bone past the part's 26 (the first such bone reported); -1 in
    // trial mode for a bone that would not fit.
    std::int32_t registerBone(const SceneNode& bone, bool trial);
    void collectMaterialGroups(const UtilMeshNode& mesh);
    // Steps that need the mesh's skin: the two strongest influences, registered in the part.
    // A vertex of an unskinned mesh, without influences, or whose pick is a joint outside the
    // skeleton is bound to bone 0 with weight 1.0 and noted for the mesh's report.
    void bindInfluences(ExportVertex& out, const UtilMeshNode& mesh, const VertexBuffer& buffer,
                        const Vertex& vertex);
    void bindToFirstBone(ExportVertex& out);
    // One line per reason in the artist's list, naming the mesh and how many vertices.
    void reportUnboundVertices(const UtilMeshNode& mesh) const;
    // Whether every vertex names a bone the part's table holds (0..25 and below its size).
    bool bonesInPart(std::span<const ExportVertex> vertices, int part) const;

    Skeleton m_skeleton;
    std::unordered_map<const SceneNode*, std::int32_t> m_skeletonIndices; // first bone per node
    int m_partIndex = -1;
    std::array<PartBoneMap, kMaxParts> m_partBones;
    std::uint32_t m_maxUvSets = 0;
    // Per part, the triangles of each material in order of first use.
    std::array<std::vector<MaterialTriangles>, kMaxParts> m_partGroups;
    std::size_t m_unknownInfluences = 0; // influence positions the mesh has no node for
    // The current mesh's vertices (by position index) bound to bone 0 for want of a bone.
    struct Unbound {
        std::set<std::int32_t> unskinned;
        std::set<std::int32_t> withoutInfluence;
        std::set<std::int32_t> onForeignBones;
        std::set<std::string> foreignBones;
    } m_unbound;
};

} // namespace vx
