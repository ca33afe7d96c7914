// The host's viewport: camera volumes, mesh batches, scene and node messages, and `vornex
// render` drawing host materials into a PNG.
#include "HostProgram.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/host/HostTestSupport.h"

#include <vornexhost/CameraProjection.h>
#include <vornexhost/MeshBatches.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Messages.h>
#include <vornexhost/Node.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ShaderAssignment.h>

#include <maya/MFileIO.h>
#include <maya/MImage.h>
#include <maya/MNodeMessage.h>
#include <maya/MSceneMessage.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace vornexhost::test {
namespace {

TEST(Viewport, CameraVolumesFollowFilmFitAndOrthographicWidth) {
    using Fit = CameraLens::Fit;
    struct Case {
        CameraLens lens;
        int width, height;
        double halfWidth, halfHeight;
    };
    // Film 1.417 x 0.945 inches, 35 mm lens, near plane 1: the horizontal aperture gives a
    // half width of 1.417 * 25.4 / 2 / 35 = 0.514176, the vertical a half height of 0.342900.
    CameraLens lens;
    lens.focalLength = 35.0;
    lens.horizontalFilmAperture = 1.417;
    lens.verticalFilmAperture = 0.945;
    lens.nearClip = 1.0;
    auto with = [&](Fit fit) {
        CameraLens l = lens;
        l.fit = fit;
        return l;
    };
    CameraLens ortho = lens;
    ortho.orthographic = true;
    ortho.orthographicWidth = 10.0;
    const Case cases[] = {
        {with(Fit::Horizontal), 640, 480, 0.514176, 0.385632},
        {with(Fit::Vertical), 640, 480, 0.457200, 0.342900},
        // 4:3 is narrower than the film: fill fits the height, overscan the width.
        {with(Fit::Fill), 640, 480, 0.457200, 0.342900},
        {with(Fit::Overscan), 640, 480, 0.514176, 0.385632},
        {with(Fit::Fill), 1000, 400, 0.514176, 0.205670},
        {ortho, 32, 16, 5.0, 2.5},
    };
    for (const Case& c : cases) {
        ViewVolume v;
        ASSERT_TRUE(viewVolume(c.lens, c.width, c.height, v));
        EXPECT_NEAR(v.right, c.halfWidth, 1e-5);
        EXPECT_NEAR(v.left, -c.halfWidth, 1e-5);
        EXPECT_NEAR(v.top, c.halfHeight, 1e-5);
        EXPECT_EQ(v.orthographic, c.lens.orthographic);
    }
    ViewVolume v;
    CameraLens bad = lens;
    bad.farClip = 0.5; // behind the near plane
    EXPECT_FALSE(viewVolume(bad, 10, 10, v));
    EXPECT_FALSE(viewVolume(lens, 0, 10, v));
    bad = lens;
    bad.focalLength = 0.0;
    EXPECT_FALSE(viewVolume(bad, 10, 10, v));
}

TEST(Viewport, BatchesHaveOneVertexPerCornerAndTheRequestedUvSets) {
    loadScene(dataText("plane_2x1.ma")); // two faces of a 2 x 1 plane, initially shaded
    const Node* shape = activeScene().findNode("pShape");
    ASSERT_NE(shape, nullptr);
    const auto mesh = evaluateMesh(node("pShape"));
    ASSERT_EQ(mesh->faceCount(), 2u);
    const ShaderAssignment shading = shaderAssignment(*shape, 0, mesh->faceCount());
    // map1 is found, "detail" is not: the arrays stop there. The coordinates themselves show in
    // the pictures of ShaderNodeScene.
    for (const auto& names :
         {std::vector<std::string>{"map1", "detail", "map1"}, std::vector<std::string>{"detail"}}) {
        const std::vector<MeshBatch> batches = buildMeshBatches(*mesh, shading, names);
        ASSERT_EQ(batches.size(), 1u);
        const MeshBatch& b = batches[0];
        ASSERT_EQ(b.uvs.size(), 1u);
        EXPECT_EQ(std::tuple(b.engine, b.vertexIds.size(), b.positions.size(), b.uvs[0].size()),
                  std::tuple(0, 8u, 24u, 16u));
        EXPECT_EQ(b.indices, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}));
        // The plane faces up.
        EXPECT_EQ(b.normals.size(), 24u);
        EXPECT_FLOAT_EQ(b.normals[1], 1.0f);
    }
}

struct Recorder {
    std::vector<std::string> events;
    MCallbackId self = 0;
};

void onDirty(MObject&, void* data) {
    static_cast<Recorder*>(data)->events.push_back("dirty");
}
void onRename(MObject&, const MString& previous, void* data) {
    static_cast<Recorder*>(data)->events.push_back("renamed from " + previous.str());
}
void onSceneOnce(void* data) {
    auto* r = static_cast<Recorder*>(data);
    r->events.push_back("scene");
    MMessage::removeCallback(r->self); // removing itself while it runs
}

