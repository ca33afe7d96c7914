#include <vornexhost/Component.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Status.h>

#include <maya/MItGeometry.h>
#include <maya/MMatrix.h>

using vornexhost::report;

MItGeometry::MItGeometry(const MDagPath& dagPath, MStatus* status)
    : m_mesh(vornexhost::evaluateMesh(dagPath.node())), m_path(dagPath) {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
}

MItGeometry::MItGeometry(MObject& dagNode, MStatus* status)
    : m_mesh(vornexhost::evaluateMesh(dagNode)) {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
}

bool MItGeometry::isDone(MStatus* status) const {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return m_index >= count();
}

MStatus MItGeometry::next() {
    if (m_index < count())
        ++m_index;
    return MStatus::kSuccess;
}

MStatus MItGeometry::reset() {
    m_index = 0;
    return MStatus::kSuccess;
}

int MItGeometry::count(MStatus* status) const {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return m_mesh ? static_cast<int>(m_mesh->vertexCount()) : 0;
}

int MItGeometry::index(MStatus* status) const {
    const bool ok = m_index < count();
    report(status, ok ? MStatus::kSuccess : MStatus::kFailure);
    return ok ? m_index : -1;
}

MObject MItGeometry::component(MStatus* status) const {
    const int v = index(status);
    if (v < 0)
        return MObject();
    return MObject(
        std::make_shared<vornexhost::Component>(MFn::kMeshVertComponent, std::vector<int>{v}));
}

MPoint MItGeometry::position(MSpace::Space space, MStatus* status) const {
    const int v = index(status);
    if (v < 0)
        return MPoint();
    const double* p = &m_mesh->points[std::size_t(v) * 3];
    MPoint point(p[0], p[1], p[2]);
    if (space == MSpace::kWorld && m_path.isValid())
        point = point * m_path.inclusiveMatrix();
    return point;
}
