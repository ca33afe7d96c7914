// Referenced files: found beside the scene, loaded under their namespaces or prefixes, nested,
// with the referencing file's edits applied afterwards; missing ones reported.
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Node.h>
#include <vornexhost/Scene.h>

#include <maya/MFileIO.h>
#include <maya/MFnDagNode.h>
#include <maya/MPlugArray.h>

#include <gtest/gtest.h>

namespace vornexhost::test {
namespace {

TEST(References, ThreeLevelsOfNamespacesWithEditsAndMissingFiles) {
    // level -> crate (beside the scene, by relative path) -> lid (by file name only: the path
    // written is another machine's) -> bolt (under a rename prefix).
    ScriptCapture capture;
    ASSERT_TRUE(MFileIO::open(dataPath("references/scenes/level.ma").c_str()));
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

TEST(References, AFileReferencingItselfStopsWithOneWarning) {
    ScriptCapture capture;
    ASSERT_TRUE(MFileIO::open(dataPath("references/scenes/top.ma").c_str()));
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