TEST(Viewport, MessagesReachTheirCallbacksUntilRemoved) {
    loadScene("createNode file -n \"tex\";\ncreateNode lambert -n \"mat\";\n");
    Recorder r;
    MObject tex = node("tex");
    const unsigned before = callbackCount();
    const MCallbackId dirty = MNodeMessage::addNodeDirtyCallback(tex, &onDirty, &r);
    const MCallbackId renamed = MNodeMessage::addNameChangedCallback(tex, &onRename, &r);
    r.self = MSceneMessage::addCallback(MSceneMessage::kBeforeNew, &onSceneOnce, &r);
    EXPECT_EQ(callbackCount(), before + 3);

    mel("setAttr tex.fileTextureName -type \"string\" \"a.png\"; setAttr mat.color 1 0 0; "
        "connectAttr tex.outColor mat.color; rename tex tex2");
    EXPECT_EQ(r.events, (std::vector<std::string>{"dirty", "renamed from tex"}));
    MFileIO::newFile(true);
    MFileIO::newFile(true);
    EXPECT_EQ(r.events.back(), "scene");
    EXPECT_EQ(std::count(r.events.begin(), r.events.end(), "scene"), 1);
    EXPECT_TRUE(MMessage::removeCallback(dirty));
    EXPECT_TRUE(MMessage::removeCallback(renamed));
    EXPECT_FALSE(MMessage::removeCallback(renamed));
    EXPECT_EQ(callbackCount(), before);
}

std::array<int, 3> pixelAt(const std::string& png, unsigned x, unsigned yFromTop) {
    MImage image;
    unsigned width = 0;
    unsigned height = 0;
    if (!image.readFromFile(MString(png)) || !image.getSize(width, height) || x >= width ||
        yFromTop >= height)
        return {-1, -1, -1};
    const unsigned char* p = image.pixels() + ((height - 1 - yFromTop) * width + x) * 4;
    return {p[0], p[1], p[2]};
}

bool near(const std::array<int, 3>& got, const std::array<int, 3>& want) {
    for (std::size_t c = 0; c < 3; ++c)
        if (std::abs(got[c] - want[c]) > 3)
            return false;
    return true;
}

int render(const std::vector<std::string>& extra, const std::string& out) {
    std::vector<std::string> args = {
        "render", dataPath("viewport.ma"), "-o", out, "--camera", "viewCam", "--size", "48x16"};
    args.insert(args.end(), extra.begin(), extra.end());
    return vornexapp::runHostProgram(args, "/nonexistent");
}

TEST(Viewport, RenderDrawsHostMaterialsThroughTheCamera) {
    const std::string out =
        (std::filesystem::temp_directory_path() / "vornex_viewport_test.png").string();
    ASSERT_EQ(render({}, out), 0);
    // Lit straight on: lambert red; the file texture (the hidden plane above it is left out);
    // blinn blue with its full grey highlight added.
    EXPECT_TRUE(near(pixelAt(out, 8, 8), {255, 0, 0}));
    EXPECT_TRUE(near(pixelAt(out, 24, 8), {30, 90, 150}));
    EXPECT_TRUE(near(pixelAt(out, 40, 8), {128, 128, 255}));
    // The same scene gives the same bytes.
    const std::string again = out + ".again.png";
    ASSERT_EQ(render({}, again), 0);
    EXPECT_EQ(vx::test::readWholeFile(out), vx::test::readWholeFile(again));
    EXPECT_FALSE(vx::test::readWholeFile(out).empty());
    std::remove(again.c_str());

    // At frame 10 the blue plane has moved out of the picture.
    ASSERT_EQ(render({"--frame", "10"}, out), 0);
    EXPECT_TRUE(near(pixelAt(out, 40, 8), {64, 64, 64}));
    EXPECT_TRUE(near(pixelAt(out, 8, 8), {255, 0, 0}));

    ASSERT_EQ(render({"--plain"}, out), 0);
    EXPECT_TRUE(near(pixelAt(out, 24, 8), {204, 204, 204}));
    EXPECT_TRUE(near(pixelAt(out, 8, 8), {255, 0, 0}));

    ASSERT_EQ(render({"--wireframe"}, out), 0);
    EXPECT_TRUE(near(pixelAt(out, 8, 8), {64, 64, 64})); // inside a face: background
    bool edge = false;
    for (unsigned y = 0; y < 16; ++y)
        edge =
            edge || near(pixelAt(out, 0, y), {255, 0, 0}) || near(pixelAt(out, 15, y), {255, 0, 0});
    EXPECT_TRUE(edge);

    EXPECT_EQ(render({"--size", "48by16"}, out), 1);
    std::remove(out.c_str());
}

#ifdef VX_VORNEX_PROGRAM
// Run as a separate process: the context of this one is made already.
TEST(Viewport, WithoutOpenGlRenderFailsClearlyAndOtherVerbsWork) {
    const std::string scene = dataPath("viewport.ma");
    const std::string program = VX_VORNEX_PROGRAM;
    auto run = [](const std::string& command, std::string& output) {
        output.clear();
        FILE* pipe = popen((command + " 2>&1").c_str(), "r");
        if (!pipe)
            return -1;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        return pclose(pipe);
    };
    std::string output;
    EXPECT_NE(run("VORNEX_GL=off " + program + " render " + scene + " -o /dev/null", output), 0);
    EXPECT_NE(output.find("render: no OpenGL context: disabled by VORNEX_GL=off"),
              std::string::npos)
        << output;
    EXPECT_EQ(run("VORNEX_GL=off " + program + " mel " + scene + " -c 'ls -type camera'", output),
              0)
        << output;
    EXPECT_NE(output.find("viewCamShape"), std::string::npos) << output;
}
#endif

} // namespace
} // namespace vornexhost::test
