// The movers' formulas, timed deletion, the light placer and the node hooks'
// GL state.
#include <GL/gl.h>

#include <array>
#include <cmath>

#include "animation/action_library.h"
#include "animation/node_hooks.h"
#include "host/world_time.h"
#include "scene/lights.h"
#include "scene/object.h"
#include "support/gl_test.h"

namespace {

using lunabrelle::test::GlTest;

class ActionLibrary : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        Object_curent = &node;
    }
    void TearDown() override { Object_curent = nullptr; }

    // Runs fun once as an action that has run for ms milliseconds.
    Action run(ActionFunction fun, int ipar, double par1, double par2, double par3, unsigned ms) {
        Action a(&delta, 1, true, 0.0);
        a.init(fun, ipar, par1, par2, par3);
        a.animate(ms);
        return a;
    }

    Object node;
    Coordin delta;
};

TEST_F(ActionLibrary, DeltaMoversAddTheirWholeOffsetOnTheirAxis) {
    run(move_linear, 0, 4.0, 0, 0, 500);
    EXPECT_DOUBLE_EQ(delta.position[0], 2.0);
    run(move_sin, 2, 5.0, 3.0, 0.0, 1000);
    EXPECT_DOUBLE_EQ(delta.position[2], 5.0 * std::sin(3.0));
    run(move_sin, 2, 5.0, 3.0, 0.0, 1000);  // adds, does not set
    EXPECT_DOUBLE_EQ(delta.position[2], 10.0 * std::sin(3.0));
    run(move_exp, 1, 10.0, -2.0, 0.0, 1000);
    EXPECT_DOUBLE_EQ(delta.position[1], 10.0 * (1.0 - std::exp(-2.0)));
    run(rot_linear, 2, 7.0, 36.0, 0.0, 2000);
    EXPECT_DOUBLE_EQ(delta.rotation[2], 50.0);
    run(rot_sin, 0, 2.0, 0.0, 0.5, 1234);  // no frequency: a constant offset
    EXPECT_DOUBLE_EQ(delta.rotation[0], 2.0 * std::sin(0.5));
    // The node's own transform is untouched.
    EXPECT_EQ(node.coordin.position[0], 0.0);
    EXPECT_EQ(node.coordin.rotation[2], 0.0);
}

TEST_F(ActionLibrary, MoversWithAnAxisOutOfRangeChangeNothing) {
    for (int axis : {3, -1}) {
        for (ActionFunction f : {move_linear, move_sin, move_exp, rot_linear, rot_sin})
            run(f, axis, 1.0, 1.0, 1.0, 1000);
        const Action g = run(move_linear_global, axis, 1.0, 0, 0, 1000);
        const Action h = run(rot_linear_global, axis, 1.0, 1.0, 0, 1000);
        EXPECT_EQ(g.time, 0.0);  // still rewound
        EXPECT_EQ(h.time, 0.0);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(delta.position[i], 0.0);
        EXPECT_EQ(delta.rotation[i], 0.0);
        EXPECT_EQ(node.coordin.position[i], 0.0);
        EXPECT_EQ(node.coordin.rotation[i], 0.0);
    }
}

TEST_F(ActionLibrary, GlobalMoversChangeTheNodeByOneFrameAndRewind) {
    Action a(&delta, 1, true, 0.0);
    a.init(move_linear_global, 1, 2.0, 0.0, 0.0);
    a.animate(500);
    a.animate(250);
    EXPECT_DOUBLE_EQ(node.coordin.position[1], 1.5);
    EXPECT_EQ(a.time, 0.0);
    EXPECT_EQ(a.elapsed, 750.0);

    Action r(&delta, 1, true, 0.0);
    r.init(rot_linear_global, 2, 90.0, 1.0, 0.0);
    r.animate(1000);
    r.animate(0);  // the start angle is added on every run
    EXPECT_DOUBLE_EQ(node.coordin.rotation[2], 92.0);
    EXPECT_EQ(delta.rotation[2], 0.0);
}

