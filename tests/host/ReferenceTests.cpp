// Referenced files: found beside the scene, loaded under their namespaces or prefixes, nested,
// with the referencing file's edits applied afterwards; missing ones reported.
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Node.h>
#include <vornexhost/Scene.h>

#include <maya/MFileIO.h>
#include <maya/MFnDagNode.h>
#include <maya/MPlugArray.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vornexhost::test {
namespace {

namespace fs = std::filesystem;

class ReferenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 ("vornex-references-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_root);
        fs::create_directories(m_root / "scenes" / "assets");
    }
    void TearDown() override { fs::remove_all(m_root); }

    void write(const fs::path& relative, const std::string& text) const {
        std::ofstream(m_root / relative, std::ios::binary) << text;
    }
    std::string path(const fs::path& relative) const { return (m_root / relative).string(); }

    static double number(const std::string& plugName) {
        double v = 0.0;
        EXPECT_TRUE(plug(plugName).getValue(v)) << plugName;
        return v;
    }

    fs::path m_root;
};

TEST_F(ReferenceTest, ThreeLevelsOfNamespacesWithEditsAndMissingFiles) {
    // level -> crate (beside the scene, by relative path) -> lid (by file name only: the path
    // written is another machine's) -> bolt (under a rename prefix).
    write("scenes/level.ma", R"(//Maya ASCII 2020 scene
requires maya "2020";
file -rdi 1 -ns "crate" -rfn "crateRN" "assets/crate.ma";
file -r -ns "crate" -dr 1 -rfn "crateRN" -typ "mayaAscii" "assets/crate.ma";
file -r -ns "gone" -dr 1 -rfn "goneRN" -typ "mayaAscii" "assets/gone.ma";
file -r -ns "chair" -rfn "chairRN" -typ "mayaBinary" "assets/chair.mb";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "marker";
	setAttr ".t" -type "double3" 1 0 0 ;
createNode reference -n "crateRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"crateRN"
		"crateRN" 2
		2 "|crate:box" "translate" " -type \"double3\" 7 8 9"
		3 "crate:box.sx" "crate:lid:handle.sx" 
		""
		"goneRN" 1
		2 "|gone:thing" "visibility" " 0";
createNode reference -n "goneRN";
connectAttr "crate:lid:bolt_pin.ty" "marker.ry";
)");
    write("scenes/assets/crate.ma", R"(//Maya ASCII 2020 scene
file -r -ns "lid" -rfn "lidRN" "/elsewhere/projects/lid.ma";
currentUnit -l meter -a degree -t film;
createNode transform -s -n "persp";
	setAttr ".v" no;
createNode transform -n "box";
	setAttr ".t" -type "double3" 1 0 0 ;
createNode mesh -n "boxShape" -p "box";
createNode reference -n "lidRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"lidRN"
		"lidRN" 1
		2 "|lid:handle" "translateY" " 0.5";
select -ne :time1;
connectAttr "box.ty" "lid:handle.tz";
)");
    write("scenes/assets/lid.ma", R"(//Maya ASCII 2020 scene
file -r -rpr "bolt" -rfn "boltRN" "bolt.ma";
createNode transform -n "handle";
parent -r "bolt_pin" "handle";
)");
    write("scenes/assets/bolt.ma", R"(//Maya ASCII 2020 scene
createNode transform -n "pin";
	setAttr ".ty" 3;
)");
    ScriptCapture capture;
    ASSERT_TRUE(MFileIO::open(path("scenes/level.ma").c_str()));
    Scene& scene = activeScene();
    for (const char* name : {"marker", "crate:box", "crate:boxShape", "crate:lid:handle",
                             "crate:lid:bolt_pin", "persp"})
        EXPECT_NE(scene.findNode(name), nullptr) << name;
    EXPECT_EQ(scene.findNode("box"), nullptr);
    EXPECT_EQ(scene.findNode("crate:persp"), nullptr); // the shared camera is the scene's own
    // The bolt sits under the lid's handle, which sits at the world.
    EXPECT_EQ(std::string(dagPath("crate:lid:bolt_pin").fullPathName().asChar()),
              "|crate:lid:handle|crate:lid:bolt_pin");
    // crate.ma is in metres; the scene's own values stay in centimetres.
    EXPECT_EQ(number("marker.tx"), 1.0);
    EXPECT_EQ(number("crate:lid:bolt_pin.ty"), 3.0);
    // The level's edit moves the crate (in the level's centimetres); the crate's own edit moves
    // its lid (in metres).
    EXPECT_EQ(number("crate:box.tx"), 7.0);
    EXPECT_EQ(number("crate:box.tz"), 9.0);
    EXPECT_EQ(number("crate:lid:handle.ty"), 50.0);
    MPlugArray sources;
    ASSERT_TRUE(plug("crate:lid:handle.sx").connectedTo(sources, true, false));
    ASSERT_EQ(sources.length(), 1u);
    EXPECT_EQ(std::string(sources[0].name().asChar()), "crate:box.scaleX");
    ASSERT_TRUE(plug("crate:lid:handle.tz").connectedTo(sources, true, false));
    ASSERT_EQ(sources.length(), 1u);
    ASSERT_TRUE(plug("marker.ry").connectedTo(sources, true, false));
    ASSERT_EQ(sources.length(), 1u);
    // The missing file and the binary one, each once; the missing one's edits say nothing more.
    std::vector<std::string> warnings;
    for (const std::string& line : capture.lines())
        if (line.find("Warning") != std::string::npos)
            warnings.push_back(line);
    ASSERT_EQ(warnings.size(), 2u) << warnings[0];
    EXPECT_NE(warnings[0].find("\"assets/gone.ma\" is not found"), std::string::npos)
        << warnings[0];
    EXPECT_NE(warnings[1].find("\"assets/chair.mb\""), std::string::npos) << warnings[1];
}

TEST_F(ReferenceTest, AFileReferencingItselfStopsWithOneWarning) {
    write("scenes/loop.ma", "//Maya ASCII 2020 scene\nfile -r -ns \"again\" \"loop.ma\";\n"
                            "createNode transform -n \"ring\";\n");
    write("scenes/text.ma", "not a scene\n");
    write("scenes/top.ma", "//Maya ASCII 2020 scene\nfile -r -ns \"l\" \"loop.ma\";\n"
                           "file -r -ns \"t\" \"text.ma\";\n");
    ScriptCapture capture;
    ASSERT_TRUE(MFileIO::open(path("scenes/top.ma").c_str()));
    std::size_t warnings = 0;
    bool deep = false;
    bool text = false;
    for (const std::string& line : capture.lines())
        if (line.find("Warning") != std::string::npos) {
            ++warnings;
            deep = deep || line.find("nested") != std::string::npos;
            text = text || (line.find("\"text.ma\"") != std::string::npos &&
                            line.find("not a Maya ASCII file") != std::string::npos);
        }
    EXPECT_EQ(warnings, 2u);
    EXPECT_TRUE(deep);
    EXPECT_TRUE(text);
    EXPECT_NE(activeScene().findNode("l:ring"), nullptr);
    EXPECT_NE(activeScene().findNode("l:again:ring"), nullptr);
}

} // namespace
} // namespace vornexhost::test
