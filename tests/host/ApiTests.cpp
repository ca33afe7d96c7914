// The host API's function sets, plugs, paths and time classes on a small scene, and the MEL
// subset: syntax, the query commands and their flags.
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Scene.h>

#include <maya/MAnimControl.h>
#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MPlugArray.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#include <gtest/gtest.h>

#include <numbers>

namespace vornexhost::test {
namespace {

const std::string kScene = dataText("api.ma");

class Api : public ::testing::Test {
protected:
    void SetUp() override { loadScene(kScene); }
};

TEST_F(Api, PlugValuesByKindAndTheirFailures) {
    MFnDependencyNode shader(node("shader"));
    MPlug color = shader.findPlug("color");
    EXPECT_EQ(color.numChildren(), 3u);
    float g = 0.0f;
    ASSERT_TRUE(color.child(1).getValue(g));
    EXPECT_FLOAT_EQ(g, 0.5f);
    // A compound has no single number; a number is not a string; a string is not a number.
    double d = 0.0;
    MString s;
    EXPECT_FALSE(color.getValue(d));
    EXPECT_FALSE(color.child(0).getValue(s));
    EXPECT_EQ(color.child(5).isNull(), true);
    // Static attributes keep their defaults until set.
    float diffuse = 0.0f;
    ASSERT_TRUE(shader.findPlug("diffuse").getValue(diffuse));
    EXPECT_FLOAT_EQ(diffuse, 0.8f);
    EXPECT_FALSE(shader.findPlug("noSuchAttribute").getValue(diffuse));
    // A string plug takes a string and no number (a number written: the tweak of
    // MeshSceneTest.FunctionSetsAndIteratorsShareOneEvaluationUntilTheSceneChanges).
    MPlug name = MFnDependencyNode(node("camShape")).findPlug("imageName");
    ASSERT_TRUE(name.setValue(MString("shot")));
    ASSERT_TRUE(name.getValue(s));
    EXPECT_EQ(s, "shot");
    EXPECT_FALSE(name.setValue(1.0));
    bool ortho = false;
    short shortValue = 0;
    ASSERT_TRUE(MFnDependencyNode(node("camShape")).findPlug("o").getValue(ortho));
    EXPECT_TRUE(ortho);
    ASSERT_TRUE(MFnDependencyNode(node("camShape")).findPlug("fl").getValue(shortValue));
    EXPECT_EQ(shortValue, 50);
    MPlug fromAttribute(node("shader"), shader.attribute("diffuse"));
    EXPECT_EQ(fromAttribute.name(), "shader.diffuse");
    EXPECT_TRUE(MPlug(node("shader"), MFnDependencyNode(node("cam")).attribute("tx")).isNull());
}

TEST_F(Api, ConnectionsSeenFromBothEndsAndFromChildren) {
    MFnDependencyNode sg(node("shaderSG"));
    MPlug volume = sg.findPlug("volumeShader");
    MPlugArray plugs;
    EXPECT_FALSE(volume.connectedTo(plugs, true, false));
    EXPECT_TRUE(volume.child(0).connectedTo(plugs, true, false));
    EXPECT_EQ(plugs[0].name(), "shader.outColorR");
    // The shader's red output feeds two places: the whole colour and the red channel.
    MPlug red = MFnDependencyNode(node("shader")).findPlug("ocr");
    EXPECT_TRUE(red.connectedTo(plugs, false, true));
    EXPECT_EQ(plugs.length(), 1u);
    EXPECT_TRUE(MFnDependencyNode(node("shader")).findPlug("oc").connectedTo(plugs, false, true));
    EXPECT_FALSE(MFnDependencyNode(node("shader")).findPlug("oc").connectedTo(plugs, true, false));
    EXPECT_EQ(plugs.length(), 0u);
}

TEST_F(Api, ArrayElementsMadeByConnectionsCountInLogicalOrder) {
    // Element 3 holds a value; elements 0 and 5 exist only as connection ends (one through a
    // child plug).
    loadScene("createNode layeredShader -n \"coat\";\n\tsetAttr \".cs[3].t\" -type \"float3\" "
              "0.5 0.5 0.5 ;\ncreateNode lambert -n \"a\";\ncreateNode lambert -n \"b\";\n"
              "connectAttr \"a.oc\" \"coat.cs[5].c\";\nconnectAttr \"b.oc\" \"coat.cs[0].c\";\n");
    MPlug inputs = MFnDependencyNode(node("coat")).findPlug("inputs");
    ASSERT_EQ(inputs.numElements(), 3u);
    EXPECT_EQ(inputs.numConnectedElements(), 2u);
    std::vector<unsigned> logical;
    for (unsigned i = 0; i < inputs.numElements(); ++i)
        logical.push_back(inputs.elementByPhysicalIndex(i).logicalIndex());
    EXPECT_EQ(logical, (std::vector<unsigned>{0, 3, 5}));
    MStatus status;
    inputs.elementByPhysicalIndex(3, &status);
    EXPECT_FALSE(status);
    float t = 0.0f;
    ASSERT_TRUE(inputs.elementByPhysicalIndex(1).child(1).child(0).getValue(t));
    EXPECT_EQ(t, 0.5f);
}

TEST_F(Api, PathsAndTheDagFunctionSetAnswerForEachInstance) {
    MDagPath path = dagPath("inst2|instShape");
    EXPECT_EQ(path.instanceNumber(), 1u);
    EXPECT_EQ(MFnDagNode(path.transform()).name(), "inst2");
    EXPECT_EQ(MFnDagNode(path).fullPathName(), "|inst2|instShape");
    MDagPath inst1 = dagPath("inst1|instShapeOrig");
    EXPECT_TRUE(inst1.pop(2));
    EXPECT_EQ(inst1.fullPathName(), "|top1");
    EXPECT_FALSE(inst1.pop(5));
    ASSERT_TRUE(inst1.pop());
    EXPECT_EQ(std::pair(inst1.length(), inst1.apiType()), std::pair(0u, MFn::kWorld));
    // The world matrix of each instance follows its own parents.
    MDagPathArray paths;
    MDagPath::getAllPathsTo(node("instShape"), paths);
    ASSERT_EQ(paths.length(), 2u);
    EXPECT_DOUBLE_EQ(paths[0].inclusiveMatrix()[3][1], 10.0);
    EXPECT_DOUBLE_EQ(paths[1].inclusiveMatrix()[3][2], 5.0);
    EXPECT_EQ(mel("getAttr instShape.worldMatrix[1]"), "1 0 0 0 0 1 0 0 0 0 1 0 0 0 5 1");

    MFnDagNode shape(node("instShape"));
    EXPECT_EQ(shape.instanceCount(false), 2u);
    EXPECT_EQ(MFnDagNode(shape.parent(1)).name(), "inst2");
    MStatus status;
    shape.parent(2, &status);
    EXPECT_FALSE(status);
    MFnDagNode inst1Node(node("inst1"));
    EXPECT_EQ(inst1Node.childCount(), 2u);
    EXPECT_EQ(MFnDagNode(inst1Node.child(0)).name(), "instShape");
    EXPECT_EQ(shape.fullPathName(), "|top1|inst1|instShape");
    MFnDagNode notDag(node("shader"), &status); // a dependency node
    EXPECT_FALSE(status);
}

TEST_F(Api, TransformRotationInWorldSpaceIncludesParents) {
    loadScene(dataText("rotation_orders.ma"));
    MFnTransform c(dagPath("c"));
    MQuaternion local;
    MQuaternion world;
    ASSERT_TRUE(c.getRotation(local) && c.getRotation(world, MSpace::kWorld));
    const MQuaternion quarterX(std::numbers::pi / 2, MVector::xAxis);
    EXPECT_TRUE(local.isEquivalent(quarterX, 1e-12));
    EXPECT_TRUE(
        world.isEquivalent(quarterX * MQuaternion(std::numbers::pi / 2, MVector::zAxis), 1e-12));
    MEulerRotation e;
    ASSERT_TRUE(c.getRotation(e));
    EXPECT_EQ(e.order, MEulerRotation::kZXY);
    double scale[3];
    ASSERT_TRUE(MFnTransform(node("p")).getScale(scale));
    EXPECT_EQ(scale[1], 3.0);
    MStatus status;
    MFnTransform notTransform(node("shader"), &status);
    EXPECT_FALSE(status);
}

TEST_F(Api, CurveFunctionSetReadsCvsAsTheReaderAsksForThem) {
    MFnNurbsCurve curve(dagPath("crvShape"));
    // A periodic curve of degree 3 over 1 span has 4 distinct CVs.
    EXPECT_EQ(curve.numCVs(), 4);
    MPoint cv;
    // Rational: the weight is the fourth number; the tweak of cp[1] adds (0,0,3).
    ASSERT_TRUE(curve.getCV(1, cv));
    EXPECT_EQ(cv, MPoint(2, 0, 3, 0.5));
    EXPECT_FALSE(curve.getCV(4, cv));
    EXPECT_FALSE(curve.getCV(-1, cv));
    EXPECT_EQ(curve.numKnots(), 7);
    EXPECT_EQ(curve.knot(0), -2.0);
    MStatus status;
    MFnNurbsCurve notCurve(node("instShape"), &status);
    EXPECT_FALSE(status);
}

TEST(Time, UnitsConvertAndCompareInSeconds) {
    const MTime film(48.0, MTime::kFilm);
    EXPECT_TRUE(MTime(2.0, MTime::kSeconds) == film);
    EXPECT_TRUE(MTime(1.0, MTime::kSeconds) < film);
    EXPECT_TRUE(film <= MTime(2.0, MTime::kSeconds));
    // Ten additions of a tenth of a frame still reach the next frame.
    MTime step(0.0, MTime::kFilm);
    for (int i = 0; i < 10; ++i)
        step += 0.1;
    EXPECT_TRUE(step <= MTime(1.0, MTime::kFilm));
    EXPECT_TRUE(step >= MTime(1.0, MTime::kFilm));
}

TEST(Time, PlaybackRangeAndCurrentTimeThroughTheApi) {
    loadScene("currentUnit -t ntsc;\n");
    EXPECT_EQ(MTime::uiUnit(), MTime::kNTSCFrame);
    ASSERT_TRUE(
        MAnimControl::setMinMaxTime(MTime(10.0, MTime::kNTSCFrame), MTime(2.0, MTime::kSeconds)));
    EXPECT_DOUBLE_EQ(MAnimControl::maxTime().value(), 60.0);
    EXPECT_FALSE(MAnimControl::setMinMaxTime(MTime(5.0), MTime(1.0)));
    ASSERT_TRUE(MAnimControl::setCurrentTime(MTime(0.5, MTime::kSeconds)));
    EXPECT_DOUBLE_EQ(MAnimControl::currentTime().value(), 15.0);
    EXPECT_EQ(mel("currentTime -q"), "15");
    EXPECT_FALSE(MAnimControl::setCurrentTime(MTime(1.0, MTime::kInvalid)));
}

// The MEL subset: syntax, the query commands and their flags.
const std::string kMelScene = dataText("mel.ma");

class Mel : public ::testing::Test {
protected:
    void SetUp() override { loadScene(kMelScene); }
};

TEST(MelQueries, AnswerAsTheScriptEditorShows) {
    EXPECT_EQ(expectMelAnswers("mel_queries.txt"), 65); // the table was read whole
}

TEST_F(Mel, StatementsBlocksAndBackquotes) {
    // The plug-in's refresh of the create-render-node window: a no-op here.
    ScriptCapture capture;
    EXPECT_TRUE(
        MGlobal::executeCommand("if( `window -exists createRenderNodeWindow` )  "
                                "{refreshCreateRenderNodeWindow(\"shader/surface/utility\");}\n",
                                false, false));
    EXPECT_TRUE(capture.lines().empty());
    MStringArray joints;
    ASSERT_TRUE(MGlobal::executeCommand("ls -type joint", joints));
    EXPECT_EQ(joints.length(), 2u);
    EXPECT_FALSE(MGlobal::executeCommand("ls \"unterminated"));
    EXPECT_TRUE(capture.contains("// Error: line 1: unterminated string //"));
    EXPECT_FALSE(MGlobal::executeCommand("if (1 { ls; }"));
}

TEST_F(Mel, ResultsConvertForExecuteCommandAndFormatLikeTheScriptEditor) {
    int count = 0;
    ASSERT_TRUE(MGlobal::executeCommand("getAttr -size matSG.dsm", count));
    EXPECT_EQ(count, 1);
    double value = 0.0;
    ASSERT_TRUE(MGlobal::executeCommand("getAttr -time 6 a.ty", value));
    EXPECT_DOUBLE_EQ(value, 2.5);
    MString text;
    ASSERT_TRUE(MGlobal::executeCommand("nodeType mat", text));
    EXPECT_EQ(text, "lambert");
    EXPECT_FALSE(MGlobal::executeCommand("nodeType mat", count));
    ScriptCapture capture;
    ASSERT_TRUE(MGlobal::executeCommand("getAttr mat.c; ls -type joint", true));
    EXPECT_EQ(capture.lines(),
              (std::vector<std::string>{"// Result: 0.5 0.5 0.5 //", "// Result: j1 j2 //"}));
    EXPECT_EQ(mel("// a comment\nls -type lambert; // after"), "lambert1 mat");
}

} // namespace
} // namespace vornexhost::test
