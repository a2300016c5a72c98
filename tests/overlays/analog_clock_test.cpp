#include <gtest/gtest.h>

#include <cmath>

#include "animation/node_hooks.h"
#include "host/frame_driver.h"
#include "overlays/analog_clock.h"
#include "scene/model.h"
#include "support/meadow_world_test.h"

namespace {

using lunabrelle::test::entry_of;
using lunabrelle::test::MeadowWorldTest;

constexpr double kDegree = 3.14159265358979323846 / 180.0;

class AnalogClockTest : public MeadowWorldTest {
protected:
    void start(int hour, int minute, int second) {
        clock.set(2026, 6, 15, hour, minute, second);
        conf->show_time = true;
        conf->analog_clock = true;
        build();
        frame(0);
    }

    Object* clock_node() const { return overlay->links.back(); }

    // Angle of hand i (1 second, 2 minute, 3 hour) in this frame's delta.
    double delta_angle(int i) const { return clock_node()->links[i]->animate.delta.rotation[2]; }

    // The hand's drawn matrix turns about z relative to the dial's.
    void expect_drawn_turn(int i, double degrees) const {
        const double* dial = clock_node()->links[0]->models[0]->modelview;
        const double* hand = clock_node()->links[i]->models[0]->modelview;
        EXPECT_NEAR(dial[0], 1.0, 1e-9);  // the overlay chain has no turns of its own
        EXPECT_NEAR(hand[0], std::cos(degrees * kDegree), 1e-6) << i;
        EXPECT_NEAR(hand[1], std::sin(degrees * kDegree), 1e-6) << i;
        EXPECT_NEAR(hand[4], -std::sin(degrees * kDegree), 1e-6) << i;
        for (int k = 12; k < 15; ++k) EXPECT_NEAR(hand[k], dial[k], 1e-9) << i;
    }
};

TEST_F(AnalogClockTest, DialAndHandsInDrawingOrder) {
    start(3, 0, 0);
    const Object* c = clock_node();
    ASSERT_EQ(c->links.size(), 4u);
    const char* entries[4] = {"ciferblat", "sec", "min", "chas"};
    for (int i = 0; i < 4; ++i) {
        const Object* n = c->links[i];
        EXPECT_EQ(entry_of(n), entries[i]);
        ASSERT_EQ(n->funs.size(), 1u);
        EXPECT_EQ(n->funs[0].fun, &disable_depth_test);
        EXPECT_EQ(n->coordin.position[0], 0.0);
        if (i == 0) {
            EXPECT_TRUE(n->animate.actions.empty());
        } else {
            ASSERT_EQ(n->animate.actions.size(), 1u);
            EXPECT_EQ(n->animate.actions[0].fun, &analog_clock_rot);
            EXPECT_EQ(n->animate.actions[0].ipar, i);
        }
    }
    const double x0 = -scena->get_x_coord(-170.0), y0 = scena->get_y_coord(-170.0);
    EXPECT_NEAR(c->coordin.position[0], x0 - 9.3, 1e-9);
    EXPECT_NEAR(c->coordin.position[1], y0 + 9.0, 1e-9);
}

TEST_F(AnalogClockTest, ThreeOClock) {
    start(3, 0, 0);
    EXPECT_EQ(delta_angle(1), 0.0);
    EXPECT_EQ(delta_angle(2), 0.0);
    EXPECT_EQ(delta_angle(3), -90.0);
    expect_drawn_turn(3, -90.0);
    expect_drawn_turn(1, 0.0);
}

TEST_F(AnalogClockTest, AfternoonHoursGoPastAFullTurn) {
    start(15, 30, 45);
    EXPECT_EQ(delta_angle(1), -270.0);
    EXPECT_EQ(delta_angle(2), -180.0);
    EXPECT_EQ(delta_angle(3), -465.0);
    expect_drawn_turn(3, -105.0);
    expect_drawn_turn(2, -180.0);
}

TEST_F(AnalogClockTest, HourHandMovesOneDegreePerTwoMinutes) {
    start(0, 59, 30);
    EXPECT_EQ(delta_angle(3), -29.0);
    EXPECT_EQ(delta_angle(2), -354.0);
    frame(30000);  // 01:00:00
    EXPECT_EQ(delta_angle(3), -30.0);
    EXPECT_EQ(delta_angle(2), 0.0);
    EXPECT_EQ(delta_angle(1), 0.0);
}

}  // namespace
