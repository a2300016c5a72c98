#include "scene/coordin.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <limits>

#include "support/gl_test.h"

namespace {

using Matrix = std::array<double, 16>;  // column-major, as GL keeps it

class CoordinGl : public lunabrelle::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    static Matrix modelview() {
        Matrix m{};
        glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
        return m;
    }

    // The modelview matrix applied to the point (x, y, z).
    static std::array<double, 3> map(double x, double y, double z) {
        const Matrix m = modelview();
        return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
                m[2] * x + m[6] * y + m[10] * z + m[14]};
    }

    // True when f issues a matrix call: such calls are errors between
    // glBegin and glEnd, so the error flag tells whether any was made.
    template <class F>
    static bool issues_gl_call(F f) {
        while (glGetError() != GL_NO_ERROR) {
        }
        glBegin(GL_POINTS);
        f();
        glEnd();
        return glGetError() != GL_NO_ERROR;
    }

    static void expect_near(const std::array<double, 3>& got, double x, double y, double z) {
        EXPECT_NEAR(got[0], x, 1e-6);
        EXPECT_NEAR(got[1], y, 1e-6);
        EXPECT_NEAR(got[2], z, 1e-6);
    }
};

const Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

TEST_F(CoordinGl, FreshCoordinIssuesNoCall) {
    const Coordin c;
    EXPECT_FALSE(issues_gl_call([&] { c.move(); }));
    EXPECT_FALSE(issues_gl_call([&] { c.move_position(); }));
    EXPECT_FALSE(issues_gl_call([&] { c.move_rot(); }));
    c.move();
    EXPECT_EQ(modelview(), kIdentity);
}

TEST_F(CoordinGl, TranslationOnly) {
    Coordin c;
    c.chposition(0, 0, 5);
    EXPECT_TRUE(issues_gl_call([&] { c.move_position(); }));
    EXPECT_FALSE(issues_gl_call([&] { c.move_rot(); }));
    c.move();
    Matrix expected = kIdentity;
    expected[14] = 5;
    EXPECT_EQ(modelview(), expected);
}

TEST_F(CoordinGl, RotationAboutYOnly) {
    Coordin c;
    c.chrot(0, 90, 0);
    EXPECT_FALSE(issues_gl_call([&] { c.move_position(); }));
    c.move();
    expect_near(map(1, 0, 0), 0, 0, -1);
    expect_near(map(0, 1, 0), 0, 1, 0);
}

TEST_F(CoordinGl, AppliesTranslationThenXThenYThenZ) {
    Coordin c;
    c.chrot(90, 90, 0);
    c.move();
    // First 90 degrees about y, then 90 about x.
    expect_near(map(1, 0, 0), 0, 1, 0);

    glLoadIdentity();
    c.chrot(0, 0, 90);
    c.chposition(1, 2, 3);
    c.move();
    expect_near(map(1, 0, 0), 1, 3, 3);
}

TEST_F(CoordinGl, NanAngleIsApplied) {
    Coordin c;
    c.chrot(std::numeric_limits<double>::quiet_NaN(), 0, 0);
    EXPECT_TRUE(issues_gl_call([&] { c.move_rot(); }));
}

TEST_F(CoordinGl, ScaleIsSeparateAndUnconditional) {
    Coordin c;
    EXPECT_TRUE(issues_gl_call([&] { c.scale(); }));
    c.chscale(2, 3, 4);
    c.move();
    EXPECT_EQ(modelview(), kIdentity);
    c.scale();
    expect_near(map(1, 1, 1), 2, 3, 4);
}

TEST(Coordin, EmptyKeepsTheScaleFlagAndChangesAccumulate) {
    Coordin c;
    EXPECT_FALSE(c.scale_flag());
    c.chscale(2, 2, 2);
    c.addposition(1, 0, 0);
    c.addposition(1, 0, 0);
    c.addrot(0, 10, 0);
    c.addrot(0, 10, 0);
    EXPECT_EQ(c.position[0], 2);
    EXPECT_EQ(c.rotation[1], 20);
    c.empty();
    EXPECT_TRUE(c.scale_flag());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c.position[i], 0);
        EXPECT_EQ(c.rotation[i], 0);
        EXPECT_EQ(c.scaling[i], 1);
    }
}

}  // namespace
