#pragma once
// Turns one level of detail of the scene into export geometry: parts from the hierarchy,
// export vertices grouped by material, tangents, triangle order, and the LOD's share of the
// mesh file. The static, bundled and skinned exporters override the steps that differ.
#include "MeshExporter/ExportVertex.h"
#include "MeshExporter/MeshMaterialRecord.h"
#include "MeshExporter/MeshPart.h"
#include "MeshExporter/VertexDeclaration.h"

#include <d3d9.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vx {

class Material;
class MaterialGroup;
class MeshMaterialExporter;
class OutStream;
class Scene;
class SceneNode;
class UtilMeshNode;
class Vertex;
class VertexBuffer;

// The triangles of one material: its converted vertices, each made once per scene vertex, and
// per corner, three to a triangle, the number of the vertex it uses. Vertices no corner uses
// may remain; equal vertices are merged only by the weld.
struct MaterialTriangles {
    std::string name;
    std::shared_ptr<Material> material; // may be absent
    ExportVertexList vertices;
    std::vector<std::uint32_t> corners;

    const ExportVertex& corner(std::size_t c) const { return vertices[corners[c]]; }
};

// A material's welded triangles once they are ready for the mesh file. Its vertices are the
// level of detail's last ones, from `firstVertex` on: they are welded and mended where the
// file's list holds them, not copied there afterwards.
struct MaterialGroupData {
    std::size_t firstVertex = 0;
    std::vector<std::uint16_t> indices;
};

class MeshDataExporter {
public:
    MeshDataExporter() = default;
    MeshDataExporter(const MeshDataExporter&) = delete;
    MeshDataExporter& operator=(const MeshDataExporter&) = delete;
    virtual ~MeshDataExporter() = default;

    // Packs each vertex by this exporter's declaration; returns the end of the written bytes.
    // `out` holds vertices.size() x stride() bytes.
    virtual std::uint8_t* packVertices(std::span<const ExportVertex> vertices,
                                       std::uint8_t* out) const;
    // Stores the inputs and builds the geometry. `parts` is filled by the hierarchy walk and
    // belongs to the caller. `outputFile` names the sample files.
    virtual bool init(const Scene& scene, SceneNode& node, MeshPartList& parts, std::string name,
                      int geometry, int lod, const std::string& outputFile);
    virtual void attachMaterials(MeshMaterialExporter& /*materials*/, int /*lod*/) {}
    // Prepares each non-empty group and orders them: groups of materials whose names begin
    // with "Alpha" (any case) after all others, each kind in order of arrival.
    virtual void groupMaterials(std::vector<MaterialTriangles>& arrived);
    // Whether duplicates are sought only within each scene mesh (exporters that keep vertices in
    // their part's space).
    virtual bool duplicatesWithinMeshOnly() const { return false; }
    // Builds the level of detail as far as its vertex layout; static and bundled meshes stop
    // there, so that the driver can give every level of detail of the file one layout first.
    virtual bool buildGeometry(SceneNode& node, int geometry, int lod) = 0;
    // Completes the build once the layout is settled: static and bundled meshes weld, give
    // tangents to and order each material group here, and take their bounding box. False,
    // with the reason in the error list, when the export cannot go on.
    virtual bool finishGeometry() { return true; }
    // The hierarchy walk below `node`: `toPart` is the transform from the node's parent to the
    // current part's space, `toLod` to the level of detail's. Returns the index of the part the
    // node made (meshes and locators), or -1.
    virtual int collectParts(SceneNode& node, const SceneNode* parent, const Matrix& toPart,
                             const Matrix& toLod, int currentPart);
    // Converts a scene vertex; may run on any thread, side by side with other conversions.
    virtual ExportVertex makeVertex(const VertexBuffer& buffer, const Vertex& vertex,
                                    const Matrix& transform, int part) const = 0;
    // Whether reviewConverted has anything to look at in a vertex just made; asked on any
    // thread, side by side.
    virtual bool needsReview(const ExportVertex& /*converted*/) const { return false; }
    // Looks at each vertex convertParts made that needs it, on the exporting thread and in the
    // order the corners first met them, for what the log reports.
    virtual void reviewConverted(const ExportVertex& /*converted*/, const Vertex& /*vertex*/) {}
    virtual void writeVertexBlockTrailer(OutStream& out) const;
    virtual void writeLodBlock(OutStream& out) const;

