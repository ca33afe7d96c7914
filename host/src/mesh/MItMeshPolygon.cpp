#include <vornexhost/Component.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Status.h>

#include <maya/MItMeshPolygon.h>

#include <algorithm>

using vornexhost::report;

MItMeshPolygon::MItMeshPolygon(const MObject& polyObject, MStatus* status)
    : m_mesh(vornexhost::evaluateMesh(polyObject)) {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
}

MItMeshPolygon::MItMeshPolygon(const MDagPath& polyObject, MObject& component, MStatus* status)
    : MItMeshPolygon(polyObject.node(), status) {
    if (m_mesh && vornexhost::componentIndices(component, MFn::kMeshPolygonComponent,
                                               int(m_mesh->faceCount()), m_only)) {
        m_restricted = true;
        reset();
    }
}

bool MItMeshPolygon::valid() const {
    return m_mesh && m_index >= 0 && m_index < static_cast<int>(m_mesh->faceCount());
}

// The mesh-wide corner number of a face-relative vertex, or -1.
int MItMeshPolygon::corner(int vertexIndex) const {
    if (!valid() || vertexIndex < 0 ||
        std::uint32_t(vertexIndex) >= m_mesh->faceSize(std::uint32_t(m_index)))
        return -1;
    return static_cast<int>(m_mesh->faceStart[std::size_t(m_index)]) + vertexIndex;
}

bool MItMeshPolygon::isDone(MStatus* status) const {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return !valid();
}

