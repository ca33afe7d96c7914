#include "ShaderNodeFixture.h"

#include "Vornex/PluginRegistration.h"

#include <vornexhost/Node.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ViewportContext.h>

#include <maya/MFileIO.h>
#include <maya/MGlobal.h>
#include <maya/MImage.h>

#include <cstdlib>
#include <iostream>
#include <sstream>

namespace vx::test {

std::shared_ptr<vornexhost::Plugin> ShaderNodeScene::s_plugin;
std::string ShaderNodeScene::s_extensionReport;

std::string shaderDataPath(const std::string& name) {
    return VORNEX_TEST_DATA_DIR "/shadernode/" + name;
}

void ShaderNodeScene::SetUpTestSuite() {
    std::string error;
    ASSERT_NE(vornexhost::viewportContext(error), nullptr) << error;
    s_plugin = std::make_shared<vornexhost::Plugin>();
    s_plugin->name = "Vornex.so";
    // The extension report goes to the standard error stream: catch it.
    std::ostringstream report;
    std::streambuf* previous = std::cerr.rdbuf(report.rdbuf());
    const MStatus status = registerVornex(MObject(s_plugin));
    std::cerr.rdbuf(previous);
    s_extensionReport = report.str();
    ASSERT_TRUE(status);
}

void ShaderNodeScene::TearDownTestSuite() {
    MFileIO::newFile(true);
    deregisterVornex(MObject(s_plugin));
    s_plugin.reset();
}

void ShaderNodeScene::SetUp() {
    openLayerScene();
}

void ShaderNodeScene::openLayerScene() {
    ASSERT_TRUE(MFileIO::open(MString(shaderDataPath("layers.ma"))));
}

vornexhost::RenderedImage ShaderNodeScene::render() {
    vornexhost::RenderSettings settings;
    settings.camera = "viewCam";
    settings.width = 32;
    settings.height = 32;
    vornexhost::RenderedImage image;
    std::string error;
    EXPECT_TRUE(vornexhost::renderActiveScene(settings, image, error)) << error;
    return image;
}

int ShaderNodeScene::maxDifference(const vornexhost::RenderedImage& image,
                                   const std::string& expected) {
    MImage picture;
    unsigned width = 0;
    unsigned height = 0;
    if (!picture.readFromFile(MString(shaderDataPath(expected))) ||
        !picture.getSize(width, height) || int(width) != image.width || int(height) != image.height)
        return 256;
    int worst = 0;
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            for (unsigned c = 0; c < 3; ++c) {
                // The picture's rows are bottom first, the render's top first.
                const int want = picture.pixels()[((height - 1 - y) * width + x) * 4 + c];
                const int got = image.rgba[(y * width + x) * 4 + c];
                worst = std::max(worst, std::abs(want - got));
            }
    return worst;
}

void ShaderNodeScene::mel(const std::string& statements) {
    ASSERT_TRUE(MGlobal::executeCommand(MString(statements))) << statements;
}

rscMeshShader* ShaderNodeScene::groundMaterial() {
    vornexhost::Node* node = vornexhost::activeScene().findNode("groundMaterial");
    return node ? dynamic_cast<rscMeshShader*>(node->userNode.get()) : nullptr;
}

} // namespace vx::test
