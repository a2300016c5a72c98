#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstring>

#include "host/world_time.h"
#include "platform/system/system.h"
#include "scene/lights.h"
#include "scene/scena.h"
#include "support/gl_test.h"

namespace {

using lunabrelle::test::GlTest;

class ScenaTest : public GlTest {};

std::array<GLint, 4> viewport() {
    std::array<GLint, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

TEST_F(ScenaTest, EdgesOfA1024By768View) {
    Scena s(1024, 768, 32);
    EXPECT_EQ(s.init(), 1);
    EXPECT_NEAR(s.get_x_coord(-100.0), -55.2284766, 1e-5);
    EXPECT_NEAR(s.get_y_coord(-100.0), -41.4213562, 1e-5);
    EXPECT_EQ(s.get_x_coord(0.0), 0.0);
    EXPECT_EQ(s.get_y_coord(0.0), 0.0);
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 1024, 768}));

    // The modelview matrix is left selected and at the identity.
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0);
}

TEST_F(ScenaTest, EdgeYIgnoresAspectWhileEdgeXFollowsIt) {
    Scena s(512, 768, 32);
    s.init();
    EXPECT_NEAR(s.get_y_coord(-100.0), -41.4213562, 1e-5);
    EXPECT_NEAR(s.get_x_coord(-100.0), -41.4213562 * 512.0 / 768.0, 1e-5);
    EXPECT_NEAR(s.get_x_coord(-200.0), 2.0 * s.get_x_coord(-100.0), 1e-9);
}

TEST_F(ScenaTest, HeightZeroUsesOneUnit) {
    Scena s(200, 0, 32);
    s.init();
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 200, 1}));
    EXPECT_NEAR(s.get_y_coord(-100.0), -41.4213562, 1e-5);
    EXPECT_NEAR(s.get_x_coord(-100.0), -41.4213562 * 200.0, 1e-2);
}

TEST_F(ScenaTest, WidthZeroStillGivesAUsableProjection) {
    Scena s(0, 100, 32);
    s.init();
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 1, 100}));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_TRUE(std::isfinite(s.get_x_coord(-100.0)));
    EXPECT_NEAR(s.get_x_coord(-100.0), -41.4213562 / 100.0, 1e-6);
    EXPECT_NEAR(s.get_y_coord(-100.0), -41.4213562, 1e-5);
}

TEST_F(ScenaTest, InitSetsTheFixedState) {
    Scena s(64, 64, 32);
    s.init();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));

    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &value);
    EXPECT_EQ(value, GL_GREATER);
    GLfloat ref = 0;
    glGetFloatv(GL_ALPHA_TEST_REF, &ref);
    EXPECT_NEAR(ref, 0.9f, 1e-6);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    for (float c : clear) EXPECT_EQ(c, 0.0f);
    GLdouble depth = 0;
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_EQ(depth, 1.0);

    const auto* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const bool separate = ext != nullptr && std::strstr(ext, "GL_EXT_separate_specular_color") != nullptr;
    glGetIntegerv(GL_LIGHT_MODEL_COLOR_CONTROL, &value);
    EXPECT_EQ(value, separate ? GL_SEPARATE_SPECULAR_COLOR : GL_SINGLE_COLOR);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ScenaTest, LightOneColoursAndAttenuation) {
    Scena s(64, 64, 32);
    s.init();
    s.init_light();
    auto light = [](GLenum what) {
        std::array<GLfloat, 4> v{};
        glGetLightfv(GL_LIGHT1, what, v.data());
        return v;
    };
    EXPECT_EQ(light(GL_AMBIENT), (std::array<GLfloat, 4>{0.3f, 0.3f, 0.3f, 1.0f}));
    EXPECT_EQ(light(GL_DIFFUSE), (std::array<GLfloat, 4>{0.5f, 0.5f, 0.5f, 1.0f}));
    EXPECT_EQ(light(GL_SPECULAR), (std::array<GLfloat, 4>{0.5f, 0.5f, 0.5f, 1.0f}));
    EXPECT_EQ(light(GL_CONSTANT_ATTENUATION)[0], 0.0f);
    EXPECT_EQ(light(GL_LINEAR_ATTENUATION)[0], 0.0f);
    EXPECT_EQ(light(GL_QUADRATIC_ATTENUATION)[0], 0.0002f);
    // Neither switched on nor placed.
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(light(GL_POSITION), (std::array<GLfloat, 4>{0.0f, 0.0f, 1.0f, 0.0f}));
}

platform::WallClock fixed_clock() { return {5'000'000, 123'999}; }

TEST(Scena, ConstructionReadsTheWorldClockAndTouchesNoGl) {
    platform::install_clock(fixed_clock);
    CURENT_TIME = 0;
    Scena s(10, 10, 32);
    platform::install_clock(nullptr);
    // 5e9 + 123 ms, low 32 bits.
    EXPECT_EQ(CURENT_TIME, static_cast<std::uint32_t>(5'000'000'123ull));
    EXPECT_EQ(s.width, 10);
    EXPECT_EQ(s.height, 10);
    EXPECT_EQ(s.bpp, 32);
    s.setMode(800, 600, 32);
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.height, 600);
}

}  // namespace