    const ExportVertexList& vertices() const { return m_vertices; }
    const std::vector<std::uint16_t>& indices() const { return m_indices; }
    std::vector<D3DVERTEXELEMENT9> declaration() const { return m_declaration.elements(); }
    std::uint32_t stride() const { return m_declaration.stride(); }
    // The export's output file as the driver named it; sample and converted maps go beside it.
    const std::string& outputFile() const { return m_outputFile; }
    std::uint32_t primitiveType() const { return m_primitiveType; }
    std::vector<MeshMaterialRecord>& materialRecords() { return m_materialRecords; }
    const std::vector<MeshMaterialRecord>& materialRecords() const { return m_materialRecords; }
    const MeshPartList& parts() const { return *m_parts; }
    std::uint32_t uvSetCount() const { return m_uvSetCount; }
    // Gives the static and bundled layout at least `count` texture sets, so that every level of
    // detail of a file packs by one declaration; the sets a level of detail lacks keep what its
    // vertices hold there (zeros, the lightmap's copies, or the "no second set" marker).
    void widenUvSets(std::uint32_t count);
    Vector3 boundsMin() const { return m_boundsMin; }
    Vector3 boundsMax() const { return m_boundsMax; }
    float radius() const { return m_radius; }

protected:
    // Meshes met by the walk with the part each one made.
    struct PartMesh {
        int part;
        const UtilMeshNode* mesh;
    };

