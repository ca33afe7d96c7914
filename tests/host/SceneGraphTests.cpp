// The dependency graph and the DAG as the plug-in sees them through the host API, with DAG
// iteration and the dependency node function set at their edges.
#include "tests/host/HostTestSupport.h"

#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MItDag.h>
#include <maya/MPlugArray.h>
#include <maya/MSelectionList.h>

#include <gtest/gtest.h>

namespace vornexhost::test {
namespace {

const std::string kAnimated = dataText("animated.ma");

// Two groups, a mesh instanced under both, a hidden locator and a joint chain.
const std::string kScene = dataText("scene_graph.ma");

class SceneGraph : public ::testing::Test {
protected:
    void SetUp() override { loadScene(kScene); }
};

// The walk itself (depth first from the world, pruning, filters, restarting at a root) is pinned
// by Iteration.EndsCleanlyAndRefusesBreadthFirst and by the reader's walks: VornexParse and
// MeshInstances.
TEST_F(SceneGraph, InstancedShapeHasOnePathPerParentWithInstanceNumbers) {
    MFnDagNode shape(node("cubeShape"));
    EXPECT_EQ(shape.parentCount(), 2u);
    EXPECT_EQ(shape.instanceCount(true), 2u);
    EXPECT_TRUE(shape.isInstanced());
    MDagPathArray paths;
    ASSERT_TRUE(shape.getAllPaths(paths));
    ASSERT_EQ(paths.length(), 2u);
    EXPECT_EQ(paths[0].fullPathName(), "|groupA|cube|cubeShape");
    EXPECT_EQ(paths[1].fullPathName(), "|groupB|cube|cubeShape");
    EXPECT_EQ(paths[0].instanceNumber(), 0u);
    EXPECT_EQ(paths[1].instanceNumber(), 1u);
    // "cube" alone names two transforms: the partial names need their parents.
    EXPECT_EQ(paths[0].partialPathName(), "groupA|cube|cubeShape");
    MDagPath marker;
    MDagPath::getAPathTo(node("marker"), marker);
    EXPECT_EQ(marker.partialPathName(), "marker");
    EXPECT_EQ(marker.length(), 2u);
    EXPECT_EQ(marker.apiType(), MFn::kLocator);
    EXPECT_TRUE(marker.pop());
    EXPECT_EQ(marker.fullPathName(), "|groupB");
    EXPECT_EQ(marker.childCount(), 2u);
}

TEST_F(SceneGraph, TypesAnswerTheirFunctionSets) {
    const MObject joint = node("mid_j");
    EXPECT_EQ(joint.apiType(), MFn::kJoint);
    EXPECT_TRUE(joint.hasFn(MFn::kTransform));
    EXPECT_TRUE(joint.hasFn(MFn::kDagNode));
    EXPECT_FALSE(joint.hasFn(MFn::kShape));
    EXPECT_EQ(node("cubeShape").apiType(), MFn::kMesh);
    EXPECT_EQ(node("paint").apiType(), MFn::kLambert);
}

// Types the stand-in does not know are generic nodes, not errors; their values: FileForms.
TEST(SceneGraphKinds, UnknownAndUnmodelledDagTypesStayInTheDag) {
    loadScene(dataText("unknown_dag_types.ma"));
    EXPECT_EQ(node("lightShape").apiType(), MFn::kShape);
    EXPECT_STREQ(node("newShape").apiTypeStr(), "kDagNode");
    EXPECT_EQ(MFnDependencyNode(node("newShape")).typeName(), "someNewShape");
    EXPECT_EQ(node("loose").apiType(), MFn::kDependencyNode);
    EXPECT_TRUE(node("handle").hasFn(MFn::kTransform));
}

TEST_F(SceneGraph, PlugsNavigateArraysCompoundsAndConnections) {
    MFnDependencyNode sg(node("paintSG"));
    MPlug members = sg.findPlug("dagSetMembers");
    EXPECT_TRUE(members.isArray());
    EXPECT_EQ(members.numConnectedElements(), 2u);
    MPlug second = members.elementByPhysicalIndex(1);
    EXPECT_EQ(second.logicalIndex(), 1u);
    MPlugArray sources;
    ASSERT_TRUE(second.connectedTo(sources, true, false));
    ASSERT_EQ(sources.length(), 1u);
    EXPECT_EQ(sources[0].name(), "cubeShape.instObjGroups[1]");
    EXPECT_EQ(sources[0].array().name(), "cubeShape.instObjGroups");
    EXPECT_EQ(sources[0].logicalIndex(), 1u);
    // The shader's colour feeds the surface shader, compound to compound.
    MPlug surface = sg.findPlug("ss");
    EXPECT_TRUE(surface.isConnected());
    ASSERT_TRUE(surface.connectedTo(sources, true, false));
    EXPECT_EQ(MFnDependencyNode(sources[0].node()).name(), "paint");
    EXPECT_EQ(surface.numChildren(), 3u);
    EXPECT_EQ(surface.child(1).parent(), surface);
    MPlugArray destinations;
    ASSERT_TRUE(plug("paint.oc").connectedTo(destinations, false, true));
    EXPECT_EQ(destinations[0].partialName(true), "paintSG.ss");
    MPlugArray all;
    MFnDependencyNode(node("paintSG")).getConnections(all);
    EXPECT_EQ(all.length(), 3u);
}

TEST_F(SceneGraph, SparseArraysKeepLogicalIndicesInOrder) {
    loadScene(dataText("sparse_arrays.ma"));
    MPlug thr = MFnDependencyNode(node("lod")).findPlug("threshold");
    ASSERT_EQ(thr.numElements(), 3u);
    std::vector<unsigned> logical;
    std::vector<double> values;
    for (unsigned i = 0; i < thr.numElements(); ++i) {
        double v = 0.0;
        thr.elementByPhysicalIndex(i).getValue(v);
        logical.push_back(thr.elementByPhysicalIndex(i).logicalIndex());
        values.push_back(v);
    }
    EXPECT_EQ(logical, (std::vector<unsigned>{0, 2, 7}));
    EXPECT_EQ(values, (std::vector<double>{10, 20, 30}));
    int asInt = 0;
    ASSERT_TRUE(thr.elementByLogicalIndex(2).getValue(asInt));
    EXPECT_EQ(asInt, 20);
    // An element never set reads its default; a physical index past the end fails.
    double missing = -1.0;
    ASSERT_TRUE(thr.elementByLogicalIndex(5).getValue(missing));
    EXPECT_EQ(missing, 0.0);
    MStatus status;
    thr.elementByPhysicalIndex(3, &status);
    EXPECT_FALSE(status);
}

TEST_F(SceneGraph, SelectionListsHoldPathsAndNodes) {
    MSelectionList list;
    EXPECT_TRUE(list.add("|groupB|cube|cubeShape"));
    EXPECT_TRUE(list.add("paint"));
    EXPECT_FALSE(list.add("nothingLikeThis"));
    ASSERT_EQ(list.length(), 2u);
    MDagPath path;
    ASSERT_TRUE(list.getDagPath(0, path));
    EXPECT_EQ(path.instanceNumber(), 1u);
    MObject object;
    ASSERT_TRUE(list.getDependNode(1, object));
    EXPECT_EQ(object, node("paint"));
}

TEST_F(SceneGraph, NodesOfAnEarlierSceneAreNoLongerValid) {
    const MObject old = node("paint");
    MDagPath oldPath;
    MDagPath::getAPathTo(node("marker"), oldPath);
    loadScene("createNode transform -n \"other\";\n");
    MStatus status;
    MFnDependencyNode fn(old, &status);
    EXPECT_FALSE(status);
    EXPECT_FALSE(oldPath.isValid());
    EXPECT_TRUE(oldPath.node().isNull());
}

TEST(Iteration, EndsCleanlyAndRefusesBreadthFirst) {
    loadScene(kAnimated);
    MStatus status;
    MItDag breadth(MItDag::kBreadthFirst, MFn::kInvalid, &status);
    EXPECT_EQ(status, MStatus::kNotImplemented);
    MItDag meshes(MItDag::kDepthFirst, MFn::kMesh);
    ASSERT_FALSE(meshes.isDone());
    EXPECT_EQ(meshes.fullPathName(), "|t|m");
    EXPECT_EQ(MFnDependencyNode(meshes.item()).name(), "m");
    ASSERT_TRUE(meshes.next());
    EXPECT_TRUE(meshes.isDone());
    EXPECT_FALSE(meshes.next());
    EXPECT_TRUE(meshes.item(&status).isNull());
    EXPECT_FALSE(status);
    // Restarting at a root: VornexParse.SelectionReadsOnlyTheSelectedPathsAndAddsUpTheirWarnings.
    EXPECT_FALSE(meshes.reset(node("t_ty")));
}

TEST(NodeFunctionSet, TypeIdsAttributeIndicesAndReferences) {
    loadScene(kAnimated);
    MFnDependencyNode t(node("t"));
    EXPECT_EQ(t.typeName(), "transform");
    EXPECT_TRUE(t.hasAttribute("translateY"));
    EXPECT_FALSE(t.hasAttribute("translateW"));
    MStatus status;
    t.attribute(t.attributeCount(), &status);
    EXPECT_FALSE(status);
    t.attribute("translateW", &status);
    EXPECT_FALSE(status);
    EXPECT_FALSE(t.isFromReferencedFile());
    MFnDependencyNode none(MObject(), &status);
    EXPECT_FALSE(status);
    EXPECT_EQ(none.name(&status), "");
    EXPECT_FALSE(status);
}

} // namespace
} // namespace vornexhost::test
