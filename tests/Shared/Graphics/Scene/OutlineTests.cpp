// The scene graph file inspector.
#include "Shared/Base/Streams/FileOutStream.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/SceneOutline.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Shared/Graphics/Scene/SceneTestData.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vx {
namespace {

TEST(SceneOutline, ShowsNodesMeshesMaterialsAndNamedValues) {
    Scene scene;
    test::buildReferenceScene(scene);
    std::ostringstream out;
    printSceneOutline(scene, out);
    const std::string text = out.str();
    for (const char* expected : {
             "Scene graph version 5\n",
             "RootNode \"scene.ma\" parents 0 children 5\n",
             "  UtilTransformNode \"body\" parents 1 children 2 keys 0\n",
             "    matrix (0, 1, 0) (-1, 0, 0) (0, 0, 2) translation (1, 2, 3)\n",
             "named values: anim_export = bool true, zephBool = bool true, zephFloat = float "
             "1.5, zephInt = int -7, zephText = text \"hello zeph\"\n",
             "    UtilMeshNode \"bodyShape\" parents 2 influences 2 (\"joint1\", \"joint2\")\n",
             "mesh \"bodyShape\" #0, 2 material groups\n",
             "vertex buffer \"bodyShapeVertexBuffer\" #0: 4 vertices, 4 positions, 2 normals, 1 "
             "diffuse colours, 1 specular colours, 2 UV sets [4, 4], 4 skin weights",
             "primitive buffer \"bodyShapePrimitiveBuffer\" #0: kind 4, 2 primitives (1 "
             "triangles, 1 quads, 0 other; 7 corners), 2 attributes, 2 attribute records\n",
             "material \"lambert2\" #0 flags 1 0, 3 channels\n",
             "color: texture \"textures/body.tga\" filter 3 offset (0.5, -0.25) rotate 90 image "
             "2x1 (8 bytes)\n",
             "UtilLodNode \"lodGroup\" parents 1 children 3 thresholds [10, 20]\n",
             "geometry \"bodyShape\" #0 (shown above)\n",
             "material \"lambert2\" #0 (shown above)\n",
             "UtilJointNode \"joint1\" parents 1 children 1 keys 2 (times 1 to 2)\n",
             "UtilLocatorNode \"locator1\" parents 1 children 0 position (4, 5, 6)\n",
             "spline \"curveShape1\" #0: 4 control points, 8 knots, value 2779096485\n",
             "color: combined(mode 6, pair(texture \"detail.tga\"",
             "UtilMeshNode \"emptyMesh\" parents 1 influences 0\n",
             "no mesh\n",
             "UtilMeshNode \"bodyShape\" (shared, shown above)\n",
         }) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
    }
}

TEST(SceneOutline, RunSceneInfoReadsAFileAndReportsFailures) {
    test::LogCapture capture;
    test::TempDir dir;
    const std::string path = dir.file("scene.sgf");
    {
        Scene scene;
        test::buildReferenceScene(scene);
        FileOutStream out(path.c_str());
        ASSERT_TRUE(scene.write(out));
        ASSERT_TRUE(out.close());
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runSceneInfo(path.c_str(), out, err), 0);
    EXPECT_EQ(out.str().rfind(path + ":\nScene graph version 5\nRootNode \"scene.ma\"", 0), 0u);
    EXPECT_TRUE(err.str().empty());

    std::ostringstream out2;
    std::ostringstream err2;
    EXPECT_EQ(runSceneInfo(dir.file("missing.sgf").c_str(), out2, err2), 1);
    EXPECT_NE(err2.str().find("cannot open"), std::string::npos);
    {
        FileOutStream bad(dir.file("bad.sgf").c_str());
        bad << "not a scene";
        ASSERT_TRUE(bad.close());
    }
    std::ostringstream err3;
    EXPECT_EQ(runSceneInfo(dir.file("bad.sgf").c_str(), out2, err3), 1);
    EXPECT_NE(err3.str().find("not a scene graph file"), std::string::npos);
}

} // namespace
} // namespace vx
