// More of what real files write: attribute declarations, re-parenting, nested paths,
// line ends, shared nodes and value words.
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Handles.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

#include <maya/MFnAttribute.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MIntArray.h>

#include <gtest/gtest.h>

namespace vornexhost::test {
namespace {

const Attribute* attributeNamed(const std::string& nodeName, const std::string& attribute) {
    return activeScene().findNode(nodeName)->findAttribute(attribute);
}

TEST(AddAttr, DeclarationsMakeTypedUnitAndCompoundAttributes) {
    const MaLoadResult r = tryLoad(dataText("attribute_declarations.ma"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(
        r.warnings,
        (std::vector<std::string>{
            "test.ma:13: attribute type \"mysteryKind\" is not known; \"odd\" takes any value",
            "test.ma:14: node \"n\" already has an attribute \"length\"",
            "test.ma:15: parent attribute \"translate\" of \"x\" not found"}));
    // Linear values are kept in centimetres: the default 2 inches is 5.08.
    EXPECT_NEAR(attributeNamed("n", "length")->defaultValue, 5.08, 1e-12);
    EXPECT_EQ(attributeNamed("n", "length")->apiType(), MFn::kUnitAttribute);
    double cm = 0.0;
    ASSERT_TRUE(plug("n.length").getValue(cm));
    EXPECT_NEAR(cm, 2.54, 1e-12);
    EXPECT_EQ(attributeNamed("n", "mode")->apiType(), MFn::kEnumAttribute);
    EXPECT_EQ(attributeNamed("n", "mode")->enumNames, "off:on:auto");
    EXPECT_TRUE(MFnAttribute(objectOf(attributeNamed("n", "mode"))).isKeyable());
    EXPECT_TRUE(MFnAttribute(objectOf(attributeNamed("n", "link"))).isHidden());
    EXPECT_EQ(attributeNamed("n", "link")->apiType(), MFn::kMessageAttribute);
    EXPECT_EQ(attributeNamed("n", "group")->children.size(), 2u);
    EXPECT_TRUE(MFnAttribute(objectOf(attributeNamed("n", "weights"))).isArray());
    EXPECT_EQ(MFnTypedAttribute(objectOf(attributeNamed("n", "mat"))).attrType(), MFnData::kMatrix);
    EXPECT_EQ(MFnTypedAttribute(objectOf(attributeNamed("n", "pts"))).attrType(),
              MFnData::kPointArray);
    // The attribute list runs static first, then the dynamic ones, children after parents.
    MFnDependencyNode fn(node("n"));
    std::vector<std::string> dynamic;
    for (unsigned i = 0; i < fn.attributeCount(); ++i)
        if (MFnAttribute(fn.attribute(i)).isDynamic())
            dynamic.push_back(MFnAttribute(fn.attribute(i)).name().str());
    EXPECT_EQ(dynamic,
              (std::vector<std::string>{"length", "angle", "mode", "link", "group", "groupWeight",
                                        "groupName", "weights", "mat", "pts", "odd"}));
}

TEST(FileForms, ReparentingWorldAndNestedElementPaths) {
    loadScene(dataText("reparenting_crlf.ma")); // its element values: loader_forms_queries.txt
    EXPECT_EQ(MFnDagNode(node("b")).fullPathName(), "|c|b");
    EXPECT_EQ(MFnDagNode(node("a")).childCount(), 0u);
    MPlug outer = MFnDependencyNode(node("f")).findPlug("outer");
    EXPECT_EQ(outer.numElements(), 2u);
    EXPECT_EQ(outer.elementByLogicalIndex(2).child(0).name(), "f.outer[2].inner");
}

TEST(FileForms, WhatTheLoaderStoredReadsBackThroughMel) {
    EXPECT_EQ(expectMelAnswers("loader_forms_queries.txt"), 37);
    loadScene(dataText("shared_nodes.ma"));
    EXPECT_FALSE(activeScene().findNode("u")->locked);
    loadScene(dataText("generic_arrays.ma"));
    EXPECT_EQ(plug("s.wl[0].w").elementByPhysicalIndex(2).logicalIndex(), 5u);
}

// What a loaded mesh shape "m" stores, as flat arrays and as the faces its function set reads.
struct StoredMeshValues {
    std::vector<float> points;
    std::vector<float> tweaks;
    std::vector<std::int32_t> edges;
    std::vector<double> distances;
    std::vector<std::vector<int>> faceVertices;
    std::vector<std::vector<int>> faceUvs;
    bool operator==(const StoredMeshValues&) const = default;
};

StoredMeshValues storedMeshValues() {
    const Node& m = *activeScene().findNode("m");
    auto array = [&](const char* name) -> const ArrayStore* {
        const PlugStore* store = m.findTopStore(*m.findAttribute(name));
        return store ? store->array.get() : nullptr;
    };
    StoredMeshValues out;
    if (const ArrayStore* a = array("vrts"))
        out.points = a->floats;
    if (const ArrayStore* a = array("pnts"))
        out.tweaks = a->floats;
    if (const ArrayStore* a = array("edge"))
        out.edges = a->ints;
    if (const ArrayStore* a = array("distances"))
        out.distances = a->doubles;
    MFnMesh mesh(node("m"));
    for (int f = 0; f < mesh.numPolygons(); ++f) {
        MIntArray vertices;
        mesh.getPolygonVertices(f, vertices);
        out.faceVertices.emplace_back(vertices.begin(), vertices.end());
        out.faceUvs.emplace_back();
        int uv = -1;
        for (unsigned k = 0; k < vertices.length(); ++k)
            out.faceUvs.back().push_back(mesh.getPolygonUVid(f, int(k), uv) ? uv : -1);
    }
    return out;
}

TEST(FileForms, RangesStoreWhatElementsSetOneByOneStore) {
    // Two quads over a 3 x 2 grid of vertices, with coordinates of 17 digits so that float
    // rounding shows, and distances in metres on a dynamic array. Three forms: one range per
    // array (mesh_ranges.ma), the vertices in announced pieces as Maya writes large arrays
    // (mesh_pieces.ma), one element per statement (mesh_elements.ma); the tweaks set one leaf of
    // a compound range, the other leaves keeping their defaults.
    double xyz[18];
    for (int k = 0; k < 18; ++k)
        xyz[k] = 0.1 * k - 0.7 + 0.0123456789012345 * (k % 5);
    loadScene(dataText("mesh_pieces.ma"));
    const StoredMeshValues fromPieces = storedMeshValues();
    // Room for the six announced vertices was made once.
    const Node& m = *activeScene().findNode("m");
    EXPECT_EQ(m.findTopStore(*m.findAttribute("vrts"))->array->floats.capacity(), 18u);
    loadScene(dataText("mesh_elements.ma"));
    const StoredMeshValues fromElements = storedMeshValues();
    loadScene(dataText("mesh_ranges.ma"));
    const StoredMeshValues fromRanges = storedMeshValues();
    EXPECT_EQ(fromRanges, fromElements);
    EXPECT_EQ(fromRanges, fromPieces);
    ASSERT_EQ(fromRanges.points.size(), 18u);
    for (std::size_t k = 0; k < 18; ++k)
        EXPECT_EQ(fromRanges.points[k], static_cast<float>(xyz[k])) << k;
    EXPECT_EQ(fromRanges.distances, (std::vector<double>{25, -150, 200, 75}));
    EXPECT_EQ(fromRanges.tweaks, (std::vector<float>{0, 0.5f, 0, 0, 1, 0, 0, 2.5f, 0}));
    EXPECT_EQ(fromRanges.edges, (std::vector<std::int32_t>{0, 1, 0, 1, 2, 1, 3, 4, 1, 4, 5,
                                                           0, 0, 3, 1, 1, 4, 1, 2, 5, 1}));
    EXPECT_EQ(fromRanges.faceVertices, (std::vector<std::vector<int>>{{0, 1, 4, 3}, {1, 2, 5, 4}}));
    EXPECT_EQ(fromRanges.faceUvs, (std::vector<std::vector<int>>{{0, 1, 4, 3}, {1, 2, 5, 4}}));
}

TEST(FileForms, ValuesOfTheWrongShapeAreErrors) {
    EXPECT_EQ(expectLoadErrors("wrong_shape_scenes.txt"), 12);
}

TEST(FileForms, AttributePathsThatCannotBeResolvedAreWarnings) {
    const MaLoadResult r = tryLoad(dataText("unresolved_paths.ma"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.warnings, (std::vector<std::string>{
                              "test.ma:2: attribute 't' is not an array in \"t.t[0]\"",
                              "test.ma:3: unknown attribute 'bogus' in \"t.t.bogus\"",
                              "test.ma:4: bad index range '1:0' in \"t.tx[1:0]\"",
                              "test.ma:5: unknown attribute 'a b' in \"t.a b\"",
                              "test.ma:6: \"t\" names no attribute",
                              "test.ma:9: more than one index range in \"f.x[0:1].y[0:1]\"",
                              "test.ma:10: bad index '99999999999' in \"f.q[99999999999]\"",
                              "test.ma:11: connectAttr needs a source and a destination",
                              "test.ma:12: attribute 'tx' is not an array in \"t.tx[0:1]\""}));
}

} // namespace
} // namespace vornexhost::test
