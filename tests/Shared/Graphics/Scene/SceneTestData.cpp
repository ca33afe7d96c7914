#include "tests/Shared/Graphics/Scene/SceneTestData.h"

#include "Shared/Base/Streams/Buffers/MemoryInBuffer.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/InStream.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Graphics/Scene/BaseSpline.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/UtilBaseSplineNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLocatorNode.h"
#include "Shared/Graphics/Scene/UtilLodNode.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"

#include <cstdio>

namespace vx::test {

std::string hex(const std::string& bytes) {
    std::string out;
    char cell[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(cell, sizeof cell, "%02x", static_cast<unsigned char>(bytes[i]));
        out += (i ? " " : "");
        out += cell;
    }
    return out;
}

std::string writeToBytes(Scene& scene) {
    StringOutBuffer buffer;
    OutStream out(&buffer);
    scene.write(out);
    return buffer.text();
}

bool readFromBytes(Scene& scene, const std::string& bytes) {
    MemoryInBuffer buffer(bytes.data(), bytes.size());
    InStream in(&buffer);
    return scene.read(in);
}

namespace {

void fillNamedValues(NamedValueTable& table, const std::string& prefix) {
    table.setInt(prefix + "Int", -7);
    table.setFloat(prefix + "Float", 1.5f);
    table.setBool(prefix + "Bool", true);
    table.setText(prefix + "Text", "hello " + prefix);
}

std::shared_ptr<MeshGeometry> makeGeometry() {
    auto vb = std::make_shared<VertexBuffer>();
    vb->m_name = "bodyShapeVertexBuffer";
    vb->m_positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    vb->m_normals = {{0, 0, 1}, {0, 1, 0}};
    vb->m_diffuseColors = {Color{0.5f, 0.25f, 0.125f, 1.0f}};
    vb->m_specularColors = {Color{}};
    for (std::int32_t i = 0; i < 4; ++i) {
        Vertex v;
        v.setPosition(i);
        v.setNormal(i % 2);
        v.setDiffuse(i == 0 ? 0 : -1);
        v.setSpecular(i == 1 ? 0 : -1);
        v.setBlendWeight(i);
        v.setNamedValues(i == 2 ? 0 : -1);
        v.addUv(i);
        v.addUv(3 - i);
        vb->m_vertices.push_back(v);
    }
    vb->m_uvSets = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}},
                    {{0.5f, 0.5f}, {0.25f, 0.75f}, {1, 1}, {0, 0}}};
    vb->m_texts = {"map1", "lightmap"};
    vb->m_vertexNamedValues.resize(1);
    fillNamedValues(vb->m_vertexNamedValues[0], "vertex");
    for (std::int32_t i = 0; i < 4; ++i) {
        SkinWeight w;
        w.m_weights[0] = 0.75f;
        w.m_weights[1] = 0.25f;
        w.m_bones[0] = 0;
        w.m_bones[1] = 1;
        vb->m_skinWeights.push_back(w);
    }

    auto pb = std::make_shared<PrimitiveBuffer>();
    pb->m_name = "bodyShapePrimitiveBuffer";
    pb->m_primitiveKind = 4;
    pb->m_primitives.push_back({{0, 1, 2}, 0, 0});
    pb->m_primitives.push_back({{0, 2, 3, 1}, 1, 1});
    pb->m_attributes["zephFaceTag"] = {NamedValueKind::Integer, 0};
    pb->m_attributes["zephFaceName"] = {NamedValueKind::Text, 1};
    pb->m_attributeValues.push_back({{0, NamedValue(std::int32_t{5})}, {1, NamedValue("top")}});
    pb->m_attributeValues.push_back({{1, NamedValue(std::string("side"))}});

    auto geometry = std::make_shared<MeshGeometry>();
    geometry->m_name = "bodyShape";
    geometry->m_vertexBuffer = vb;
    geometry->m_primitiveBuffer = pb;
    fillNamedValues(geometry->m_namedValues, "zephShape");
    return geometry;
}

std::shared_ptr<Material> makeTexturedMaterial() {
    auto material = std::make_shared<Material>("lambert2");
    auto texture = std::make_unique<TextureValue>();
    texture->m_name = "file1";
    texture->m_fileName = "textures/body.tga";
    texture->m_filterType = 3;
    texture->m_image = TextureImage{2, 1, {1, 2, 3, 4, 5, 6, 7, 8}};
    texture->m_offsetU = 0.5f;
    texture->m_offsetV = -0.25f;
    texture->m_rotateUV = 90.0f;
    texture->m_namedValues.setBool("wrapU", true);
    texture->m_namedValues.setText("bodyShape", "map1");
    material->setChannel("color", std::move(texture));
    material->setChannel("alpha", std::make_unique<ColorValue>(0.0f, 0.0f, 0.0f, 1.0f));
    material->setChannel("diffuse", std::make_unique<ColorValue>(0.8f, 0.8f, 0.8f, 1.0f));
    fillNamedValues(material->m_namedValues, "zephMaterial");
    return material;
}

