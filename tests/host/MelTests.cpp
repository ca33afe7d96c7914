// The MEL subset: syntax, the query commands and their flags.
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Scene.h>

#include <maya/MGlobal.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

#include <sstream>

namespace vornexhost::test {
namespace {

const std::string kScene = dataText("mel.ma");

class Mel : public ::testing::Test {
protected:
    void SetUp() override { loadScene(kScene); }
};

// mel_queries.txt: "== name" starts a section on a freshly loaded scene, then "script => result"
// lines run in order; "#" lines are comments.
TEST(MelQueries, AnswerAsTheScriptEditorShows) {
    std::istringstream lines(dataText("mel_queries.txt"));
    std::string line, section;
    int number = 0, queries = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (line.rfind("== ", 0) == 0) {
            section = line.substr(3);
            loadScene(kScene);
        } else if (const auto arrow = line.find(" =>"); arrow != std::string::npos) {
            const auto result = line.find_first_not_of(' ', arrow + 3);
            EXPECT_EQ(mel(line.substr(0, line.find_last_not_of(' ', arrow) + 1)),
                      result == std::string::npos ? "" : line.substr(result))
                << section << ", line " << number << ": " << line;
            ++queries;
        }
    }
    EXPECT_EQ(queries, 47); // the file was read whole
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
