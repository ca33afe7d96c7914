#include "Vornex/Reader/SkinReading.h"

#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"
#include "Vornex/Reader/ReaderReports.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/Reader/SkinWeightRecords.h"

#include <maya/MDagPathArray.h>
#include <maya/MFloatArray.h>
#include <maya/MFnSkinCluster.h>
#include <maya/MItGeometry.h>
#include <maya/MPlugArray.h>

namespace vx {

namespace {
constexpr unsigned kMaxSearchDepth = 5;
// More used influences than the game's skinned meshes take: each is named in a report.
constexpr std::size_t kReportedInfluenceCount = 26;
} // namespace

bool findSkinCluster(const MPlug& plug, unsigned depth, MPlug& cluster) {
    if (depth + 1 > kMaxSearchDepth)
        return false;
    MPlugArray sources;
    plug.connectedTo(sources, true, false);
    if (sources.length() == 0)
        return false;
    const MPlug source = sources[0];
    MStatus status;
    MFnSkinCluster skin(source.node(), &status);
    if (status) {
        cluster = source;
        return true;
    }
    MFnDependencyNode node(source.node(), &status);
    if (!status)
        return false;
    MPlugArray connected;
    node.getConnections(connected);
    for (unsigned i = 0; i < connected.length(); ++i)
        if (findSkinCluster(connected[i], depth + 1, cluster))
            return true;
    return false;
}

void SceneReader::readSkinWeights(const MObject& skinCluster, const MDagPath& shape,
                                  VertexBuffer& buffer) {
    VX_READER_INFO(*this, "found skincluster");
    MFnSkinCluster skin(skinCluster);
    MDagPathArray influences;
    MStatus status;
    const unsigned count = skin.influenceObjects(influences, &status);
    VX_READER_ASSERT(status == MStatus::kSuccess, "status == MS::kSuccess", "");
    std::vector<std::string> names;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned index = skin.indexForInfluenceObject(influences[i]);
        VX_READER_ASSERT(i == index, "i == index", "");
        names.emplace_back(influences[i].partialPathName().asChar());
    }
    if (count == 0)
        return;

    SkinWeightRecords records(names);
    std::vector<float> weights;
    buffer.m_skinWeights.reserve(static_cast<std::size_t>(MItGeometry(shape).count()));
    for (MItGeometry it(shape); !it.isDone(); it.next()) {
        MFloatArray row;
        unsigned influenceCount = 0;
        status = skin.getWeights(shape, it.component(), row, influenceCount);
        VX_READER_ASSERT(status == MStatus::kSuccess, "status == MS::kSuccess", "");
        VX_READER_ASSERT(influenceCount > 0, "infCount > 0", "");
        weights.assign(row.begin(), row.end());
        buffer.m_skinWeights.push_back(records.addVertex(weights.data(), weights.size()));
    }

    const std::vector<std::uint32_t>& used = records.usedInfluences();
    if (used.empty())
        return;
    if (used.size() > kReportedInfluenceCount)
        for (const std::uint32_t i : used)
            VX_READER_INFO(*this, "influensed by ikJoint:" + names[i]);
    PendingSkin pending;
    for (const std::uint32_t i : used)
        pending.influences.push_back(keyOf(influences[i].node()));
    VX_READER_ASSERT(!pending.influences.empty(), "influenceObjects.length() != 0", "");
    const auto result = m_pendingSkins.emplace(keyOf(shape.node()), std::move(pending));
    VX_READER_ASSERT(result.second, "result.second", "");
}

void SceneReader::resolvePendingSkins() {
    for (auto& [shape, pending] : m_pendingSkins) {
        std::vector<SceneNode*> resolved;
        std::vector<std::int32_t> newPosition(pending.influences.size(), -1);
        for (std::size_t i = 0; i < pending.influences.size(); ++i) {
            const std::vector<SceneNode*>* nodes = recordedNodes(pending.influences[i]);
            if (!nodes) {
                VX_WARNING << "Influence id out of range: " << pending.influences[i];
                continue;
            }
            VX_READER_ASSERT(nodes->size() == 1, "nodeList->size() == 1", "");
            newPosition[i] = static_cast<std::int32_t>(resolved.size());
            resolved.push_back(nodes->front());
        }
        for (UtilMeshNode* mesh : pending.meshNodes)
            for (SceneNode* joint : resolved)
                mesh->addInfluenceObject(joint);
        // The weight records name influences by position: keep them pointing at the joints the
        // mesh nodes list, dropping the weights of joints that have no scene node.
        if (resolved.size() != pending.influences.size() && !pending.meshNodes.empty()) {
            const auto& grouped = pending.meshNodes.front()->mesh();
            if (grouped && grouped->m_geometry && grouped->m_geometry->m_vertexBuffer)
                renumberInfluences(grouped->m_geometry->m_vertexBuffer->m_skinWeights, newPosition);
        }
    }
    m_pendingSkins.clear();
}

} // namespace vx
