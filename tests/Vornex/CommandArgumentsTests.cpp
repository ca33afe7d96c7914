#include "Vornex/CommandArguments.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace vx {
namespace {

MStringArray args(std::initializer_list<const char*> items) {
    MStringArray out;
    for (const char* item : items)
        out.append(item);
    return out;
}

TEST(CommandArguments, OutputNameFollowsTheArgumentTable) {
    struct Case {
        MStringArray arguments;
        const char* scene;
        std::string output;
        ParseFlags flags;
        bool selection;
    };
    const Case cases[] = {
        {args({}), "work/b.mb", "work/b.bundledMesh", 0, false},
        {args({"-s"}), "work/b.mb", "work/b.bundledMesh", 0, true},
        {args({"foo"}), "work/b.mb", "foo.bundledMesh", 0, false},
        {args({"-z", "foo"}), "work/b.mb", "foo.bundledMesh", kZaxisPositive, false},
        {args({"bar", "foo"}), "work/b.mb", "foo.bundledMesh", 0, false},
        {args({"-tiwrz", "out/x", "ignored"}), "work/b.mb", "out/x.bundledMesh",
         kIncludeImages | kReportInfo | kReportWarnings | kRighthandedSystem | kZaxisPositive,
         false},
        // The default name replaces only the last extension; an unsaved scene has none.
        {args({}), "scenes/v1.2/tank.final.ma", "scenes/v1.2/tank.final.bundledMesh", 0, false},
        {args({}), "untitled", "untitled.bundledMesh", 0, false},
    };
    for (const Case& c : cases) {
        CommandSettings settings;
        ASSERT_TRUE(decideCommandSettings(c.arguments, c.scene, settings)) << c.output;
        EXPECT_EQ(settings.outputFile.str(), c.output);
        EXPECT_EQ(settings.flags, c.flags) << c.output;
        EXPECT_EQ(settings.selectionOnly, c.selection) << c.output;
    }
}

TEST(CommandArguments, RefusedFlagsFailWithTheHostMessage) {
    test::LogCapture capture;
    CommandSettings settings;
    EXPECT_FALSE(decideCommandSettings(args({"-"}), "a.ma", settings));
    EXPECT_TRUE(capture.scriptLines().empty());

    EXPECT_FALSE(decideCommandSettings(args({"-x"}), "a.ma", settings));
    EXPECT_FALSE(decideCommandSettings(args({"-tq", "out"}), "a.ma", settings));
    EXPECT_FALSE(decideCommandSettings(args({"-S"}), "a.ma", settings));
    EXPECT_EQ(capture.scriptLines(),
              (std::vector<std::string>{"Unknown parser flag: -x", "Unknown parser flag: -q",
                                        "Unknown parser flag: -S"}));
}

} // namespace
} // namespace vx
