// Test fixture with a real headless OpenGL context (EGL, Mesa software
// renderer). Every test gets a fresh context, so GL state never leaks from
// one test into the next.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "platform/egl/headless_gl.h"

namespace lunabrelle::test {

class GlTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 64;

    void SetUp() override;

    // RGBA of the pixel at (x, y), y counted from the top row.
    std::vector<std::uint8_t> pixel(int x, int y) const;

    // True when glIsTexture answers for name.
    static bool is_texture(unsigned name);

    lunabrelle::HeadlessGl gl_;
};

}  // namespace lunabrelle::test
