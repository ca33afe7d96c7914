#include <vornexhost/BlindData.h>
#include <vornexhost/Handles.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/ShaderAssignment.h>
#include <vornexhost/Status.h>

#include <maya/MFnMesh.h>

#include <cmath>

using vornexhost::MeshGeometry;
using vornexhost::report;

float MFloatVector::length() const {
    return std::sqrt(x * x + y * y + z * z);
}

MFnMesh::MFnMesh(const MObject& object, MStatus* status) {
    report(status, MFnMesh::setObject(object));
}

MFnMesh::MFnMesh(const MDagPath& path, MStatus* status) {
    report(status, MFnDagNode::setObject(path));
}

MStatus MFnMesh::setObject(const MObject& object) {
    m_mesh.reset();
    const MStatus status = MFnDagNode::setObject(object);
    if (status)
        m_mesh = vornexhost::evaluateMesh(object);
    return status;
}

const MeshGeometry* MFnMesh::attached(MStatus* status) const {
    report(status, m_mesh ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return m_mesh.get();
}

int MFnMesh::uvSetOf(const MString* uvSet) const {
    if (!m_mesh)
        return -1;
    return uvSet ? m_mesh->uvSetIndex(uvSet->str()) : m_mesh->currentUvSet;
}

int MFnMesh::numVertices(MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    return mesh ? static_cast<int>(mesh->vertexCount()) : 0;
}

int MFnMesh::numEdges(MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    return mesh ? static_cast<int>(mesh->edgeCount()) : 0;
}

int MFnMesh::numPolygons(MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    return mesh ? static_cast<int>(mesh->faceCount()) : 0;
}

int MFnMesh::numFaceVertices(MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    return mesh ? static_cast<int>(mesh->cornerCount()) : 0;
}

int MFnMesh::numNormals(MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    return mesh ? static_cast<int>(mesh->normals.size() / 3) : 0;
}

int MFnMesh::polygonVertexCount(int polygonId, MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    if (!mesh || polygonId < 0 || std::uint32_t(polygonId) >= mesh->faceCount()) {
        report(status, MStatus::kInvalidParameter);
        return 0;
    }
    return static_cast<int>(mesh->faceSize(std::uint32_t(polygonId)));
}

MStatus MFnMesh::getPolygonVertices(int polygonId, MIntArray& vertexList) const {
    vertexList.clear();
    MStatus status;
    const int n = polygonVertexCount(polygonId, &status);
    for (int k = 0; k < n; ++k)
        vertexList.append(
            m_mesh->cornerVertex[m_mesh->faceStart[std::size_t(polygonId)] + std::uint32_t(k)]);
    return status;
}

MStatus MFnMesh::getPoint(int vertexId, MPoint& point, MSpace::Space space) const {
    MStatus status;
    const MeshGeometry* mesh = attached(&status);
    if (!mesh)
        return status;
    if (vertexId < 0 || std::uint32_t(vertexId) >= mesh->vertexCount())
        return MStatus::kInvalidParameter;
    const double* p = &mesh->points[std::size_t(vertexId) * 3];
    point = MPoint(p[0], p[1], p[2]);
    if (space == MSpace::kWorld)
        point = point * pathOrFirst().inclusiveMatrix();
    return MStatus::kSuccess;
}

MStatus MFnMesh::getPoints(MPointArray& points, MSpace::Space space) const {
    points.clear();
    MStatus status;
    const int n = numVertices(&status);
    for (int v = 0; v < n; ++v) {
        MPoint p;
        getPoint(v, p, space);
        points.append(p);
    }
    return status;
}

MStatus MFnMesh::getNormals(MFloatVectorArray& normals, MSpace::Space space) const {
    normals.clear();
    MStatus status;
    const MeshGeometry* mesh = attached(&status);
    if (!mesh)
        return status;
    const bool world = space == MSpace::kWorld;
    // Normals move with the inverse transpose of the world matrix.
    const MMatrix toWorld = world ? pathOrFirst().inclusiveMatrixInverse().transpose() : MMatrix();
    for (std::size_t n = 0; n + 2 < mesh->normals.size(); n += 3) {
        MVector v(double(mesh->normals[n]), double(mesh->normals[n + 1]),
                  double(mesh->normals[n + 2]));
        if (world)
            v = (v * toWorld).normal();
        normals.append(MFloatVector(static_cast<float>(v.x), static_cast<float>(v.y),
                                    static_cast<float>(v.z)));
    }
    return MStatus::kSuccess;
}

MStatus MFnMesh::getUVSetNames(MStringArray& setNames) const {
    setNames.clear();
    MStatus status;
    if (const MeshGeometry* mesh = attached(&status))
        for (const auto& set : mesh->uvSets)
            setNames.append(MString(set.name));
    return status;
}

MStatus MFnMesh::getCurrentUVSetName(MString& setName) const {
    MStatus status;
    if (const MeshGeometry* mesh = attached(&status))
        setName = mesh->uvSets[std::size_t(mesh->currentUvSet)].name;
    return status;
}

int MFnMesh::numUVs(MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    return mesh ? static_cast<int>(mesh->uvSets[std::size_t(mesh->currentUvSet)].u.size()) : 0;
}

int MFnMesh::numUVs(const MString& setName, MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    const int set = uvSetOf(&setName);
    if (!mesh || set < 0) {
        report(status, MStatus::kInvalidParameter);
        return 0;
    }
    return static_cast<int>(mesh->uvSets[std::size_t(set)].u.size());
}

MStatus MFnMesh::getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet) const {
    uArray.clear();
    vArray.clear();
    MStatus status;
    const MeshGeometry* mesh = attached(&status);
    const int set = uvSetOf(uvSet);
    if (!mesh || set < 0)
        return MStatus::kInvalidParameter;
    const auto& s = mesh->uvSets[std::size_t(set)];
    for (std::size_t i = 0; i < s.u.size(); ++i) {
        uArray.append(s.u[i]);
        vArray.append(s.v[i]);
    }
    return MStatus::kSuccess;
}

