#pragma once
// Host API stand-in: iterator over the components of a shape's geometry: the vertices of a
// mesh, in index order.
#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MTypes.h>

#include <memory>

namespace vornexhost {
struct MeshGeometry;
}

class MItGeometry {
public:
    MItGeometry(const MDagPath& dagPath, MStatus* status = nullptr);
    MItGeometry(MObject& dagNode, MStatus* status = nullptr);

    bool isDone(MStatus* status = nullptr) const;
    MStatus next();
    MStatus reset();
    int count(MStatus* status = nullptr) const;
    int index(MStatus* status = nullptr) const;
    // The current vertex as a single-vertex component (MFn::kMeshVertComponent).
    MObject component(MStatus* status = nullptr) const;
    MPoint position(MSpace::Space space = MSpace::kObject, MStatus* status = nullptr) const;

private:
    std::shared_ptr<const vornexhost::MeshGeometry> m_mesh;
    MDagPath m_path;
    int m_index = 0;
};
