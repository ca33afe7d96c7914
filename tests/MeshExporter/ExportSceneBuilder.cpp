#include "tests/MeshExporter/ExportSceneBuilder.h"

#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/OwnedNode.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLocatorNode.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"

#include <stdexcept>

namespace vx::test {

std::shared_ptr<Material> cgfxMaterial(const std::string& name, const std::string& effect,
                                       const std::string& technique,
                                       std::initializer_list<std::string> textures) {
    auto material = std::make_shared<Material>(name);
    material->setHardwareShader(true);
    material->setText("zeph_FxFileName", effect);
    material->setText("zeph_TechniqueName", technique);
    material->setInt("zeph_NumFxTextures", static_cast<std::int32_t>(textures.size()));
    int i = 0;
    for (const std::string& texture : textures)
        material->setText("zeph_FxTexture" + std::to_string(i++), texture);
    return material;
}

std::shared_ptr<MaterialGroupedMesh> buildMesh(const std::string& name, const MeshDraft& draft) {
    auto geometry = std::make_shared<MeshGeometry>();
    geometry->m_name = name;
    geometry->m_vertexBuffer = std::make_shared<VertexBuffer>();
    geometry->m_primitiveBuffer = std::make_shared<PrimitiveBuffer>();
    VertexBuffer& vb = *geometry->m_vertexBuffer;
    vb.m_positions = draft.positions;
    vb.m_normals = draft.normals;
    vb.m_diffuseColors = draft.colors;
    vb.m_skinWeights = draft.skin;
    for (const auto& set : draft.uvSets) {
        vb.m_uvSets.emplace_back();
        for (const auto& [u, v] : set)
            vb.m_uvSets.back().push_back({u, v});
    }
    // One scene vertex per position, indexing the same number in every array.
    for (std::size_t i = 0; i < draft.positions.size(); ++i) {
        Vertex v;
        v.m_position = static_cast<std::int32_t>(i);
        if (!draft.normals.empty())
            v.m_normal = static_cast<std::int32_t>(i);
        if (!draft.colors.empty())
            v.m_diffuse = static_cast<std::int32_t>(i);
        if (!draft.skin.empty())
            v.m_blendWeight = static_cast<std::int32_t>(i);
        for (std::size_t s = 0; s < draft.uvSets.size(); ++s)
            v.addUv(static_cast<std::int32_t>(i));
        vb.m_vertices.push_back(v);
    }
    auto mesh = std::make_shared<MaterialGroupedMesh>();
    mesh->m_name = name;
    mesh->m_geometry = geometry;
    for (const auto& material : draft.groups) {
        MaterialGroup group;
        group.m_name = material->m_name;
        group.m_material = material;
        mesh->m_groups.push_back(std::move(group));
    }
    for (std::size_t p = 0; p < draft.polygons.size(); ++p) {
        Primitive polygon;
        for (int corner : draft.polygons[p])
            polygon.m_indices.push_back(corner);
        polygon.m_faceIndex = static_cast<std::int32_t>(p);
        geometry->m_primitiveBuffer->m_primitives.push_back(std::move(polygon));
        mesh->m_groups[static_cast<std::size_t>(draft.groupOfPolygon[p])].m_primitives.push_back(
            static_cast<std::int32_t>(p));
    }
    return mesh;
}

MeshDraft gridDraft(int side, const std::vector<std::shared_ptr<Material>>& groups) {
    MeshDraft draft;
    draft.groups = groups;
    draft.uvSets.emplace_back();
    for (int z = 0; z < side; ++z)
        for (int x = 0; x < side; ++x) {
            const float height = static_cast<float>((x * 7919 + z * 104729) % 13) / 130.0f;
            draft.positions.emplace_back(static_cast<float>(x), height, static_cast<float>(z));
            draft.normals.emplace_back(0.0f, 1.0f, 0.0f);
            draft.uvSets[0].emplace_back(static_cast<float>(x) / static_cast<float>(side),
                                         static_cast<float>(z) / static_cast<float>(side));
        }
    const auto bands = static_cast<int>(groups.size());
    for (int z = 0; z + 1 < side; ++z)
        for (int x = 0; x + 1 < side; ++x) {
            const int v0 = z * side + x;
            const int band = z * bands / (side - 1);
            draft.polygons.push_back({v0, v0 + side, v0 + 1});
            draft.polygons.push_back({v0 + 1, v0 + side, v0 + side + 1});
            draft.groupOfPolygon.push_back(band);
            draft.groupOfPolygon.push_back(band);
        }
    return draft;
}

ExportSceneBuilder::ExportSceneBuilder(const std::string& rootName) {
    auto root = makeNode<RootNode>();
    root->setName("scenes/test.ma");
    m_scene.setRoot(root.get());
    transform(rootName, "");
}

SceneNode* ExportSceneBuilder::find(const std::string& name) const {
    std::vector<SceneNode*> pending{m_scene.getRoot()};
    while (!pending.empty()) {
        SceneNode* node = pending.back();
        pending.pop_back();
        if (node->name() == name)
            return node;
        if (const NodeList* children = node->children())
            pending.insert(pending.end(), children->begin(), children->end());
    }
    throw std::invalid_argument("no node named " + name);
}

void ExportSceneBuilder::transform(const std::string& name, const std::string& parent,
                                   const Matrix& local) {
    auto node = makeNode<UtilTransformNode>();
    node->setName(name);
    node->m_matrix = local;
    SceneNode* under = parent.empty() ? m_scene.getRoot() : find(parent);
    under->addChild(node.get());
}

void ExportSceneBuilder::mesh(const std::string& name, const std::string& parent,
                              std::shared_ptr<MaterialGroupedMesh> mesh) {
    auto node = makeNode<UtilMeshNode>();
    node->setName(name);
    node->setMesh(std::move(mesh));
    find(parent)->addChild(node.get());
}

void ExportSceneBuilder::locator(const std::string& name, const std::string& parent,
                                 const Vector3& at) {
    auto node = makeNode<UtilLocatorNode>(at);
    node->setName(name);
    find(parent)->addChild(node.get());
}

void ExportSceneBuilder::joint(const std::string& name, const std::string& parent,
                               const Vector3& translation, const Quaternion& rotation,
                               bool animExport) {
    auto node = makeNode<UtilJointNode>();
    node->setName(name);
    node->addKey(0.0f, rotation, translation);
    if (animExport)
        node->setBool("anim_export", true);
    find(parent)->addChild(node.get());
}

void ExportSceneBuilder::skinnedMesh(const std::string& name, const std::string& parent,
                                     std::shared_ptr<MaterialGroupedMesh> shape,
                                     const std::vector<std::string>& influences) {
    mesh(name, parent, std::move(shape));
    auto* node = dynamic_cast<UtilMeshNode*>(find(name));
    for (const std::string& joint : influences)
        node->addInfluenceObject(find(joint));
}

} // namespace vx::test
