#include "MeshExporter/ExportType.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(ExportType, NamesMatchIgnoringCase) {
    EXPECT_EQ(exportTypeFromName("StaticMesh"), kStaticMesh);
    EXPECT_EQ(exportTypeFromName("MESHPARTICLEMESH"), kMeshParticleMesh);
    EXPECT_EQ(exportTypeFromName("animation"), kAnimation);
    EXPECT_EQ(exportTypeFromName("staticMeshes"), kNoExportType);
    EXPECT_EQ(exportTypeFromName(""), kNoExportType);
    EXPECT_EQ(exportTypeName(kSkinnedMesh), "skinnedMesh");
    EXPECT_EQ(exportTypeName(kNoExportType), "");
}

} // namespace
} // namespace vx
