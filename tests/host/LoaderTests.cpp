// The Maya ASCII loader: statement forms, value forms, warnings and errors.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Handles.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

#include <maya/MFileIO.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNurbsCurve.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace vornexhost::test {
namespace {

std::shared_ptr<const Data> dataOf(const std::string& plugName, std::uint32_t* part = nullptr) {
    return storedData(plug(plugName).address(), part);
}

TEST(MayaAsciiLoader, StatementsAsMayaWritesThem) {
    loadScene(dataText("statements.ma"));
    Scene& scene = activeScene();
    EXPECT_EQ(scene.units.framesPerSecond, 30.0);
    ASSERT_EQ(scene.requirements.size(), 2u);
    EXPECT_EQ(scene.requirements[1], (std::pair<std::string, std::string>{"somePlugin", "1.2"}));
    EXPECT_EQ(scene.fileInfo.at(0).second, "maya");
    // The shared default camera was reused, not duplicated.
    EXPECT_EQ(mel("ls persp*"), "persp perspShape");
    EXPECT_EQ(scene.findNode("persp")->uuid, "0F2B-ABCD");
    EXPECT_EQ(MFnDagNode(node("moved")).fullPathName(), "|group1|child|moved");
    EXPECT_NEAR(scene.currentTime, 12.0 / 30.0, 1e-12);
    EXPECT_NEAR(scene.minTime, 3.0 / 30.0, 1e-12);
    EXPECT_NEAR(scene.maxTime, 45.0 / 30.0, 1e-12);
    EXPECT_TRUE(scene.findNode("someDefaultNodeTheStandInLacks")->locked);
    ASSERT_EQ(scene.dataStructures.size(), 1u);
    EXPECT_EQ(scene.dataStructures[0], "-fmt raw -as name=idStructure:int32=ID");
}

TEST(MayaAsciiLoader, EveryValueFormLandsInItsAttribute) {
    loadScene(dataText("value_forms.ma"));
    EXPECT_EQ(number("xf.ty"), 2.0);
    EXPECT_NEAR(number("xf.rx"), 1.5707963267948966, 1e-15); // radians inside
    EXPECT_EQ(number("xf.sy"), 2.0);
    EXPECT_EQ(number("xf.it"), 0.0);
    EXPECT_EQ(dataOf("xf.xm")->numbers[13], 6.0);
    EXPECT_EQ(dataOf("xf.notes")->text, "first \"quoted\" line\r\nsecond");
    EXPECT_EQ(dataOf("xf.names")->strings, (std::vector<std::string>{"a", "b c"}));
    EXPECT_FLOAT_EQ(static_cast<float>(number("xf.colorB")), 0.75f);
    EXPECT_EQ(dataOf("xf.doubles")->numbers, (std::vector<double>{1.5, -2, 300}));
    EXPECT_EQ(dataOf("xf.ints")->ints, (std::vector<std::int32_t>{-4, 9}));
    EXPECT_EQ(dataOf("xf.points")->numbers, (std::vector<double>{1, 2, 3, 1}));
    EXPECT_EQ(dataOf("xf.vectors")->numbers.size(), 6u);
    // Mesh data is stored as flat arrays.
    const ArrayStore* vt = arrayStoreOf(plug("shape.vt").address(), false);
    ASSERT_NE(vt, nullptr);
    EXPECT_EQ(vt->packing, ArrayStore::Packing::Float);
    EXPECT_EQ(vt->floats, (std::vector<float>{-0.5f, -0.5f, 0.5f, 0.5f, -0.5f, 0.5f, -0.5f, 0.5f,
                                              0.5f, 0.5f, 0.5f, 0.5f}));
    const ArrayStore* ed = arrayStoreOf(plug("shape.ed").address(), false);
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->packing, ArrayStore::Packing::Int);
    EXPECT_EQ(ed->ints[9], 2);
    EXPECT_FLOAT_EQ(static_cast<float>(number("shape.uvst[0].uvsp[3].uvpv")), 1.0f);
    EXPECT_EQ(dataOf("shape.uvst[0].uvsn")->text, "map1");
    std::uint32_t part = 9;
    const auto faces = dataOf("shape.fc[1]", &part);
    ASSERT_NE(faces, nullptr);
    EXPECT_EQ(part, 1u);
    EXPECT_EQ(faces->faces.faceCount(), 2u);
    EXPECT_EQ(faces->faces.edges, (std::vector<std::int32_t>{0, 2, -2, -4, -3, 1}));
    const std::int32_t* uv = faces->faces.uvs.find(1, 0);
    ASSERT_NE(uv, nullptr);
    EXPECT_EQ(std::vector<std::int32_t>(uv, uv + faces->faces.loopSize(1)),
              (std::vector<std::int32_t>{1, 3, 2}));
    const std::int32_t* colors = faces->faces.colors.find(1, 0);
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(std::vector<std::int32_t>(colors, colors + 3), (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(faces->faces.colors.find(0, 0), nullptr);
    EXPECT_EQ(faces->faces.uvs.find(1, 1), nullptr);
    EXPECT_EQ(dataOf("shape.iog[0].og[0].gcl")->strings,
              (std::vector<std::string>{"f[0]", "vtx[0:3]"}));
    EXPECT_FLOAT_EQ(static_cast<float>(number("shape.pt[2].py")), 0.25f);
    // The curve: degree 1, three control points, knots as written.
    MFnNurbsCurve curve(node("curveShape"));
    EXPECT_EQ(curve.degree(), 1);
    EXPECT_EQ(curve.numCVs(), 3);
    EXPECT_EQ(curve.numKnots(), 3);
    EXPECT_EQ(curve.knot(2), 2.0);
    MPoint cv;
    ASSERT_TRUE(curve.getCV(2, cv));
    EXPECT_EQ(cv, MPoint(1, 1, 0));
    // The compact weight list: "count index value ..." per element.
    EXPECT_EQ(number("skin.wl[0].w[0]"), 0.25);
    EXPECT_EQ(number("skin.wl[0].w[1]"), 0.75);
    EXPECT_EQ(number("skin.wl[1].w[1]"), 1.0);
    EXPECT_EQ(plug("skin.wl[1].w").numElements(), 1u);
    EXPECT_EQ(dataOf("skin.ma[0]")->numbers[12], 4.0);
    // A generic node takes whatever it is given.
    EXPECT_EQ(dataOf("fancy.opacity[1]")->numbers, (std::vector<double>{1, 1, 1}));
    EXPECT_EQ(number("fancy.flag"), 1.0);
    EXPECT_EQ(dataOf("fancy.alias")->strings, (std::vector<std::string>{"pCube2", "weight[0]"}));
}

TEST(MayaAsciiLoader, UnknownThingsWarnWithFileAndLineAndLoadingGoesOn) {
    const MaLoadResult r = tryLoad(dataText("unknown_things.ma"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.warnings,
              (std::vector<std::string>{
                  "test.ma:2: statement \"cycleCheck\" is not supported; skipped",
                  "test.ma:3: no node named \"nowhere\"",
                  "test.ma:5: reference \"props/prop.ma\" is not found as written, nor beside "
                  "the scene; its nodes are missing from the scene",
                  "test.ma:6: value type \"mysteryType\" kept as written",
                  "test.ma:7: no node named \"missingParent\"",
                  "test.ma:8: unknown linear unit \"furlong\"; centimeters used",
                  "test.ma:10: attribute 'c' is not an array in \"m.c[0]\"",
                  "test.ma:11: unknown attribute 'ocq' in \"m.oc.ocq\""}));
    EXPECT_EQ(number("x.tz"), 3.0);
    EXPECT_EQ(MFnDagNode(node("y")).fullPathName(), "|y");
}

TEST(MayaAsciiLoader, MalformedFilesFailWithLineAndReason) {
    EXPECT_EQ(expectLoadErrors("malformed_scenes.txt"), 13);
}

TEST(MayaAsciiLoader, FileOpenReportsProblemsAndLeavesAnEmptySceneOnFailure) {
    ScriptCapture capture;
    EXPECT_FALSE(MFileIO::open(dataPath("no_such_file.ma")));
    EXPECT_TRUE(capture.contains("no_such_file.ma: cannot read the file"));
    const std::string path = ::testing::TempDir() + "vx_broken.ma";
    {
        std::ofstream out(path);
        out << "createNode transform -n \"kept\";\nsetAttr \"kept.t\" 1 2 x;\n";
    }
    EXPECT_FALSE(MFileIO::open(MString(path)));
    EXPECT_TRUE(capture.contains("// Error: " + path + ":2: bad number 'x' for a value //"));
    EXPECT_EQ(activeScene().findNode("kept"), nullptr);
    EXPECT_EQ(MFileIO::currentFile(), "");
    ASSERT_TRUE(MFileIO::open(MString(dataPath("rig.ma"))));
    EXPECT_EQ(MFileIO::currentFile(), MString(dataPath("rig.ma")));
}

// Every prefix of a real scene either loads or fails with a reason: no crash, no hang.
TEST(MayaAsciiLoader, EveryTruncationOfASceneFailsCleanlyOrLoads) {
    const std::string full = vx::test::readWholeFile(dataPath("rig.ma"));
    ASSERT_GT(full.size(), 500u);
    unsigned failures = 0;
    for (std::size_t n = 0; n <= full.size(); n += 7) {
        const MaLoadResult r = tryLoad(full.substr(0, n));
        if (!r.ok) {
            ++failures;
            EXPECT_EQ(r.error.rfind("test.ma:", 0), 0u) << r.error;
        }
    }
    EXPECT_GT(failures, 0u);
    EXPECT_TRUE(tryLoad(full).ok);
}

TEST(FileStatements, DescriptionsLoadQuietlyAndBadTimesWarn) {
    const MaLoadResult r =
        tryLoad(R"(file -rdi 1 -ns "prop" -rfn "propRN" -op "v=0;" -typ "mayaAscii" "prop.ma";
requires "onlyOne";
createNode "transform" -n "quotedType";
)");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    EXPECT_EQ(mel("nodeType quotedType"), "transform");
    const std::string path = ::testing::TempDir() + "vx_badtimes.ma";
    {
        std::ofstream out(path);
        out << "createNode script -n \"sceneConfigurationScriptNode\";\n"
               "\tsetAttr \".b\" -type \"string\" \"playbackOptions -min one -max 10\";\n";
    }
    ScriptCapture capture;
    ASSERT_TRUE(MFileIO::open(MString(path)));
    EXPECT_TRUE(capture.contains("sceneConfigurationScriptNode: playbackOptions -min takes a "
                                 "number, not \"one\""));
    std::remove(path.c_str());
}

} // namespace
} // namespace vornexhost::test