MStatus MFnMesh::getPolygonUVid(int polygonId, int vertexIndex, int& uvId,
                                const MString* uvSet) const {
    MStatus status;
    const MeshGeometry* mesh = attached(&status);
    const int set = uvSetOf(uvSet);
    if (!mesh || set < 0 || polygonId < 0 || std::uint32_t(polygonId) >= mesh->faceCount() ||
        vertexIndex < 0 || std::uint32_t(vertexIndex) >= mesh->faceSize(std::uint32_t(polygonId)))
        return MStatus::kInvalidParameter;
    const std::size_t c = mesh->faceStart[std::size_t(polygonId)] + std::size_t(vertexIndex);
    const std::int32_t id = mesh->uvSets[std::size_t(set)].cornerUv[c];
    // A corner without a UV is a failure, as in the host.
    if (id < 0)
        return MStatus::kFailure;
    uvId = id;
    return MStatus::kSuccess;
}

MStatus MFnMesh::getPolygonUV(int polygonId, int vertexIndex, float& u, float& v,
                              const MString* uvSet) const {
    int id = -1;
    const MStatus status = getPolygonUVid(polygonId, vertexIndex, id, uvSet);
    if (!status)
        return status;
    const auto& s = m_mesh->uvSets[std::size_t(uvSetOf(uvSet))];
    u = s.u[std::size_t(id)];
    v = s.v[std::size_t(id)];
    return MStatus::kSuccess;
}

MStatus MFnMesh::getColorSetNames(MStringArray& setNames) const {
    setNames.clear();
    MStatus status;
    if (const MeshGeometry* mesh = attached(&status))
        for (const auto& set : mesh->colorSets)
            setNames.append(MString(set.name));
    return status;
}

int MFnMesh::numColors(MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    if (!mesh || mesh->currentColorSet < 0)
        return 0;
    return static_cast<int>(mesh->colorSets[std::size_t(mesh->currentColorSet)].rgba.size() / 4);
}

int MFnMesh::numColors(const MString& colorSet, MStatus* status) const {
    const MeshGeometry* mesh = attached(status);
    const int set = mesh ? mesh->colorSetIndex(colorSet.str()) : -1;
    if (set < 0) {
        report(status, MStatus::kInvalidParameter);
        return 0;
    }
    return static_cast<int>(mesh->colorSets[std::size_t(set)].rgba.size() / 4);
}

MStatus MFnMesh::getConnectedShaders(unsigned int instanceNumber, MObjectArray& shaders,
                                     MIntArray& indices) const {
    shaders.clear();
    indices.clear();
    MStatus status;
    const MeshGeometry* mesh = attached(&status);
    const vornexhost::Node* node = vornexhost::nodeOf(m_object);
    if (!mesh || !node)
        return MStatus::kInvalidParameter;
    if (instanceNumber >= node->parents.size())
        return MStatus::kInvalidParameter;
    const vornexhost::ShaderAssignment assignment =
        vornexhost::shaderAssignment(*node, instanceNumber, mesh->faceCount());
    for (vornexhost::Node* engine : assignment.engines)
        shaders.append(vornexhost::objectOf(engine));
    for (std::int32_t e : assignment.faceEngine)
        indices.append(e);
    return MStatus::kSuccess;
}