    // The transform a part's vertices are converted with: by default from the part into the
    // level of detail's space.
    virtual const Matrix& vertexTransform(const MeshPart& part) const { return part.lodTransform; }
    // A vertex as placed in the level of detail's space, for the bounding box.
    virtual Vector3 placedPosition(const ExportVertex& v) const { return v.position; }
    // Whether a group's size is checked and reported after its tangents (bundled meshes) rather
    // than before.
    virtual bool countsAfterTangents() const { return false; }
    // The texture set packed into the file's first texture slot, which the tangents follow.
    unsigned firstPackedUvSet() const;
    // What every exporter's makeVertex starts from: position and normal through the transform
    // (the normal by its rotation, then normalised; (0, 0, 0) when absent), the diffuse colour,
    // and the texture coordinates of up to five sets, v mirrored for scenes of version 0.
    ExportVertex convertSceneVertex(const VertexBuffer& buffer, const Vertex& vertex,
                                    const Matrix& transform) const;
    // The static and bundled layout: position, normal, the index bytes, one texture set per
    // UV set, the tangent; a triangle list with tangents stored.
    void declareTangentVertices();
    // Calls `corner` with each corner of the group's polygons split into the triangles
    // (corner 0, i, i + 1), in order. Polygons naming vertices the mesh lacks are left out with
    // a warning, or passed to `leftOut` when given, to warn about later; a mesh without geometry
    // has no corners.
    void
    forEachTriangleCorner(const UtilMeshNode& node, const MaterialGroup& group,
                          const std::function<void(const VertexBuffer&, const Vertex&)>& corner,
                          const std::function<void(std::int32_t)>& leftOut = nullptr) const;
    static void warnLeftOut(const UtilMeshNode& node, std::int32_t polygon);
    // Fan-splits every polygon of the walked meshes into corner triples through makeVertex,
    // grouped by material in order of first use; sets the UV set count. With `copyRoom`, each
    // group's vertex list has room for a copy of a vertex per corner as well (what the lightmap
    // step may add), so that it is not copied whole to grow; room never taken is never touched.
    std::vector<MaterialTriangles> convertParts(bool copyRoom = false);
    // The bounding box over every vertex and its radius; false (with the artist's message)
    // for a level of detail without vertices.
    bool computeBoundingBox();
    // What finishing a group works out before anything goes into the level of detail's lists:
    // the weld (welded vertices by their number in the group), the tangent generator's output
    // over them and the triangle order, or why the weld or the tangents failed. Made by
    // prepareGroup, which changes nothing else, reports nothing and may run on any thread.
    struct PreparedGroup {
        std::vector<std::uint32_t> sources; // per welded vertex, the group vertex it is
        std::vector<std::uint16_t> indices;
        std::uint32_t vertexCount = 0;    // after tangents
        std::uint32_t stride = 0;         // of `frames`
        std::vector<std::uint8_t> frames; // the tangent generator's vertices
        bool mended = false;
        std::uint32_t grown = 0;              // split past 16-bit indices (bundled meshes)
        std::optional<std::string> rejection; // the tangent generator's reason, unreported
    };
    PreparedGroup prepareGroup(const MaterialTriangles& group) const;
    // Reports what preparing the group found and, when all went well, appends its welded and
    // mended vertices to the level of detail's list (each made once, there) and takes its
    // ordered indices. False, with the reason in the error list, when the export
    // cannot go on; the level of detail's vertices are then as they were. `indexCopies` is how
    // many copies of its indices the group will carry, for the report of its counts.
    bool placeGroup(const MaterialTriangles& group, PreparedGroup& prepared, MaterialGroupData& out,
                    std::uint32_t indexCopies = 1);
    // Prepares the groups `prepares` accepts side by side, a few ahead of the one placed next,
    // which bounds the memory their preparation holds, and calls `place` for every group in
    // order on this thread, which keeps the list, the log and the first failure as one group
    // after the other gives them. Stops at the first `place` that returns false.
    bool prepareAndPlaceGroups(const std::function<bool(std::size_t)>& prepares,
                               const std::function<bool(std::size_t, PreparedGroup&)>& place);
    // Says why a group whose welded vertices do not fit 16-bit indices stops the export, in the
    // error list.
    virtual void reportTooManyVertices(std::uint32_t count) const;
    // The vertices of the group placed last.
    std::span<const ExportVertex> verticesOf(const MaterialGroupData& data) const {
        return std::span<const ExportVertex>(m_vertices).subspan(data.firstVertex);
    }
    // Appends the material's record and indices to the level of detail's lists (its vertices
    // are there already), and releases the group's triangles, which are not needed again.
    // Alpha-blended materials (mode 1) carry their triangles once per sort copy; their record
    // counts one copy.
    void appendMaterialGroup(MaterialTriangles& group, const MaterialGroupData& data,
                             std::uint32_t alphaMode);

    ExportVertexList m_vertices;
    std::vector<std::uint16_t> m_indices;
    VertexDeclaration m_declaration;
    std::uint32_t m_primitiveType = D3DPT_TRIANGLELIST;
    const Scene* m_scene = nullptr;
    std::string m_outputFile;
    std::string m_name;
    MeshPartList* m_parts = nullptr;
    std::vector<PartMesh> m_partMeshes;
    int m_geometry = 0;
    int m_lod = 0;
    std::uint32_t m_sortCopies = 8;
    bool m_hasNormals = false;
    std::uint32_t m_uvSetCount = 0;
    bool m_hasTangents = false;
    std::vector<MaterialTriangles> m_groups; // ordered by groupMaterials
    std::vector<MeshMaterialRecord> m_materialRecords;
    Vector3 m_boundsMin;
    Vector3 m_boundsMax;
    float m_radius = 0.0f;
    bool m_boundsValid = false;
};

// Lower-cased name tests the exporters share.
bool beginsWithAlpha(const std::string& materialName);

} // namespace vx
