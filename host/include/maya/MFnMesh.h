#pragma once
// Host API stand-in: function set for polygon meshes. Attached to a mesh shape it evaluates the
// shape's geometry once (stored data or construction history, with tweaks) and answers from it.
// Face-relative vertex indices ("vertexIndex" of a polygon) count the polygon's corners.
#include <maya/MFloatArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MIntArray.h>
#include <maya/MObjectArray.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MStringArray.h>
#include <maya/MTypes.h>

#include <memory>

namespace vornexhost {
struct MeshGeometry;
}

class MFnMesh : public MFnDagNode {
public:
    MFnMesh() = default;
    MFnMesh(const MObject& object, MStatus* status = nullptr);
    MFnMesh(const MDagPath& path, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kMesh; }
    using MFnDagNode::setObject;
    MStatus setObject(const MObject& object) override;

    int numVertices(MStatus* status = nullptr) const;
    int numEdges(MStatus* status = nullptr) const;
    int numPolygons(MStatus* status = nullptr) const;
    int numFaceVertices(MStatus* status = nullptr) const;
    int numNormals(MStatus* status = nullptr) const;
    int polygonVertexCount(int polygonId, MStatus* status = nullptr) const;
    MStatus getPolygonVertices(int polygonId, MIntArray& vertexList) const;
    // Points in object space, or transformed by the attached path's matrix in world space.
    MStatus getPoint(int vertexId, MPoint& point, MSpace::Space space = MSpace::kObject) const;
    MStatus getPoints(MPointArray& points, MSpace::Space space = MSpace::kObject) const;
    // Every normal of the mesh; MItMeshPolygon::normalIndex names one per face corner.
    MStatus getNormals(MFloatVectorArray& normals, MSpace::Space space = MSpace::kObject) const;

    MStatus getUVSetNames(MStringArray& setNames) const;
    MStatus getCurrentUVSetName(MString& setName) const;
    // A null set name means the current UV set.
    int numUVs(MStatus* status = nullptr) const;
    int numUVs(const MString& setName, MStatus* status = nullptr) const;
    MStatus getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet = nullptr) const;
    MStatus getPolygonUVid(int polygonId, int vertexIndex, int& uvId,
                           const MString* uvSet = nullptr) const;
    MStatus getPolygonUV(int polygonId, int vertexIndex, float& u, float& v,
                         const MString* uvSet = nullptr) const;
    MStatus getColorSetNames(MStringArray& setNames) const;
    int numColors(MStatus* status = nullptr) const;
    int numColors(const MString& colorSet, MStatus* status = nullptr) const;

    // The shading engines of one instance and, per face, the position of its engine in
    // `shaders`, or -1 for a face in no shading engine.
    MStatus getConnectedShaders(unsigned int instanceNumber, MObjectArray& shaders,
                                MIntArray& indices) const;

    // Blind data of faces (MFn::kMeshPolygonComponent), vertices (kMeshVertComponent) or edges
    // (kMeshEdgeComponent). Formats are "int", "float", "double", "boolean", "string", "binary".
    MStatus getBlindDataTypes(MFn::Type compType, MIntArray& blindDataIds) const;
    MStatus getBlindDataAttrNames(int blindDataId, MStringArray& longNames,
                                  MStringArray& shortNames, MStringArray& formatNames) const;
    bool hasBlindData(MFn::Type compType, MStatus* status = nullptr) const;
    bool hasBlindData(int compId, MFn::Type compType, int blindDataId,
                      MStatus* status = nullptr) const;
    bool hasBlindDataComponentId(int compId, MFn::Type compType, int blindDataId,
                                 MStatus* status = nullptr) const;
    MStatus getIntBlindData(int compId, MFn::Type compType, int blindDataId,
                            const MString& attrName, int& data) const;
    MStatus getFloatBlindData(int compId, MFn::Type compType, int blindDataId,
                              const MString& attrName, float& data) const;
    MStatus getDoubleBlindData(int compId, MFn::Type compType, int blindDataId,
                               const MString& attrName, double& data) const;
    MStatus getBoolBlindData(int compId, MFn::Type compType, int blindDataId,
                             const MString& attrName, bool& data) const;
    MStatus getStringBlindData(int compId, MFn::Type compType, int blindDataId,
                               const MString& attrName, MString& data) const;

    // Stand-in access to the evaluated geometry (null when not attached).
    std::shared_ptr<const vornexhost::MeshGeometry> geometry() const { return m_mesh; }

private:
    const vornexhost::MeshGeometry* attached(MStatus* status) const;
    int uvSetOf(const MString* uvSet) const;
    std::shared_ptr<const vornexhost::MeshGeometry> m_mesh;
};