namespace {

struct BlindDataLookup {
    std::vector<vornexhost::BlindDataSource> sources;
    const vornexhost::BlindDataSource* source = nullptr;
};

// The blind data of `blindDataId` for a component kind, or null.
const vornexhost::BlindDataSource* findBlindData(const MObject& object, MFn::Type compType,
                                                 int blindDataId, BlindDataLookup& lookup) {
    const vornexhost::Node* node = vornexhost::nodeOf(object);
    if (!node)
        return nullptr;
    lookup.sources = vornexhost::blindDataSources(*node, compType);
    for (const auto& source : lookup.sources)
        if (source.id == blindDataId)
            return lookup.source = &source;
    return nullptr;
}

// The plug holding one blind data value, or a null address when the component has none.
vornexhost::PlugAddress blindDataValue(const MObject& object, int compId, MFn::Type compType,
                                       int blindDataId, const MString& attrName,
                                       const char* format) {
    BlindDataLookup lookup;
    const vornexhost::BlindDataSource* source =
        findBlindData(object, compType, blindDataId, lookup);
    if (!source || !source->has(compId))
        return {};
    const vornexhost::BlindDataAttribute* attribute = source->find(attrName.str());
    if (!attribute || attribute->format != format)
        return {};
    return {source->node, attribute->attribute, {compId}};
}

} // namespace

MStatus MFnMesh::getBlindDataTypes(MFn::Type compType, MIntArray& blindDataIds) const {
    blindDataIds.clear();
    const vornexhost::Node* node = vornexhost::nodeOf(m_object);
    if (!node)
        return MStatus::kInvalidParameter;
    for (const auto& source : vornexhost::blindDataSources(*node, compType))
        blindDataIds.append(source.id);
    return MStatus::kSuccess;
}

MStatus MFnMesh::getBlindDataAttrNames(int blindDataId, MStringArray& longNames,
                                       MStringArray& shortNames, MStringArray& formatNames) const {
    longNames.clear();
    shortNames.clear();
    formatNames.clear();
    for (MFn::Type type :
         {MFn::kMeshPolygonComponent, MFn::kMeshVertComponent, MFn::kMeshEdgeComponent}) {
        BlindDataLookup lookup;
        if (const auto* source = findBlindData(m_object, type, blindDataId, lookup)) {
            for (const auto& a : source->attributes) {
                longNames.append(MString(a.longName));
                shortNames.append(MString(a.shortName));
                formatNames.append(MString(a.format));
            }
            return MStatus::kSuccess;
        }
    }
    return MStatus::kFailure;
}

bool MFnMesh::hasBlindData(MFn::Type compType, MStatus* status) const {
    const vornexhost::Node* node = vornexhost::nodeOf(m_object);
    report(status, node ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return node && !vornexhost::blindDataSources(*node, compType).empty();
}

bool MFnMesh::hasBlindData(int compId, MFn::Type compType, int blindDataId, MStatus* status) const {
    BlindDataLookup lookup;
    const auto* source = findBlindData(m_object, compType, blindDataId, lookup);
    report(status, vornexhost::nodeOf(m_object) ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return source && source->has(compId);
}

bool MFnMesh::hasBlindDataComponentId(int compId, MFn::Type compType, int blindDataId,
                                      MStatus* status) const {
    return hasBlindData(compId, compType, blindDataId, status);
}

MStatus MFnMesh::getIntBlindData(int compId, MFn::Type compType, int blindDataId,
                                 const MString& attrName, int& data) const {
    const auto plug = blindDataValue(m_object, compId, compType, blindDataId, attrName, "int");
    if (plug.isNull())
        return MStatus::kFailure;
    data = static_cast<int>(vornexhost::storedNumber(plug));
    return MStatus::kSuccess;
}

MStatus MFnMesh::getFloatBlindData(int compId, MFn::Type compType, int blindDataId,
                                   const MString& attrName, float& data) const {
    const auto plug = blindDataValue(m_object, compId, compType, blindDataId, attrName, "float");
    if (plug.isNull())
        return MStatus::kFailure;
    data = static_cast<float>(vornexhost::storedNumber(plug));
    return MStatus::kSuccess;
}

MStatus MFnMesh::getDoubleBlindData(int compId, MFn::Type compType, int blindDataId,
                                    const MString& attrName, double& data) const {
    const auto plug = blindDataValue(m_object, compId, compType, blindDataId, attrName, "double");
    if (plug.isNull())
        return MStatus::kFailure;
    data = vornexhost::storedNumber(plug);
    return MStatus::kSuccess;
}

MStatus MFnMesh::getBoolBlindData(int compId, MFn::Type compType, int blindDataId,
                                  const MString& attrName, bool& data) const {
    const auto plug = blindDataValue(m_object, compId, compType, blindDataId, attrName, "boolean");
    if (plug.isNull())
        return MStatus::kFailure;
    data = vornexhost::storedNumber(plug) != 0.0;
    return MStatus::kSuccess;
}

MStatus MFnMesh::getStringBlindData(int compId, MFn::Type compType, int blindDataId,
                                    const MString& attrName, MString& data) const {
    const auto plug = blindDataValue(m_object, compId, compType, blindDataId, attrName, "string");
    if (plug.isNull())
        return MStatus::kFailure;
    const auto value = vornexhost::storedData(plug);
    data = value ? MString(value->text) : MString();
    return MStatus::kSuccess;
}
