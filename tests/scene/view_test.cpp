// The view's viewport and projection.
#include <GL/gl.h>

#include <array>

#include "scene/scena.h"
#include "support/gl_test.h"

namespace {

using View = lunabrelle::test::GlTest;

TEST_F(View, ViewportAndEdgesFollowTheSizeAndAZeroSideCountsAsOne) {
    struct Case {
        int width, height;
        double x_edge, y_edge;  // of the plane at depth -100
    };
    for (const Case& c : {Case{1024, 768, -55.2284766, -41.4213562}, Case{200, 0, -41.4213562 * 200.0, -41.4213562},
                          Case{0, 100, -41.4213562 / 100.0, -41.4213562}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Scena s(c.width, c.height, 32);
        s.init();
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, std::max(c.width, 1), std::max(c.height, 1)}));
        EXPECT_NEAR(s.get_x_coord(-100.0), c.x_edge, 1e-2);
        EXPECT_NEAR(s.get_y_coord(-100.0), c.y_edge, 1e-5);
        GLint mode = 0;  // the modelview matrix is left selected, at the identity
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        GLdouble m[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0);
    }
}

}  // namespace
