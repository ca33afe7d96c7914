// The MEL subset: syntax, the query commands and their flags.
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Scene.h>

#include <maya/MGlobal.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

namespace vornexhost::test {
namespace {

const std::string kScene = dataText("mel.ma");

class Mel : public ::testing::Test {
protected:
    void SetUp() override { loadScene(kScene); }
};

TEST_F(Mel, LsFiltersByTypeNameAndSelection) {
    EXPECT_EQ(mel("ls -type joint"), "j1 j2");
    EXPECT_EQ(mel("ls -type transform a b j*"), "a b j1 j2"); // joints are transforms
    EXPECT_EQ(mel("ls -long -type mesh"), "|grp|a|aShape |grp|a|aShapeOrig");
    EXPECT_EQ(mel("ls \"aS*\""), "aShape aShapeOrig");
    EXPECT_EQ(mel("select -r j2 mat; ls -sl"), "j2 mat");
    EXPECT_EQ(mel("select -add a; select -d mat; ls -sl -long"), "|j1|j2 |grp|a");
    EXPECT_EQ(mel("select -cl; ls -sl"), "");
    EXPECT_EQ(mel("ls -bogus"), "<failed>");
}

TEST_F(Mel, ListRelativesWalksChildrenParentsShapesAndDescendants) {
    EXPECT_EQ(mel("listRelatives grp"), "a b");
    EXPECT_EQ(mel("listRelatives -children -fullPath grp"), "|grp|a |grp|b");
    EXPECT_EQ(mel("listRelatives -p aShape"), "a");
    EXPECT_EQ(mel("listRelatives -s a"), "aShape aShapeOrig");
    EXPECT_EQ(mel("listRelatives -s -ni a"), "aShape");
    EXPECT_EQ(mel("listRelatives -ad grp"), "a aShape aShapeOrig b");
    EXPECT_EQ(mel("listRelatives -ad -type joint j1"), "j2");
    EXPECT_EQ(mel("listRelatives -p grp"), "");
    EXPECT_EQ(mel("listRelatives nothing"), "<failed>");
}

TEST_F(Mel, ListConnectionsBySideWithPlugs) {
    EXPECT_EQ(mel("listConnections matSG"), "mat aShape");
    EXPECT_EQ(mel("listConnections -s 0 mat"), "matSG");
    EXPECT_EQ(mel("listConnections -d off matSG"), "mat aShape");
    EXPECT_EQ(mel("listConnections -p 1 -d 0 matSG.ss"), "mat.outColor");
    EXPECT_EQ(mel("listConnections -p true -c true a.ty"), "a.translateY a_translateY.output");
    EXPECT_EQ(mel("listConnections -type lambert matSG"), "mat");
}

TEST_F(Mel, TimeQueriesAndAnimatedGetAttr) {
    EXPECT_EQ(mel("currentTime 6; currentTime -q"), "6");
    EXPECT_EQ(mel("getAttr a.ty"), "2.5");
    EXPECT_EQ(mel("getAttr -time 11 a.ty"), "5");
    EXPECT_EQ(mel("getAttr a.translate"), "0 2.5 0");
    EXPECT_EQ(mel("playbackOptions -min 2 -max 8; playbackOptions -q -max"), "8");
    EXPECT_EQ(mel("playbackOptions -q -min"), "2");
    EXPECT_EQ(mel("getAttr -size a_translateY.ktv"), "2");
    EXPECT_EQ(mel("getAttr a.nothing"), "<failed>");
    EXPECT_EQ(mel("getAttr -time soon a.ty"), "<failed>");
}

TEST_F(Mel, StatementsBlocksAndBackquotes) {
    EXPECT_EQ(mel("if (`window -exists someWindow`) { ls -type joint; } else { ls -type mesh; }"),
              "aShape aShapeOrig");
    EXPECT_EQ(mel("if (!`objExists j2`) ls; nodeType `listRelatives -p j2`"), "joint");
    EXPECT_EQ(mel("dgdirty -a; objExists(\"mat\")"), "1");
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

TEST_F(Mel, SceneEditsUseTheFileStatements) {
    EXPECT_EQ(mel("createNode transform -n \"made\" -p \"grp\"; listRelatives grp"), "a b made");
    EXPECT_EQ(mel("setAttr made.t -type double3 1 2 3; getAttr made.ty"), "2");
    EXPECT_EQ(
        mel("addAttr -ln zephLabel -dt \"string\" made; "
            "setAttr made.zephLabel -type \"string\" \"tag \\\"q\\\"\"; getAttr made.zephLabel"),
        "tag \"q\"");
    EXPECT_EQ(mel("connectAttr b.tx made.tz; setAttr b.tx 7; getAttr made.tz"), "7");
    EXPECT_EQ(mel("setAttr made.t 1 2"), "<failed>");
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
    EXPECT_EQ(mel("getAttr mat.diffuse"), "0.8");
    EXPECT_EQ(mel("getAttr -time 1.0000001 a.ty"), "0");
    EXPECT_EQ(mel("nodeType(\"j1\")"), "joint");
    EXPECT_EQ(mel("objExists nothing"), "0");
    EXPECT_EQ(mel("// a comment\nls -type lambert; // after"), "lambert1 mat");
    EXPECT_EQ(mel("window -title x"), "<failed>");
    EXPECT_EQ(mel("if (1 == 1 && !0) { nodeType j1; }"), "joint");
    EXPECT_EQ(mel("if (\"a\" != \"a\" || 0) ls; else if (1) { objExists j2; }"), "1");
}

} // namespace
} // namespace vornexhost::test
