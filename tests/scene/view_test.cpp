// The view's projection and fixed GL state, and a node transform's order.
#include <GL/gl.h>

#include <array>
#include <cmath>

#include "host/world_time.h"
#include "scene/coordin.h"
#include "scene/scena.h"
#include "support/gl_test.h"

namespace {

using View = lunabrelle::test::GlTest;

std::array<GLint, 4> viewport() {
    std::array<GLint, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

TEST_F(View, ViewportAndEdgesFollowTheSizeAndAZeroSideCountsAsOne) {
    struct Case {
        int width, height;
        double x_edge, y_edge;  // of the plane at depth -100
    };
    const Case cases[] = {{1024, 768, -55.2284766, -41.4213562},
                          {200, 0, -41.4213562 * 200.0, -41.4213562},
                          {0, 100, -41.4213562 / 100.0, -41.4213562}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Scena s(c.width, c.height, 32);
        EXPECT_EQ(s.init(), 1);
        EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, std::max(c.width, 1), std::max(c.height, 1)}));
        EXPECT_NEAR(s.get_x_coord(-100.0), c.x_edge, 1e-2);
        EXPECT_NEAR(s.get_y_coord(-100.0), c.y_edge, 1e-5);
        GLint mode = 0;  // the modelview matrix is left selected, at the identity
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        GLdouble m[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

TEST_F(View, InitSetsTheFixedState) {
    Scena s(64, 64, 32);
    s.init();
    for (GLenum on : {GL_TEXTURE_2D, GL_DEPTH_TEST, GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY})
        EXPECT_TRUE(glIsEnabled(on)) << on;
    for (GLenum off : {GL_BLEND, GL_ALPHA_TEST, GL_LIGHTING}) EXPECT_FALSE(glIsEnabled(off)) << off;
    const std::pair<GLenum, GLint> values[] = {
        {GL_DEPTH_FUNC, GL_LEQUAL},          {GL_BLEND_SRC, GL_SRC_ALPHA}, {GL_BLEND_DST, GL_ONE_MINUS_SRC_ALPHA},
        {GL_ALPHA_TEST_FUNC, GL_GREATER},    {GL_SHADE_MODEL, GL_SMOOTH},  {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}};
    for (auto [name, expected] : values) {
        GLint value = 0;
        glGetIntegerv(name, &value);
        EXPECT_EQ(value, expected) << name;
    }
    GLfloat ref = 0;
    glGetFloatv(GL_ALPHA_TEST_REF, &ref);
    EXPECT_NEAR(ref, 0.9f, 1e-6);
    s.init_light();
    std::array<GLfloat, 4> ambient{}, attenuation{};
    glGetLightfv(GL_LIGHT1, GL_AMBIENT, ambient.data());
    glGetLightfv(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, attenuation.data());
    EXPECT_EQ(ambient, (std::array<GLfloat, 4>{0.3f, 0.3f, 0.3f, 1.0f}));
    EXPECT_EQ(attenuation[0], 0.0002f);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
}

TEST_F(View, CoordinMovesThenTurnsAboutXThenYThenZAndScalesApart) {
    auto map = [](double x, double y, double z) {
        GLdouble m[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        return std::array<double, 3>{std::round(m[0] * x + m[4] * y + m[8] * z + m[12]),
                                     std::round(m[1] * x + m[5] * y + m[9] * z + m[13]),
                                     std::round(m[2] * x + m[6] * y + m[10] * z + m[14])};
    };
    glMatrixMode(GL_MODELVIEW);
    Coordin c;
    c.chrot(90, 90, 0);
    c.move();
    EXPECT_EQ(map(1, 0, 0), (std::array<double, 3>{0, 1, 0}));  // 90 about y first, then 90 about x
    glLoadIdentity();
    c.chrot(0, 0, 90);
    c.chposition(1, 2, 3);
    c.chscale(2, 3, 4);
    c.move();
    EXPECT_EQ(map(1, 0, 0), (std::array<double, 3>{1, 3, 3}));
    c.scale();
    EXPECT_EQ(map(1, 1, 1), (std::array<double, 3>{-2, 4, 7}));
    c.empty();
    EXPECT_TRUE(c.scale_flag());
    EXPECT_EQ((std::array<double, 9>{c.position[0], c.position[1], c.position[2], c.rotation[0], c.rotation[1],
                                     c.rotation[2], c.scaling[0], c.scaling[1], c.scaling[2]}),
              (std::array<double, 9>{0, 0, 0, 0, 0, 0, 1, 1, 1}));
}

}  // namespace
