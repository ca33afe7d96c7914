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