std::shared_ptr<Material> makeLayeredMaterial() {
    auto material = std::make_shared<Material>("layered1");
    auto lower = std::make_unique<PairValue>(std::make_unique<ColorValue>(1.0f, 0.0f, 0.0f, 1.0f),
                                             std::make_unique<ColorValue>(0.5f, 0.5f, 0.5f, 0.5f));
    auto texture = std::make_unique<TextureValue>();
    texture->m_fileName = "detail.tga";
    auto upper = std::make_unique<PairValue>(std::move(texture),
                                             std::make_unique<ColorValue>(1.0f, 1.0f, 1.0f, 1.0f));
    material->setChannel("color",
                         std::make_unique<CombinedValue>(6, std::move(upper), std::move(lower)));
    material->setChannel("bumpmap", std::make_unique<ColorValue>(0.2f, 0.2f, 0.2f, 0.2f));
    material->setHardwareShader(true);
    material->m_namedValues.setText("zeph_FxFileName", "layered.fx");
    material->m_namedValues.setInt("zeph_NumFxTextures", 2);
    return material;
}

} // namespace

RootNode* setNewRoot(Scene& scene, const std::string& name) {
    auto* root = new RootNode();
    root->setName(name);
    scene.setRoot(root);
    root->release();
    return root;
}

void buildReferenceScene(Scene& scene) {
    auto* root = setNewRoot(scene, "scene.ma");

    auto* body = addNew<UtilTransformNode>(*root, "body");
    body->m_matrix = Matrix({0, 1, 0}, {-1, 0, 0}, {0, 0, 2}, {1, 2, 3});
    body->m_rotatePivotTranslation = {0.5f, 0.0f, -0.5f};
    body->m_scalePivot = {1.0f, 1.0f, 1.0f};
    fillNamedValues(body->m_namedValues, "zeph");
    body->setBool("anim_export", true);

    auto* joint1 = addNew<UtilJointNode>(*root, "joint1");
    joint1->addKey(1.0f, {0, 0, 0, 1}, {0, 1, 0});
    joint1->addKey(2.0f, {0, 0.7071f, 0, 0.7071f}, {0, 2, 0});
    joint1->setBool("anim_export", false);
    auto* joint2 = addNew<UtilJointNode>(*joint1, "joint2");
    joint2->addKey(1.0f, {0.5f, 0.5f, 0.5f, 0.5f}, {1, 0, 0});

    auto geometry = makeGeometry();
    auto textured = makeTexturedMaterial();
    auto mesh = std::make_shared<MaterialGroupedMesh>();
    mesh->m_name = "bodyShape";
    mesh->m_geometry = geometry;
    mesh->m_groups.resize(2);
    mesh->m_groups[0].m_name = "group0";
    mesh->m_groups[0].m_material = textured;
    mesh->m_groups[0].m_primitives = {0};
    fillNamedValues(mesh->m_groups[0].m_namedValues, "group");
    mesh->m_groups[1].m_name = "group1";
    mesh->m_groups[1].m_primitives = {1};
    mesh->m_namedValues.setInt("zephLayer", 2);

    auto* bodyShape = addNew<UtilMeshNode>(*body, "bodyShape");
    bodyShape->setMesh(mesh);
    bodyShape->addInfluenceObject(joint1);
    bodyShape->addInfluenceObject(joint2);
    fillNamedValues(bodyShape->namedValues(), "zephNode");

    auto* lod = addNew<UtilLodNode>(*body, "lodGroup");
    lod->m_thresholds = {10.0f, 20.0f};
    lod->setFloat("zephLodBias", 0.5f);
    auto* lod0 = addNew<BranchNode>(*lod, "lod0");
    auto* lod0Shape = addNew<UtilMeshNode>(*lod0, "lod0Shape");
    auto lodMesh = std::make_shared<MaterialGroupedMesh>();
    lodMesh->m_name = "lod0Shape";
    lodMesh->m_geometry = geometry; // the same geometry seen through another material list
    lodMesh->m_groups.resize(1);
    lodMesh->m_groups[0].m_name = "all";
    lodMesh->m_groups[0].m_material = textured;
    lodMesh->m_groups[0].m_primitives = {0, 1};
    lod0Shape->setMesh(lodMesh);
    addNew<UtilTransformNode>(*lod, "lod1");
    addNew<LeafNode>(*lod, "lod2");

    auto* locator = addNew<UtilLocatorNode>(*root, "locator1");
    locator->m_position = {4, 5, 6};
    locator->setText("zephTag", "spawn");

    auto* curveTransform = addNew<UtilTransformNode>(*root, "curve1");
    auto* curve = addNew<UtilBaseSplineNode>(*curveTransform, "curveShape1");
    auto spline = std::make_shared<BaseSpline>();
    spline->m_name = "curveShape1";
    spline->m_controlPoints = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}};
    spline->m_knots = {-1, 0, 0, 0, 1, 1, 1, 2};
    spline->m_extraValue = 0xA5A5A5A5u;
    spline->m_material = makeLayeredMaterial();
    fillNamedValues(spline->m_namedValues, "zephCurve");
    curve->setSpline(spline);
    curve->addInfluenceObject(joint2);
    auto* emptyCurve = addNew<UtilBaseSplineNode>(*curveTransform, "emptyCurve");
    (void)emptyCurve;
    auto* emptyMesh = addNew<UtilMeshNode>(*curveTransform, "emptyMesh");
    (void)emptyMesh;

    // A second instance: bodyShape reached through another parent.
    auto* instance = addNew<UtilTransformNode>(*root, "bodyInstance");
    instance->addChild(bodyShape);
    instance->m_matrix.translation = {10, 0, 0};
}

} // namespace vx::test
