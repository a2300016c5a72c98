// Test fixture with a real headless OpenGL context (EGL, Mesa software
// renderer). Every test gets a fresh context, so GL state never leaks from
// one test into the next.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/egl/headless_gl.h"

namespace lunabrelle::test {

class GlTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 64;

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(gl_.create(kWidth, kHeight, &error)) << error;
    }

    // RGBA of the pixel at (x, y), y counted from the top row.
    std::vector<std::uint8_t> pixel(int x, int y) const {
        std::vector<std::uint8_t> rgba(4);
        glReadPixels(x, gl_.height() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    // True when glIsTexture answers for name.
    static bool is_texture(unsigned name) { return glIsTexture(name) == GL_TRUE; }

    lunabrelle::HeadlessGl gl_;
};

}  // namespace lunabrelle::test
