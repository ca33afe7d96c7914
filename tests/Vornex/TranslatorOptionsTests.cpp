#include "Vornex/TranslatorOptions.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

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
