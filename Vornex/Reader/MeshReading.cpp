// Mesh shapes: one shared geometry per shape node, with points, normals, UV channels chosen
// by the materials of the shape's first instance, split vertices, polygons, statistics and
// face blind data.
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MeshGeometry.h"
#include "Vornex/Reader/MaterialUvSets.h"
#include "Vornex/Reader/MeshBlindData.h"
#include "Vornex/Reader/MeshValidation.h"
#include "Vornex/Reader/PolygonAssembly.h"
#include "Vornex/Reader/ReaderReports.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/Reader/SkinReading.h"
#include "Vornex/Reader/VertexBuilding.h"

#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MObjectArray.h>
#include <maya/MStringArray.h>

#include <algorithm>

namespace vx {
namespace {

// The UV sets the materials of one instance's shading engines use on this mesh, per engine.
std::vector<std::vector<std::string>> engineUvSets(SceneReader& reader, const MFnMesh& mesh,
                                                   unsigned instance,
                                                   const std::vector<std::string>& meshSets,
                                                   std::vector<std::int32_t>* faceEngine) {
    MObjectArray engines;
    MIntArray indices;
    std::vector<std::vector<std::string>> sets;
    if (!mesh.getConnectedShaders(instance, engines, indices))
        return sets;
    const std::string shape = mesh.name().asChar();
    for (unsigned i = 0; i < engines.length(); ++i)
        sets.push_back(materialUvSets(reader.readShadingEngine(engines[i]).get(), shape, meshSets));
    if (faceEngine)
        faceEngine->assign(indices.begin(), indices.end());
    return sets;
}

// The per-face blind data of every readable type, as attributes of the primitives that the
// faces became (one attribute-value record per primitive).
void readFaceBlindData(const MFnMesh& mesh, PrimitiveBuffer& primitives) {
    const std::vector<BlindDataType> types = blindDataTypes(mesh, MFn::kMeshPolygonComponent);
    if (types.empty())
        return;
    primitives.m_attributeValues.resize(primitives.m_primitives.size());
    for (const BlindDataType& type : types) {
        const std::string name = type.longName.asChar();
        auto attribute = primitives.m_attributes.find(name);
        for (std::size_t p = 0; p < primitives.m_primitives.size(); ++p) {
            auto value = blindDataValue(mesh, type, primitives.m_primitives[p].m_faceIndex);
            if (!value)
                continue;
            if (attribute == primitives.m_attributes.end())
                attribute =
                    primitives.m_attributes
                        .emplace(name, PrimitiveAttribute{kindOf(*value),
                                                          static_cast<std::uint32_t>(
                                                              primitives.m_attributes.size())})
                        .first;
            primitives.m_attributeValues[p].emplace_back(attribute->second.m_number,
                                                         std::move(*value));
        }
    }
}

} // namespace

std::shared_ptr<MeshGeometry> SceneReader::readMeshShape(const MDagPath& path) {
    MStatus status;
    const MFnMesh mesh(path, &status);
    if (!status)
        return nullptr;
    const NodeKey key = keyOf(path.node());
    if (const auto it = m_meshes.find(key); it != m_meshes.end())
        return it->second;
    const std::string name = mesh.name().asChar();
    VX_READER_INFO(*this, "Parsing mesh shape <" + name + ">");

    auto vertices = std::make_shared<VertexBuffer>();
    auto primitives = std::make_shared<PrimitiveBuffer>();

    const MPlug inMesh = mesh.findPlug("inMesh");
    MPlug cluster;
    if (inMesh.isConnected() && findSkinCluster(inMesh, 0, cluster))
        readSkinWeights(cluster.node(), path, *vertices);

    MStringArray uvSetNames;
    mesh.getUVSetNames(uvSetNames);
    VX_READER_ASSERT(uvSetNames.length() != 0, "uvSetNames.length() != 0", "");
    std::vector<std::string> meshSets;
    for (unsigned i = 0; i < uvSetNames.length(); ++i)
        meshSets.emplace_back(uvSetNames[i].asChar());

    const int pointCount = mesh.numVertices();
    vertices->m_positions.reserve(static_cast<std::size_t>(pointCount));
    for (int v = 0; v < pointCount; ++v) {
        MPoint p;
        mesh.getPoint(v, p, MSpace::kObject);
        vertices->m_positions.push_back(convertPoint(
            {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)}));
    }
    MFloatVectorArray normals;
    mesh.getNormals(normals, MSpace::kObject);
    vertices->m_normals.reserve(normals.length());
    for (const MFloatVector& n : normals)
        vertices->m_normals.push_back(convertPoint({n.x, n.y, n.z}));