MStatus MItMeshPolygon::next() {
    if (m_restricted)
        m_index = ++m_at < m_only.size() ? m_only[m_at] : -1;
    else if (valid())
        ++m_index;
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::reset() {
    m_at = 0;
    m_index = !m_restricted ? 0 : m_only.empty() ? -1 : m_only[0];
    return MStatus::kSuccess;
}

int MItMeshPolygon::count(MStatus* status) const {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return m_mesh ? static_cast<int>(m_mesh->faceCount()) : 0;
}

int MItMeshPolygon::index(MStatus* status) const {
    report(status, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? m_index : -1;
}

MStatus MItMeshPolygon::setIndex(int index, int& prevIndex) {
    if (!m_mesh || index < 0 || index >= static_cast<int>(m_mesh->faceCount()))
        return MStatus::kInvalidParameter;
    prevIndex = m_index;
    m_restricted = false; // positioned by index, the iterator walks the whole mesh again
    m_only.clear();
    m_index = index;
    return MStatus::kSuccess;
}

unsigned int MItMeshPolygon::polygonVertexCount(MStatus* status) const {
    report(status, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? m_mesh->faceSize(std::uint32_t(m_index)) : 0u;
}

MStatus MItMeshPolygon::getVertices(MIntArray& vertices) const {
    vertices.clear();
    if (!valid())
        return MStatus::kFailure;
    const auto f = static_cast<std::size_t>(m_index);
    for (std::uint32_t c = m_mesh->faceStart[f]; c < m_mesh->faceStart[f + 1]; ++c)
        vertices.append(m_mesh->cornerVertex[c]);
    return MStatus::kSuccess;
}

int MItMeshPolygon::vertexIndex(int index, MStatus* status) const {
    const int c = corner(index);
    report(status, c >= 0 ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return c >= 0 ? m_mesh->cornerVertex[std::size_t(c)] : -1;
}

MStatus MItMeshPolygon::getEdges(MIntArray& edges) const {
    edges.clear();
    if (!valid())
        return MStatus::kFailure;
    const auto f = static_cast<std::size_t>(m_index);
    for (std::uint32_t c = m_mesh->faceStart[f]; c < m_mesh->faceStart[f + 1]; ++c)
        edges.append(m_mesh->cornerEdge[c]);
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::getConnectedFaces(MIntArray& faces) const {
    faces.clear();
    if (!valid())
        return MStatus::kFailure;
    std::vector<int> found;
    const auto f = static_cast<std::size_t>(m_index);
    for (std::uint32_t c = m_mesh->faceStart[f]; c < m_mesh->faceStart[f + 1]; ++c) {
        const auto e = static_cast<std::size_t>(m_mesh->cornerEdge[c]);
        for (std::uint32_t i = m_mesh->edgeFaceStart[e]; i < m_mesh->edgeFaceStart[e + 1]; ++i)
            if (m_mesh->edgeFaces[i] != m_index)
                found.push_back(m_mesh->edgeFaces[i]);
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    for (int face : found)
        faces.append(face);
    return MStatus::kSuccess;
}

int MItMeshPolygon::getLocalVertexIndex(int meshVertexIndex, MStatus* status) const {
    if (!valid()) {
        report(status, MStatus::kFailure);
        return -1;
    }
    const auto f = static_cast<std::size_t>(m_index);
    for (std::uint32_t c = m_mesh->faceStart[f]; c < m_mesh->faceStart[f + 1]; ++c)
        if (m_mesh->cornerVertex[c] == meshVertexIndex) {
            report(status, MStatus::kSuccess);
            return static_cast<int>(c - m_mesh->faceStart[f]);
        }
    report(status, MStatus::kNotFound);
    return -1;
}

int MItMeshPolygon::normalIndex(int vertexIndex, MStatus* status) const {
    const int c = corner(vertexIndex);
    report(status, c >= 0 ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return c >= 0 ? m_mesh->cornerNormal[std::size_t(c)] : -1;
}

MPoint MItMeshPolygon::point(int index, MSpace::Space space, MStatus* status) const {
    const int v = vertexIndex(index, status);
    (void)space; // the iterator knows no path: object space
    if (v < 0)
        return MPoint();
    const double* p = &m_mesh->points[std::size_t(v) * 3];
    return MPoint(p[0], p[1], p[2]);
}

bool MItMeshPolygon::hasUVs(MStatus* status) const {
    if (!valid()) {
        report(status, MStatus::kFailure);
        return false;
    }
    report(status, MStatus::kSuccess);
    const auto& set = m_mesh->uvSets[std::size_t(m_mesh->currentUvSet)];
    const auto f = static_cast<std::size_t>(m_index);
    return std::all_of(set.cornerUv.begin() + m_mesh->faceStart[f],
                       set.cornerUv.begin() + m_mesh->faceStart[f + 1],
                       [](std::int32_t id) { return id >= 0; });
}

MStatus MItMeshPolygon::getUVIndex(int vertex, int& index, const MString* uvSet) const {
    const int c = corner(vertex);
    const int set =
        !m_mesh ? -1 : (uvSet ? m_mesh->uvSetIndex(uvSet->str()) : m_mesh->currentUvSet);
    if (c < 0 || set < 0)
        return MStatus::kInvalidParameter;
    const std::int32_t id = m_mesh->uvSets[std::size_t(set)].cornerUv[std::size_t(c)];
    if (id < 0)
        return MStatus::kFailure;
    index = id;
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::getUV(int vertex, float uv[2], const MString* uvSet) const {
    int id = -1;
    const MStatus status = getUVIndex(vertex, id, uvSet);
    if (!status)
        return status;
    const int set = uvSet ? m_mesh->uvSetIndex(uvSet->str()) : m_mesh->currentUvSet;
    uv[0] = m_mesh->uvSets[std::size_t(set)].u[std::size_t(id)];
    uv[1] = m_mesh->uvSets[std::size_t(set)].v[std::size_t(id)];
    return MStatus::kSuccess;
}

bool MItMeshPolygon::hasColor(MStatus* status) const {
    if (!valid()) {
        report(status, MStatus::kFailure);
        return false;
    }
    report(status, MStatus::kSuccess);
    for (unsigned k = 0; k < m_mesh->faceSize(std::uint32_t(m_index)); ++k)
        if (hasColor(static_cast<int>(k)))
            return true;
    return false;
}

bool MItMeshPolygon::hasColor(int localVertexIndex, MStatus* status) const {
    const int c = corner(localVertexIndex);
    report(status, c >= 0 ? MStatus::kSuccess : MStatus::kInvalidParameter);
    if (c < 0 || m_mesh->currentColorSet < 0)
        return false;
    return m_mesh->colorSets[std::size_t(m_mesh->currentColorSet)].cornerColor[std::size_t(c)] >= 0;
}

MStatus MItMeshPolygon::getColor(MColor& color, int vertexIndex) const {
    const int c = corner(vertexIndex);
    if (c < 0)
        return MStatus::kInvalidParameter;
    if (!hasColor(vertexIndex))
        return MStatus::kFailure;
    const auto& set = m_mesh->colorSets[std::size_t(m_mesh->currentColorSet)];
    const float* rgba = &set.rgba[std::size_t(set.cornerColor[std::size_t(c)]) * 4];
    color = MColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::getColor(MColor& color, const MString* colorSetName) const {
    if (!valid())
        return MStatus::kFailure;
    const int set =
        colorSetName ? m_mesh->colorSetIndex(colorSetName->str()) : m_mesh->currentColorSet;
    if (set < 0)
        return MStatus::kInvalidParameter;
    const auto& s = m_mesh->colorSets[std::size_t(set)];
    double sum[4] = {0, 0, 0, 0};
    int n = 0;
    const auto f = static_cast<std::size_t>(m_index);
    for (std::uint32_t c = m_mesh->faceStart[f]; c < m_mesh->faceStart[f + 1]; ++c)
        if (s.cornerColor[c] >= 0) {
            for (std::size_t k = 0; k < 4; ++k)
                sum[k] += double(s.rgba[std::size_t(s.cornerColor[c]) * 4 + k]);
            ++n;
        }
    if (n == 0)
        return MStatus::kFailure;
    color = MColor(static_cast<float>(sum[0] / n), static_cast<float>(sum[1] / n),
                   static_cast<float>(sum[2] / n), static_cast<float>(sum[3] / n));
    return MStatus::kSuccess;
}
