#include <vornexhost/Component.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Status.h>

#include <maya/MItMeshVertex.h>
#include <maya/MMatrix.h>

#include <algorithm>

using vornexhost::report;

MItMeshVertex::MItMeshVertex(const MObject& polyObject, MStatus* status)
    : m_mesh(vornexhost::evaluateMesh(polyObject)) {
    m_end = m_mesh ? static_cast<int>(m_mesh->vertexCount()) : 0;
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
}

MItMeshVertex::MItMeshVertex(const MDagPath& polyObject, MObject& component, MStatus* status)
    : MItMeshVertex(polyObject.node(), status) {
    m_path = polyObject;
    if (m_mesh && vornexhost::componentIndices(component, MFn::kMeshVertComponent, m_end, m_only))
        m_end = static_cast<int>(m_only.size());
}

bool MItMeshVertex::isDone(MStatus* status) const {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return m_index >= m_end;
}

MStatus MItMeshVertex::next() {
    if (m_index < m_end)
        ++m_index;
    return MStatus::kSuccess;
}

MStatus MItMeshVertex::reset() {
    m_index = 0;
    return MStatus::kSuccess;
}

int MItMeshVertex::count(MStatus* status) const {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return m_mesh ? static_cast<int>(m_mesh->vertexCount()) : 0;
}

int MItMeshVertex::index(MStatus* status) const {
    const bool ok = m_index < m_end;
    report(status, ok ? MStatus::kSuccess : MStatus::kFailure);
    if (!ok)
        return -1;
    return m_only.empty() ? m_index : m_only[std::size_t(m_index)];
}

MStatus MItMeshVertex::setIndex(int index, int& prevIndex) {
    if (!m_mesh || index < 0 || index >= static_cast<int>(m_mesh->vertexCount()))
        return MStatus::kInvalidParameter;
    prevIndex = this->index();
    m_only.clear();
    m_end = static_cast<int>(m_mesh->vertexCount());
    m_index = index;
    return MStatus::kSuccess;
}

MPoint MItMeshVertex::position(MSpace::Space space, MStatus* status) const {
    const int v = index(status);
    if (v < 0)
        return MPoint();
    const double* p = &m_mesh->points[std::size_t(v) * 3];
    MPoint point(p[0], p[1], p[2]);
    if (space == MSpace::kWorld && m_path.isValid())
        point = point * m_path.inclusiveMatrix();
    return point;
}

namespace {

MStatus rowOf(const std::vector<std::uint32_t>& start, const std::vector<std::int32_t>& values,
              int row, MIntArray& out) {
    out.clear();
    if (row < 0)
        return MStatus::kFailure;
    for (std::uint32_t i = start[std::size_t(row)]; i < start[std::size_t(row) + 1]; ++i)
        out.append(values[i]);
    return MStatus::kSuccess;
}

} // namespace

MStatus MItMeshVertex::getConnectedEdges(MIntArray& edgeList) const {
    return rowOf(m_mesh->vertexEdgeStart, m_mesh->vertexEdges, index(), edgeList);
}

MStatus MItMeshVertex::getConnectedFaces(MIntArray& faceList) const {
    return rowOf(m_mesh->vertexFaceStart, m_mesh->vertexFaces, index(), faceList);
}

MStatus MItMeshVertex::numConnectedEdges(int& edgeCount) const {
    const int v = index();
    if (v < 0)
        return MStatus::kFailure;
    edgeCount = static_cast<int>(m_mesh->vertexEdgeStart[std::size_t(v) + 1] -
                                 m_mesh->vertexEdgeStart[std::size_t(v)]);
    return MStatus::kSuccess;
}

MStatus MItMeshVertex::numConnectedFaces(int& faceCount) const {
    const int v = index();
    if (v < 0)
        return MStatus::kFailure;
    faceCount = static_cast<int>(m_mesh->vertexFaceStart[std::size_t(v) + 1] -
                                 m_mesh->vertexFaceStart[std::size_t(v)]);
    return MStatus::kSuccess;
}

MStatus MItMeshVertex::getNormalIndices(MIntArray& normalIndices) const {
    normalIndices.clear();
    const int v = index();
    if (v < 0)
        return MStatus::kFailure;
    std::vector<int> ids;
    for (std::uint32_t i = m_mesh->vertexFaceStart[std::size_t(v)];
         i < m_mesh->vertexFaceStart[std::size_t(v) + 1]; ++i) {
        const auto f = static_cast<std::size_t>(m_mesh->vertexFaces[i]);
        for (std::uint32_t c = m_mesh->faceStart[f]; c < m_mesh->faceStart[f + 1]; ++c)
            if (m_mesh->cornerVertex[c] == v)
                ids.push_back(m_mesh->cornerNormal[c]);
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    for (int id : ids)
        normalIndices.append(id);
    return MStatus::kSuccess;
}
