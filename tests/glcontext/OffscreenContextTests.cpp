#include "vornexgl/OffscreenContext.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

// Clears a 4 x 4 framebuffer object and reads one pixel back: proof that the context draws.
std::array<unsigned char, 4> clearAndRead(float r, float g, float b, float a) {
    GLuint texture = 0;
    GLuint framebuffer = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
              static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, 4, 4);
    glClearColor(r, g, b, a);
    glClear(GL_COLOR_BUFFER_BIT);
    std::array<unsigned char, 4> pixel{};
    glReadPixels(2, 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &texture);
    return pixel;
}

TEST(OffscreenContext, DrawsIntoFramebufferObjectsAndAnswersExtensionQueries) {
    std::string error;
    auto context = vxgl::OffscreenContext::create(error);
    ASSERT_NE(context, nullptr) << error;
    EXPECT_EQ(clearAndRead(1.0f, 0.0f, 0.5f, 1.0f),
              (std::array<unsigned char, 4>{255, 0, 128, 255}));
    EXPECT_TRUE(context->hasExtension("GL_ARB_multitexture"));
    EXPECT_FALSE(context->hasExtension("GL_ARB_multi")); // whole names only
    EXPECT_NE(context->procAddress("glActiveTexture"), nullptr);
    EXPECT_NE(context->description().find(" | "), std::string::npos);

    // A second context coexists; switching back keeps the first one drawing.
    auto second = vxgl::OffscreenContext::create(error);
    ASSERT_NE(second, nullptr) << error;
    second.reset();
    ASSERT_TRUE(context->makeCurrent());
    EXPECT_EQ(clearAndRead(0.0f, 1.0f, 0.0f, 0.0f), (std::array<unsigned char, 4>{0, 255, 0, 0}));
}

TEST(OffscreenContext, EnvironmentSwitchReportsNoContext) {
    setenv("VORNEX_GL", "off", 1);
    std::string error;
    auto context = vxgl::OffscreenContext::create(error);
    unsetenv("VORNEX_GL");
    EXPECT_EQ(context, nullptr);
    EXPECT_NE(error.find("VORNEX_GL=off"), std::string::npos) << error;
}

} // namespace
