#pragma once
// Host API stand-in: iterator over the edges of a mesh, in index order.
#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>

#include <memory>
#include <vector>

namespace vornexhost {
struct MeshGeometry;
}

class MItMeshEdge {
public:
    MItMeshEdge(const MObject& polyObject, MStatus* status = nullptr);
    MItMeshEdge(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                MStatus* status = nullptr);

    bool isDone(MStatus* status = nullptr) const;
    MStatus next();
    MStatus reset();
    int count(MStatus* status = nullptr) const;
    int index(MStatus* status = nullptr) const;
    // The edge's first (0) or second (1) vertex.
    int index(int vertexIndex, MStatus* status = nullptr) const;
    MStatus setIndex(int index, int& prevIndex);
    // The faces using the edge, ascending; returns their number.
    int getConnectedFaces(MIntArray& faceList, MStatus* status = nullptr) const;
    int getConnectedEdges(MIntArray& edgeList, MStatus* status = nullptr) const;
    bool onBoundary(MStatus* status = nullptr) const;
    bool isSmooth(MStatus* status = nullptr) const;

private:
    bool valid() const;
    std::shared_ptr<const vornexhost::MeshGeometry> m_mesh;
    int m_index = 0;
    // An edge component given to the constructor: only its edges are walked, in its order.
    bool m_restricted = false;
    std::vector<int> m_only;
    std::size_t m_at = 0;
};
