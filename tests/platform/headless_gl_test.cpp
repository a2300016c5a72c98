#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>

#include "platform/egl/headless_gl.h"

namespace {

TEST(HeadlessGl, CreatesCompatibilityContextAndReadsBackClearColour) {
    lunabrelle::HeadlessGl gl;
    std::string error;
    ASSERT_TRUE(gl.create(7, 5, &error)) << error;
    // Fixed-function entry points must work: a compatibility profile.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    GLint depth_bits = 0, alpha_bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
    glGetIntegerv(GL_ALPHA_BITS, &alpha_bits);
    EXPECT_GE(depth_bits, 24);
    EXPECT_EQ(alpha_bits, 8);

    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    auto rgba = gl.read_rgba();
    ASSERT_EQ(rgba.size(), 7u * 5u * 4u);
    EXPECT_EQ(rgba[0], 255);
    EXPECT_EQ(rgba[1], 0);
    EXPECT_EQ(rgba[3], 255);
}

TEST(HeadlessGl, ResizeKeepsContextObjects) {
    lunabrelle::HeadlessGl gl;
    std::string error;
    ASSERT_TRUE(gl.create(4, 4, &error)) << error;
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    ASSERT_TRUE(gl.resize(16, 8, &error)) << error;
    EXPECT_EQ(gl.width(), 16);
    EXPECT_EQ(gl.height(), 8);
    EXPECT_TRUE(glIsTexture(tex));
    GLint viewport[4] = {};
    glViewport(0, 0, 16, 8);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 16);
    EXPECT_FALSE(gl.resize(0, 8, &error));
}

}  // namespace
