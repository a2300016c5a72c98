// The library's movers, timed deletion, the light placer and the node hooks'
// GL state.
#include <GL/gl.h>

#include <array>

#include "animation/action_library.h"
#include "animation/node_hooks.h"
#include "scene/lights.h"
#include "scene/object.h"
#include "support/gl_test.h"

namespace {

class ActionLibrary : public lunabrelle::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        Object_curent = &node;
    }
    void TearDown() override { Object_curent = nullptr; }

    // Runs fun once as an action that has run for ms milliseconds.
    Action run(ActionFunction fun, int axis, double par1, double par2, double par3, unsigned ms) {
        Action a(&delta, 1, true, 0.0);
        a.init(fun, axis, par1, par2, par3);
        a.animate(ms);
        return a;
    }
    std::array<double, 12> all() const {
        std::array<double, 12> v{};
        for (int i = 0; i < 3; ++i) {
            v[i] = delta.position[i];
            v[3 + i] = delta.rotation[i];
            v[6 + i] = node.coordin.position[i];
            v[9 + i] = node.coordin.rotation[i];
        }
        return v;
    }

    Object node;
    Coordin delta;
};

TEST_F(ActionLibrary, MoversChangeOnlyTheirAxisOfDeltaOrNode) {
    struct Case {
        ActionFunction fun;
        int axis;
        double par1, par2, par3;
        unsigned ms;
        int changed;  // index in all()
        double value;
    };
    const Case cases[] = {
        {move_linear, 0, 4.0, 0, 0, 500, 0, 2.0},        {move_sin, 2, 5.0, 3.0, 0.0, 1000, 2, 0.7056000402},
        {move_exp, 1, 10.0, -2.0, 0.0, 1000, 1, 8.6466471676}, {rot_linear, 2, 7.0, 36.0, 0.0, 2000, 5, 50.0},
        {rot_sin, 0, 2.0, 0.0, 0.5, 1234, 3, 0.9588510772}, {move_linear_global, 1, 2.0, 0, 0, 750, 7, 1.5},
        {rot_linear_global, 2, 90.0, 1.0, 0.0, 1000, 11, 91.0},
    };
    for (const Case& c : cases) {
        for (int axis : {3, -1}) EXPECT_EQ(run(c.fun, axis, 1, 1, 1, 1000).time, c.changed >= 6 ? 0.0 : 1000.0);
        EXPECT_EQ(all(), (std::array<double, 12>{})) << c.changed;  // out-of-range axes change nothing
        const Action a = run(c.fun, c.axis, c.par1, c.par2, c.par3, c.ms);
        EXPECT_EQ(a.time, c.changed >= 6 ? 0.0 : c.ms);  // the global movers rewind
        std::array<double, 12> expected{};
        expected[std::size_t(c.changed)] = c.value;
        for (std::size_t i = 0; i < 12; ++i) EXPECT_NEAR(all()[i], expected[i], 1e-9) << c.changed << " " << i;
        delta.empty();
        node.coordin.empty();
    }
}

TEST_F(ActionLibrary, DieAfterMsecComparesTheActionsOwnClock) {
    Action a(&delta, 1, true, 0.0);
    a.init(die_after_msec, 0, 5000.0, 0.0, 0.0);
    a.animate(5000);
    EXPECT_FALSE(node.dead);  // not yet greater
    a.time = 0.0;             // a rewound clock delays the deletion
    a.animate(4000);
    EXPECT_FALSE(node.dead);
    a.animate(1001);
    EXPECT_TRUE(node.dead);
}

TEST_F(ActionLibrary, SetLightPlacesLightsOneToFiveAtTheNode) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(3, 4, 5);
    LightPosition[0] = LightPosition[1] = LightPosition[2] = 0.0f;
    LightPosition[3] = 1.0f;
    auto position = [](int n) {
        std::array<GLfloat, 4> p{};
        glGetLightfv(GLenum(GL_LIGHT0 + n), GL_POSITION, p.data());
        return p;
    };
    const auto light0 = position(0), light6 = position(6);
    for (int n : {0, 6, -1, 1, 2, 3, 4, 5}) run(set_light, n, 0, 0, 0, 0);
    EXPECT_EQ(position(0), light0);
    EXPECT_EQ(position(6), light6);
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(position(n), (std::array<GLfloat, 4>{3, 4, 5, 1})) << n;
}

TEST_F(ActionLibrary, HooksSetTheirStateWhateverTheyFind) {
    using Hook = void (*)(int, void*);
    struct Step {
        Hook hook;
        int phase;
        GLenum cap;
        bool on;
    };
    const Step steps[] = {
        {test, 1, GL_LIGHTING, true},          {test, 1, GL_LIGHT1, true},
        {test, 2, GL_LIGHTING, false},         {test, 2, GL_LIGHT1, false},
        {test, 3, GL_LIGHT1, true},            {test, 4, GL_LIGHT1, false},
        {disable_light, 2, GL_LIGHTING, true}, {disable_light, 1, GL_LIGHTING, false},
        {disable_depth_test, 1, GL_DEPTH_TEST, false},
        {disable_depth_test, 2, GL_DEPTH_TEST, true}, {disable_depth_test, 3, GL_DEPTH_TEST, false},
        {disable_depth_test, 4, GL_DEPTH_TEST, true},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].on ? glDisable(steps[i].cap) : glEnable(steps[i].cap);
        steps[i].hook(steps[i].phase, nullptr);
        EXPECT_EQ(bool(glIsEnabled(steps[i].cap)), steps[i].on) << "step " << i;
    }
}

TEST_F(ActionLibrary, FaceOnTopKeepsThePlaceAndDropsRotationAndScale) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, -30);
    glRotatef(40, 0, 1, 1);
    glScalef(3, 3, 3);
    GLdouble before[16], during[16], after[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, before);
    face_on_top(1, nullptr);
    glGetDoublev(GL_MODELVIEW_MATRIX, during);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(during[i], i % 4 < 3 && i / 4 < 3 ? (i % 5 == 0 ? 1.0 : 0.0) : before[i]) << i;
    for (int phase : {3, 4, 2}) face_on_top(phase, nullptr);
    glGetDoublev(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], before[i]);
}

}  // namespace
