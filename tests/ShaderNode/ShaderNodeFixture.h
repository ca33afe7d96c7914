#pragma once
// The shader node registered by the plug-in's own registration (with a plug-in object of the
// test's making), the viewport context, and renders of the layer scene compared with pictures
// worked out on paper (tests/data/shadernode/make_images.py).
#include "ShaderNode/rscMeshShader.h"

#include <vornexhost/PluginRegistry.h>
#include <vornexhost/ViewportRender.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vx::test {

std::string shaderDataPath(const std::string& name);

class ShaderNodeScene : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // Opens tests/data/shadernode/layers.ma.
    static void openLayerScene();
    // The 32 x 32 view of the ground through "viewCam".
    static vornexhost::RenderedImage render();
    // Largest difference of one colour component between `image` and the expected PNG.
    static int maxDifference(const vornexhost::RenderedImage& image, const std::string& expected);
    static void mel(const std::string& statements);
    static rscMeshShader* groundMaterial();

    static std::shared_ptr<vornexhost::Plugin> s_plugin;
    static std::string s_extensionReport;
};

// Rendering tolerance per colour component (llvmpipe rounds, filtering details may vary).
inline constexpr int kTolerance = 3;

} // namespace vx::test