TEST_F(ActionLibrary, DieAfterMsecComparesTheActionsOwnClock) {
    Action a(&delta, 1, true, 0.0);
    a.init(die_after_msec, 0, 5000.0, 0.0, 0.0);
    a.animate(5000);
    EXPECT_FALSE(node.dead);  // not yet greater
    a.time = 0.0;             // a rewound clock delays the deletion
    a.animate(4000);
    EXPECT_FALSE(node.dead);
    EXPECT_EQ(a.elapsed, 9000.0);
    a.animate(1001);
    EXPECT_TRUE(node.dead);
}

TEST_F(ActionLibrary, SetLightPlacesLightsOneToFiveAtTheNode) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3, 4, 5);
    LightPosition[0] = LightPosition[1] = LightPosition[2] = 0.0f;
    LightPosition[3] = 1.0f;
    auto position = [](GLenum light) {
        std::array<GLfloat, 4> p{};
        glGetLightfv(light, GL_POSITION, p.data());
        return p;
    };
    const auto light0 = position(GL_LIGHT0);
    const auto light6 = position(GL_LIGHT6);
    for (int n : {0, 6, -1}) run(set_light, n, 0, 0, 0, 0);
    EXPECT_EQ(position(GL_LIGHT0), light0);
    EXPECT_EQ(position(GL_LIGHT6), light6);
    for (int n = 1; n <= 5; ++n) {
        run(set_light, n, 0, 0, 0, 0);
        EXPECT_EQ(position(GL_LIGHT0 + n), (std::array<GLfloat, 4>{3, 4, 5, 1})) << n;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ActionLibrary, SwitchHooksSetTheirStateUnconditionally) {
    glDisable(GL_LIGHTING);
    test(1, nullptr);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    test(2, nullptr);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    test(3, nullptr);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    test(4, nullptr);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));

    glDisable(GL_LIGHTING);
    disable_light(2, nullptr);  // ends enabled whatever it found
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    disable_light(1, nullptr);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    disable_light(3, nullptr);
    disable_light(4, nullptr);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    glEnable(GL_DEPTH_TEST);
    for (int phase : {1, 3}) {
        disable_depth_test(phase, nullptr);
        EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
        disable_depth_test(phase + 1, nullptr);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    }
}

TEST_F(ActionLibrary, FaceOnTopKeepsThePlaceAndDropsRotationAndScale) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, -30);
    glRotatef(40, 0, 1, 1);
    glScalef(3, 3, 3);
    GLdouble before[16], during[16], after[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, before);
    face_on_top(1, nullptr);
    glGetDoublev(GL_MODELVIEW_MATRIX, during);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 2);
    for (int i = 0; i < 16; ++i) {
        const bool upper_left = i % 4 < 3 && i / 4 < 3;
        EXPECT_EQ(during[i], upper_left ? (i % 5 == 0 ? 1.0 : 0.0) : before[i]) << i;
    }
    face_on_top(3, nullptr);
    face_on_top(4, nullptr);
    face_on_top(2, nullptr);
    glGetDoublev(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], before[i]);
}

TEST_F(ActionLibrary, MoversThroughANodeShiftItsWholeSubtreeForOneFrame) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    CURENT_TIME = 1000;
    Object root;
    Action a(1, true, 0.0);
    a.init(move_linear, 0, 10.0, 0.0, 0.0);
    root.event.create_slot();
    root.event.add_action(a);
    root.event.send(0);
    static GLdouble seen[16];
    root.addfun([](int phase, void*) {
        if (phase == 3) glGetDoublev(GL_MODELVIEW_MATRIX, seen);
    }, nullptr);
    root.addlink(new Object);
    CURENT_TIME = 1500;
    root.draw();
    EXPECT_DOUBLE_EQ(seen[12], 5.0);
    EXPECT_EQ(root.coordin.position[0], 0.0);
    root.del();
    while (!root.finished) root.draw();
}

}  // namespace
