#include "tests/Vornex/Reader/ReaderTestSupport.h"

#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MeshGeometry.h"

#include <maya/MFileIO.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <functional>

namespace vx::test {

std::string readerDataPath(const std::string& name) {
    return VORNEX_TEST_DATA_DIR "/reader/" + name;
}

SkinWeight skinRecord(std::array<float, 4> weights, std::array<std::int32_t, 4> bones) {
    SkinWeight record;
    for (std::size_t k = 0; k < 4; ++k) {
        record.m_weights[k] = weights[k];
        record.m_bones[k] = bones[k];
    }
    return record;
}

std::shared_ptr<Material> ReaderSceneTest::engineMaterial(const std::string& engine) {
    MSelectionList list;
    list.add(engine.c_str());
    MObject node;
    list.getDependNode(0, node);
    return reader.readShadingEngine(node);
}

void ReaderSceneTest::open(const std::string& scene, ParseFlags flags) {
    ASSERT_TRUE(MFileIO::open(readerDataPath(scene).c_str(), nullptr, true)) << scene;
    // An empty selection: the options are set, nothing is walked.
    MGlobal::setActiveSelectionList(MSelectionList());
    reports.clear();
    warnings = reader.parseActiveMayaScene(
        true, flags, [this](const std::string& line) { reports.push_back(line); });
}

void ReaderSceneTest::read(const std::string& scene, ParseFlags flags) {
    ASSERT_TRUE(MFileIO::open(readerDataPath(scene).c_str(), nullptr, true)) << scene;
    reports.clear();
    warnings = reader.parseActiveMayaScene(
        false, flags, [this](const std::string& line) { reports.push_back(line); });
}

std::vector<const UtilMeshNode*> ReaderSceneTest::meshNodes(const std::string& name) const {
    std::vector<const UtilMeshNode*> found;
    std::function<void(const SceneNode*)> visit = [&](const SceneNode* node) {
        if (node->getType() == &UtilMeshNode::type && node->name() == name)
            found.push_back(static_cast<const UtilMeshNode*>(node));
        if (const NodeList* children = node->children())
            for (const SceneNode* child : *children)
                visit(child);
    };
    if (const SceneNode* root = const_cast<SceneReader&>(reader).scene().getRoot())
        visit(root);
    return found;
}

const UtilMeshNode& ReaderSceneTest::meshNode(const std::string& name) const {
    const auto found = meshNodes(name);
    if (found.size() != 1)
        throw std::runtime_error("expected one mesh node " + name + ", found " +
                                 std::to_string(found.size()));
    return *found.front();
}

const VertexBuffer& ReaderSceneTest::vertices(const UtilMeshNode& node) {
    return *node.mesh()->m_geometry->m_vertexBuffer;
}

const PrimitiveBuffer& ReaderSceneTest::primitives(const UtilMeshNode& node) {
    return *node.mesh()->m_geometry->m_primitiveBuffer;
}

std::vector<std::string> ReaderSceneTest::reportsStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& line : reports) {
        const std::size_t text = line.find("): ");
        if (text != std::string::npos && line.compare(text + 3, prefix.size(), prefix) == 0)
            out.push_back(line.substr(text + 3));
    }
    return out;
}

} // namespace vx::test
