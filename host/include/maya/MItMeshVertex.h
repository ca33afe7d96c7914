#pragma once
// Host API stand-in: iterator over the vertices of a mesh, in index order.
#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MTypes.h>

#include <memory>
#include <vector>

namespace vornexhost {
struct MeshGeometry;
}

class MItMeshVertex {
public:
    MItMeshVertex(const MObject& polyObject, MStatus* status = nullptr);
    MItMeshVertex(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                  MStatus* status = nullptr);

    bool isDone(MStatus* status = nullptr) const;
    MStatus next();
    MStatus reset();
    int count(MStatus* status = nullptr) const;
    int index(MStatus* status = nullptr) const;
    MStatus setIndex(int index, int& prevIndex);
    MPoint position(MSpace::Space space = MSpace::kObject, MStatus* status = nullptr) const;
    // Edges and faces at the vertex, in ascending index order.
    MStatus getConnectedEdges(MIntArray& edgeList) const;
    MStatus getConnectedFaces(MIntArray& faceList) const;
    MStatus numConnectedEdges(int& edgeCount) const;
    MStatus numConnectedFaces(int& faceCount) const;
    // Normal ids at the vertex (one per smoothing group around it), ascending.
    MStatus getNormalIndices(MIntArray& normalIndices) const;

private:
    std::shared_ptr<const vornexhost::MeshGeometry> m_mesh;
    MDagPath m_path;
    int m_index = 0;
    int m_end = 0;
    std::vector<int> m_only; // a component restricts the walk to these vertices
};
