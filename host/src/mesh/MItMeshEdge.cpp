#include <vornexhost/Component.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Status.h>

#include <maya/MItMeshEdge.h>

using vornexhost::report;

MItMeshEdge::MItMeshEdge(const MObject& polyObject, MStatus* status)
    : m_mesh(vornexhost::evaluateMesh(polyObject)) {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
}

MItMeshEdge::MItMeshEdge(const MDagPath& polyObject, MObject& component, MStatus* status)
    : MItMeshEdge(polyObject.node(), status) {
    if (m_mesh && vornexhost::componentIndices(component, MFn::kMeshEdgeComponent,
                                               int(m_mesh->edgeCount()), m_only)) {
        m_restricted = true;
        reset();
    }
}

bool MItMeshEdge::valid() const {
    return m_mesh && m_index >= 0 && m_index < static_cast<int>(m_mesh->edgeCount());
}

bool MItMeshEdge::isDone(MStatus* status) const {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return !valid();
}

MStatus MItMeshEdge::next() {
    if (m_restricted)
        m_index = ++m_at < m_only.size() ? m_only[m_at] : -1;
    else if (valid())
        ++m_index;
    return MStatus::kSuccess;
}

MStatus MItMeshEdge::reset() {
    m_at = 0;
    m_index = !m_restricted ? 0 : m_only.empty() ? -1 : m_only[0];
    return MStatus::kSuccess;
}

int MItMeshEdge::count(MStatus* status) const {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return m_mesh ? static_cast<int>(m_mesh->edgeCount()) : 0;
}

int MItMeshEdge::index(MStatus* status) const {
    const bool ok = !isDone();
    report(status, ok ? MStatus::kSuccess : MStatus::kFailure);
    return ok ? m_index : -1;
}

int MItMeshEdge::index(int vertexIndex, MStatus* status) const {
    if (isDone() || vertexIndex < 0 || vertexIndex > 1) {
        report(status, MStatus::kInvalidParameter);
        return -1;
    }
    report(status, MStatus::kSuccess);
    const auto& edge = m_mesh->edges[std::size_t(m_index)];
    return vertexIndex == 0 ? edge.v0 : edge.v1;
}

MStatus MItMeshEdge::setIndex(int index, int& prevIndex) {
    if (!m_mesh || index < 0 || index >= static_cast<int>(m_mesh->edgeCount()))
        return MStatus::kInvalidParameter;
    prevIndex = m_index;
    m_restricted = false; // positioned by index, the iterator walks the whole mesh again
    m_only.clear();
    m_index = index;
    return MStatus::kSuccess;
}

int MItMeshEdge::getConnectedFaces(MIntArray& faceList, MStatus* status) const {
    faceList.clear();
    if (isDone()) {
        report(status, MStatus::kFailure);
        return 0;
    }
    const auto e = static_cast<std::size_t>(m_index);
    for (std::uint32_t i = m_mesh->edgeFaceStart[e]; i < m_mesh->edgeFaceStart[e + 1]; ++i)
        faceList.append(m_mesh->edgeFaces[i]);
    report(status, MStatus::kSuccess);
    return static_cast<int>(faceList.length());
}

int MItMeshEdge::getConnectedEdges(MIntArray& edgeList, MStatus* status) const {
    edgeList.clear();
    if (isDone()) {
        report(status, MStatus::kFailure);
        return 0;
    }
    const auto& edge = m_mesh->edges[std::size_t(m_index)];
    for (std::int32_t v : {edge.v0, edge.v1})
        for (std::uint32_t i = m_mesh->vertexEdgeStart[std::size_t(v)];
             i < m_mesh->vertexEdgeStart[std::size_t(v) + 1]; ++i)
            if (m_mesh->vertexEdges[i] != m_index)
                edgeList.append(m_mesh->vertexEdges[i]);
    report(status, MStatus::kSuccess);
    return static_cast<int>(edgeList.length());
}

bool MItMeshEdge::onBoundary(MStatus* status) const {
    MIntArray faces;
    return getConnectedFaces(faces, status) == 1;
}

bool MItMeshEdge::isSmooth(MStatus* status) const {
    if (isDone()) {
        report(status, MStatus::kFailure);
        return false;
    }
    report(status, MStatus::kSuccess);
    return m_mesh->edges[std::size_t(m_index)].smooth;
}
