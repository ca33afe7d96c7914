#include <vornexhost/Component.h>
#include <vornexhost/Handles.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>
#include <vornexhost/Status.h>

#include <maya/MFnSkinCluster.h>

#include <algorithm>

using vornexhost::Node;
using vornexhost::report;

namespace {

struct Influence {
    std::int32_t logical;
    Node* node;
};

// The nodes connected to the cluster's "matrix" elements, by logical index. A DAG source is an
// influence through its world matrix (one path: the instance the matrix element names).
std::vector<Influence> influencesOf(const Node& cluster) {
    std::vector<Influence> out;
    const vornexhost::Scene* scene = cluster.scene();
    const vornexhost::Attribute* matrix = cluster.findAttribute("matrix");
    if (!scene || !matrix)
        return out;
    for (std::uint32_t index : cluster.connectionsIn) {
        const vornexhost::Connection& c = scene->connection(index);
        if (!c.alive || c.destination.node != &cluster || c.destination.attribute != matrix ||
            c.destination.indices.size() != 1 || c.destination.indices[0] < 0 || !c.source.node ||
            !c.source.node->isDag())
            continue;
        out.push_back({c.destination.indices[0], c.source.node});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Influence& a, const Influence& b) { return a.logical < b.logical; });
    return out;
}

MDagPath pathTo(Node* node) {
    MDagPath path;
    MDagPath::getAPathTo(vornexhost::objectOf(node), path);
    return path;
}

} // namespace

MFnSkinCluster::MFnSkinCluster(const MObject& object, MStatus* status) {
    report(status, MFnSkinCluster::setObject(object));
}

MStatus MFnSkinCluster::setObject(const MObject& object) {
    m_shape = MObject();
    m_shapeMesh.reset();
    if (!vornexhost::nodeOf(object) || !object.hasFn(MFn::kSkinClusterFilter)) {
        m_object = MObject();
        return MStatus::kInvalidParameter;
    }
    m_object = object;
    return MStatus::kSuccess;
}

unsigned int MFnSkinCluster::influenceObjects(MDagPathArray& paths, MStatus* status) const {
    paths.clear();
    const Node* cluster = vornexhost::nodeOf(m_object);
    if (!cluster) {
        report(status, MStatus::kInvalidParameter);
        return 0;
    }
    for (const Influence& influence : influencesOf(*cluster))
        paths.append(pathTo(influence.node));
    report(status, MStatus::kSuccess);
    return paths.length();
}

unsigned int MFnSkinCluster::indexForInfluenceObject(const MDagPath& path, MStatus* status) const {
    const Node* cluster = vornexhost::nodeOf(m_object);
    const Node* wanted = vornexhost::nodeOf(path.node());
    if (cluster && wanted)
        for (const Influence& influence : influencesOf(*cluster))
            if (influence.node == wanted) {
                report(status, MStatus::kSuccess);
                return static_cast<unsigned int>(influence.logical);
            }
    report(status, MStatus::kInvalidParameter);
    return 0;
}

MStatus MFnSkinCluster::getWeights(const MDagPath& path, const MObject& components,
                                   MFloatArray& weights, unsigned int& influenceCount) const {
    weights.clear();
    influenceCount = 0;
    Node* cluster = vornexhost::nodeOf(m_object);
    if (m_shape != path.node() || !m_shapeMesh) {
        m_shape = path.node();
        m_shapeMesh = vornexhost::evaluateMesh(m_shape);
    }
    const auto& mesh = m_shapeMesh;
    const vornexhost::Attribute* weightList =
        cluster ? cluster->findAttribute("weightList") : nullptr;
    const vornexhost::Attribute* weightsAttr = weightList ? weightList->child("weights") : nullptr;
    if (!cluster || !mesh || !weightsAttr)
        return MStatus::kInvalidParameter;

    std::vector<int> vertices;
    if (components.isNull()) {
        for (std::uint32_t v = 0; v < mesh->vertexCount(); ++v)
            vertices.push_back(static_cast<int>(v));
    } else {
        const auto* c = dynamic_cast<const vornexhost::Component*>(components.impl().get());
        if (!c || c->type != MFn::kMeshVertComponent)
            return MStatus::kInvalidParameter;
        vertices = c->indices;
    }
    const std::vector<Influence> influences = influencesOf(*cluster);
    influenceCount = static_cast<unsigned int>(influences.size());
    for (int v : vertices) {
        if (v < 0 || std::uint32_t(v) >= mesh->vertexCount())
            return MStatus::kInvalidParameter;
        // Influences without a stored weight weigh nothing.
        const vornexhost::ArrayStore* row =
            vornexhost::arrayStoreOf({cluster, weightsAttr, {v, -1}}, false);
        for (const Influence& influence : influences) {
            float w = 0.0f;
            if (row)
                if (const long p = row->find(static_cast<std::uint32_t>(influence.logical)); p >= 0)
                    w = static_cast<float>(row->number(static_cast<std::size_t>(p), 0));
            weights.append(w);
        }
    }
    return MStatus::kSuccess;
}