    const unsigned instanceCount = mesh.instanceCount(false);
    VX_READER_ASSERT(instanceCount != 0, "instanceCount != 0", "");

    // UV channel k of a corner is the k-th set its face's material uses.
    VertexBuildSettings settings;
    settings.prefix = "<" + std::string(path.node().apiTypeStr()) + "::" + name + ">";
    const auto engineSets = engineUvSets(*this, mesh, 0, meshSets, &settings.faceShader);
    std::size_t channels = 0;
    for (const auto& sets : engineSets) {
        channels = std::max(channels, sets.size());
        std::vector<std::int32_t> indices;
        for (const std::string& set : sets) {
            const auto it = std::find(meshSets.begin(), meshSets.end(), set);
            indices.push_back(
                it == meshSets.end() ? -1 : static_cast<std::int32_t>(it - meshSets.begin()));
        }
        settings.channelSets.push_back(std::move(indices));
    }
    vertices->m_uvSets.resize(channels);
    // Each channel is named by the first material list that reaches it.
    for (std::size_t k = 0; k < channels; ++k)
        for (const auto& sets : engineSets)
            if (k < sets.size()) {
                vertices->m_texts.push_back(sets[k]);
                break;
            }

    settings.faceShader.resize(static_cast<std::size_t>(mesh.numPolygons()), -1);
    settings.skinned =
        vertices->m_skinWeights.size() == static_cast<std::size_t>(pointCount) && pointCount > 0;
    settings.vertexBlindData = blindDataTypes(mesh, MFn::kMeshVertComponent);
    PolygonTable table;
    buildVertices(path, mesh, settings, *vertices, table);
    assemblePolygons(table, settings.faceShader, settings.prefix, *primitives);

    // The other instances' materials are read now too (their UV sets add no channels).
    for (unsigned instance = 1; instance < instanceCount; ++instance)
        engineUvSets(*this, mesh, instance, meshSets, nullptr);

    const std::string texts[] = {
        "MeshInfo:      " + name,
        "  PolyCount:   " + std::to_string(primitives->primitiveCount()),
        "  VertexCount: " + std::to_string(pointCount) + "/" +
            std::to_string(vertices->vertexCount()),
        "  SkinWeightCount: " + std::to_string(vertices->m_skinWeights.size()),
        "  UvSetCount:  " + std::to_string(vertices->uvSetCount()) + "/" +
            std::to_string(meshSets.size()),
        "  NormalCount: " + std::to_string(vertices->m_normals.size()),
        "  ColorCount:  " + std::to_string(vertices->m_diffuseColors.size()),
    };
    std::string statistics;
    for (const std::string& text : texts) {
        VX_INFO << text;
        statistics += text;
    }
    infoReport(statistics, __LINE__);

    readFaceBlindData(mesh, *primitives);

    auto geometry = std::make_shared<MeshGeometry>();
    geometry->m_name = name;
    copyExtraAttributes(path.node(), geometry->m_namedValues);
    primitives->m_name = name + "PrimitiveBuffer";
    vertices->m_name = name + "VertexBuffer";
    geometry->m_primitiveBuffer = primitives;
    geometry->m_vertexBuffer = vertices;
    m_meshes.emplace(key, geometry);

    if (m_options & kValidateGeometry)
        validateVertexBuffer(*vertices, *primitives);
    return geometry;
}

} // namespace vx
