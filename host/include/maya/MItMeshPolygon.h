#pragma once
// Host API stand-in: iterator over the faces of a mesh, in index order. "vertexIndex" arguments
// are face-relative: the position of a corner in the face's vertex list.
#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

#include <memory>
#include <vector>

namespace vornexhost {
struct MeshGeometry;
}

class MItMeshPolygon {
public:
    MItMeshPolygon(const MObject& polyObject, MStatus* status = nullptr);
    MItMeshPolygon(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                   MStatus* status = nullptr);

    bool isDone(MStatus* status = nullptr) const;
    MStatus next();
    MStatus reset();
    int count(MStatus* status = nullptr) const;
    int index(MStatus* status = nullptr) const;
    MStatus setIndex(int index, int& prevIndex);

    unsigned int polygonVertexCount(MStatus* status = nullptr) const;
    MStatus getVertices(MIntArray& vertices) const;
    int vertexIndex(int index, MStatus* status = nullptr) const;
    // The face's edges in corner order: edge k runs from corner k to the next corner.
    MStatus getEdges(MIntArray& edges) const;
    MStatus getConnectedFaces(MIntArray& faces) const;
    // The face-relative index of a mesh vertex in this face, or -1.
    int getLocalVertexIndex(int meshVertexIndex, MStatus* status = nullptr) const;
    // The id, in MFnMesh::getNormals, of the normal at one corner.
    int normalIndex(int vertexIndex, MStatus* status = nullptr) const;
    MPoint point(int index, MSpace::Space space = MSpace::kObject, MStatus* status = nullptr) const;

    bool hasUVs(MStatus* status = nullptr) const;
    MStatus getUVIndex(int vertex, int& index, const MString* uvSet = nullptr) const;
    MStatus getUV(int vertex, float uv[2], const MString* uvSet = nullptr) const;
    // Colours of the current colour set: whether any corner (or this corner) has one, a
    // corner's colour, or the face's average colour.
    bool hasColor(MStatus* status = nullptr) const;
    bool hasColor(int localVertexIndex, MStatus* status = nullptr) const;
    MStatus getColor(MColor& color, int vertexIndex) const;
    MStatus getColor(MColor& color, const MString* colorSetName = nullptr) const;

private:
    bool valid() const;
    int corner(int vertexIndex) const;
    std::shared_ptr<const vornexhost::MeshGeometry> m_mesh;
    int m_index = 0;
    // A face component given to the constructor: only its faces are walked, in its order.
    bool m_restricted = false;
    std::vector<int> m_only;
    std::size_t m_at = 0;
};
