// The artist's settings: the Vornex command's arguments and the VornexFtr translator's options.
#include "Vornex/CommandArguments.h"
#include "Vornex/TranslatorOptions.h"
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

TEST(TranslatorOptions, OnlyAValueOfExactlyOneSetsABit) {
    EXPECT_EQ(parseTranslatorOptions("includeImages=1;zaxisPositive=0;righthandedSystem=1;"),
              kIncludeImages | kRighthandedSystem);
    EXPECT_EQ(parseTranslatorOptions("includeImages=0;zaxisPositive=0;righthandedSystem=0;"), 0u);
    EXPECT_EQ(parseTranslatorOptions("zaxisPositive=1"), kZaxisPositive);
    EXPECT_EQ(parseTranslatorOptions("includeImages=true;righthandedSystem=01;"), 0u);
    EXPECT_EQ(parseTranslatorOptions("IncludeImages=1;other=1;=1;includeImages=;"), 0u);
    EXPECT_EQ(parseTranslatorOptions(""), 0u);
}

TEST(TranslatorOptions, ErrorListSitsBesideTheOutputNamedAfterItsBase) {
    EXPECT_EQ(errorListPath("out/tank.bundledMesh").str(), "out/tank.log");
    EXPECT_EQ(errorListPath("c:\\art\\out\\tank.v2.bundledMesh").str(), "c:\\art\\out/tank.v2.log");
    EXPECT_EQ(errorListPath("a/b.c/tank").str(), "a/b.c/tank.log");
    EXPECT_EQ(errorListPath("tank.bundledMesh").str(), "tank.log");
}

TEST(TranslatorOptions, IdentifiesItsOwnFileKinds) {
    for (const char* own :
         {"x.sgf", "X.SGF", "tank.bundledMesh", "a.skinnedmesh", "dir/long_name.BUNDLEDMESH"})
        EXPECT_TRUE(isTranslatorFileName(own)) << own;
    for (const char* other :
         {".sgf", "a.staticMesh", "short.txt", ".bundledMesh", "long_name.staticMesh"})
        EXPECT_FALSE(isTranslatorFileName(other)) << other;
}

} // namespace
} // namespace vx
