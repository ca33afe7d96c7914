#include "tests/host/mesh/SceneFixture.h"

#include <maya/MGlobal.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

namespace vornexhost::test {
namespace {

std::string result(const std::string& command) {
    MString out;
    EXPECT_TRUE(MGlobal::executeCommand(MString(command), out)) << command;
    return out.str();
}

TEST(MeshCommands, PolyEvaluateCountsAsAskedAndPointPositionReadsVertices) {
    resetScene();
    Node* xf = createNode("transform", "box");
    createCube("box", false, xf);
    setNumber(xf, "tx", 10.0);
    EXPECT_EQ(result("polyEvaluate -v -f -e -uv box"), "8 6 12 14");
    EXPECT_EQ(result("polyEvaluate -t boxShape"), "12");
    EXPECT_EQ(result("polyEvaluate boxShape"), "vertex=8 edge=12 face=6 uvcoord=14 triangle=12");
    EXPECT_EQ(result("pointPosition -l box.vtx[3]"), "0.5 0.5 0.5");
    EXPECT_EQ(result("pointPosition boxShape.vtx[3]"), "10.5 0.5 0.5");

    MString out;
    EXPECT_FALSE(MGlobal::executeCommand("polyEvaluate -v nothing", out));
    EXPECT_FALSE(MGlobal::executeCommand("polyEvaluate -uv -uvs lightmap box", out));
    EXPECT_FALSE(MGlobal::executeCommand("pointPosition box.vtx[8]", out));
    EXPECT_FALSE(MGlobal::executeCommand("pointPosition box.vtx[x]", out));
}

} // namespace
} // namespace vornexhost::test
