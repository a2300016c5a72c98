// The view's viewport and projection.
#include <GL/gl.h>

#include <array>

#include "scene/scena.h"
#include "support/gl_test.h"

namespace {

using View = lunabrelle::test::GlTest;

TEST_F(View, ViewportAndEdgesFollowTheSizeAndAZeroSideCountsAsOne) {
    // The size, then the edges of the plane at depth -100.
    for (const auto& [width, height, x_edge, y_edge] : {std::tuple{1024, 768, -55.2284766, -41.4213562},
                                                         {200, 0, -41.4213562 * 200.0, -41.4213562},
                                                         {0, 100, -41.4213562 / 100.0, -41.4213562}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        Scena s(width, height, 32);
        s.init();
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, std::max(width, 1), std::max(height, 1)}));
        EXPECT_NEAR(s.get_x_coord(-100.0), x_edge, 1e-2);
        EXPECT_NEAR(s.get_y_coord(-100.0), y_edge, 1e-5);
    }
}

}  // namespace
