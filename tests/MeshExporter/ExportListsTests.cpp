#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(ExportedFileSet, KeepsPathsSortedOnceAndWritesThemAsLines) {
    test::TempDir dir;
    ExportedFileSet set;
    set.addRelativeToRawData("c:/work/rawdata/objects/tank/meshes/tank.bundledmesh");
    set.add("objects/tank/meshes/tank.bundledmesh");
    set.add("a/first.con");
    set.addRelativeToRawData("d:/elsewhere/tank.collisionmesh");
    const std::string nfo = dir.file("tank.nfo");
    ASSERT_TRUE(set.writeTo(nfo));
    EXPECT_EQ(test::readWholeFile(nfo), "a/first.con\r\nd:/elsewhere/tank.collisionmesh\r\n"
                                        "objects/tank/meshes/tank.bundledmesh\r\n");
}

TEST(ExportErrorList, WritesEntriesInOrderWithCrLf) {
    test::TempDir dir;
    ExportErrorList list;
    EXPECT_TRUE(list.empty());
    list.append("second first");
    list.append("ERROR: Adding texture that doesn't reside under RawData c:/x.dds");
    const std::string path = dir.file("tank.log");
    ASSERT_TRUE(list.writeTo(path));
    EXPECT_EQ(test::readWholeFile(path),
              "second first\r\nERROR: Adding texture that doesn't reside under RawData "
              "c:/x.dds\r\n");
    list.clear();
    EXPECT_TRUE(list.empty());
}

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
