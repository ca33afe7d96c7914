// The mesh handler: each DAG instance of a mesh shape becomes a UtilMeshNode over the shape's
// shared geometry, seen through the instance's materials.
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Vornex/Reader/MaterialUvSets.h"
#include "Vornex/Reader/MeshValidation.h"
#include "Vornex/Reader/ReaderReports.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/VornexException.h"

#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MObjectArray.h>
#include <maya/MStringArray.h>

namespace vx {
namespace {

// The geometry's polygons grouped by the instance's shading engines: a group per engine that
// shades some polygon, in engine order, then one without a material for polygons without an
// engine.
std::vector<MaterialGroup> groupPolygons(const MeshGeometry& geometry,
                                         const std::vector<std::shared_ptr<Material>>& materials,
                                         const MIntArray& faceEngine) {
    const std::vector<Primitive>& primitives = geometry.m_primitiveBuffer->m_primitives;
    const auto engineOf = [&](const Primitive& primitive) {
        const auto face = static_cast<unsigned>(primitive.m_faceIndex);
        const int engine = face < faceEngine.length() ? faceEngine[face] : -1;
        return engine >= 0 && static_cast<std::size_t>(engine) < materials.size() ? engine : -1;
    };
    // Group of each engine (the last entry: no engine), -1 while unused.
    std::vector<std::int32_t> groupOf(materials.size() + 1, -1);
    for (const Primitive& primitive : primitives) {
        const int engine = engineOf(primitive);
        groupOf[engine < 0 ? materials.size() : static_cast<std::size_t>(engine)] = 0;
    }
    std::vector<MaterialGroup> groups;
    for (std::size_t e = 0; e < groupOf.size(); ++e) {
        if (groupOf[e] < 0)
            continue;
        groupOf[e] = static_cast<std::int32_t>(groups.size());
        MaterialGroup& group = groups.emplace_back();
        if (e < materials.size() && materials[e]) {
            group.m_material = materials[e];
            group.m_name = materials[e]->m_name;
        }
    }
    for (std::size_t p = 0; p < primitives.size(); ++p) {
        const int engine = engineOf(primitives[p]);
        groups[static_cast<std::size_t>(
                   groupOf[engine < 0 ? materials.size() : static_cast<std::size_t>(engine)])]
            .m_primitives.push_back(static_cast<std::int32_t>(p));
    }
    return groups;
}

bool sameGroups(const std::vector<MaterialGroup>& a, const std::vector<MaterialGroup>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t g = 0; g < a.size(); ++g)
        if (a[g].m_material != b[g].m_material || a[g].m_primitives != b[g].m_primitives)
            return false;
    return true;
}

} // namespace

void SceneReader::readMesh(const MDagPath& path) {
    VX_READER_ASSERT(path.node().apiType() == MFn::kMesh, "dagPath.node().apiType() == MFn::kMesh",
                     "");
    SceneNode* endNode = attachShapeParent(path);
    if (!endNode)
        return; // this transform already has its shape

    const std::shared_ptr<MeshGeometry> geometry = readMeshShape(path);
    if (!geometry) {
        VX_READER_INFO(*this, "Invalid shape");
        return;
    }
    MStatus status;
    const MFnMesh mesh(path, &status);
    if (!status)
        throw VornexException("Failed to attach mesh function set to DAG path: " +
                                  std::string(path.node().apiTypeStr()),
                              __LINE__, status);
    const unsigned instance = path.instanceNumber();
    VX_READER_ASSERT(instance < mesh.parentCount(),
                     "instanceNumber >= 0 && instanceNumber < mesh.parentCount()", "");

    MObjectArray engines;
    MIntArray faceEngine;
    mesh.getConnectedShaders(0, engines, faceEngine);
    if (instance != 0)
        mesh.getConnectedShaders(instance, engines, faceEngine);
    std::vector<std::shared_ptr<Material>> materials;
    for (unsigned i = 0; i < engines.length(); ++i)
        materials.push_back(readShadingEngine(engines[i]));

    // Instances that group the polygons alike under the same materials share one grouped mesh.
    std::vector<MaterialGroup> groups = groupPolygons(*geometry, materials, faceEngine);
    std::shared_ptr<MaterialGroupedMesh> grouped;
    auto& candidates = m_groupedMeshes[geometry.get()];
    for (const auto& candidate : candidates)
        if (sameGroups(candidate->m_groups, groups))
            grouped = candidate;
    const std::string name = mesh.name().asChar();
    const bool shared = grouped != nullptr;
    if (!shared) {
        grouped = std::make_shared<MaterialGroupedMesh>();
        grouped->m_name = name;
        grouped->m_geometry = geometry;
        grouped->m_groups = std::move(groups);
        candidates.push_back(grouped);
    }

    std::string report = "Parsing mesh <" + name + "::" + path.node().apiTypeStr() + ">";
    if (shared)
        report += " (Shared object: <" + grouped->m_name + ">)";
    VX_READER_INFO(*this, report);
    for (std::size_t g = 0; g < grouped->m_groups.size(); ++g) {
        const MaterialGroup& group = grouped->m_groups[g];
        VX_READER_INFO(*this,
                       "MatGrp(" + std::to_string(g) +
                           "): " + std::to_string(group.m_primitives.size()) +
                           " Material: " + (group.m_material ? group.m_material->m_name : "N/A"));
    }

    if (m_options & kValidateGeometry) {
        MStringArray setNames;
        mesh.getUVSetNames(setNames);
        std::vector<std::string> meshSets;
        for (unsigned i = 0; i < setNames.length(); ++i)
            meshSets.emplace_back(setNames[i].asChar());
        std::vector<std::size_t> uvSetsOfGroup;
        for (const MaterialGroup& group : grouped->m_groups)
            uvSetsOfGroup.push_back(materialUvSets(group.m_material.get(), name, meshSets).size());
        validateGroupedMesh(*grouped, uvSetsOfGroup);
    }

    auto* node = new UtilMeshNode;
    node->setName(name);
    copyExtraAttributes(path.node(), *node);
    node->setMesh(grouped);
    endNode->addChild(node);
    recordNode(keyOf(path.node()), node);
    if (const auto pending = m_pendingSkins.find(keyOf(path.node()));
        pending != m_pendingSkins.end())
        pending->second.meshNodes.push_back(node);
    node->release();
}

} // namespace vx
