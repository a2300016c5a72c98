// The analog and digital clocks as drawn at given times of the virtual clock.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "host/frame_driver.h"
#include "host/singletons.h"
#include "scene/model.h"
#include "support/meadow_world_test.h"

namespace lunabrelle::test {
namespace {

using Shown = std::vector<std::string>;

class ClockTest : public MeadowWorldTest {
protected:
    void start(bool analog, bool h24, int hour, int minute, int second) {
        clock.set(2026, 12, 5, hour, minute, second);
        conf->show_time = true;
        conf->analog_clock = analog;
        conf->time_24h = h24;
        build();
        frame(0);
    }
    Object* clock_node() const { return overlay->links.back(); }

    // Clockwise turn in degrees of analog hand i (1 s, 2 min, 3 h)
    // against the dial, as drawn.
    double hand(int i) const {
        const double* dial = clock_node()->links.at(0)->models.at(0)->modelview;
        const double* h = clock_node()->links.at(i)->models.at(0)->modelview;
        EXPECT_NEAR(dial[0], 1.0, 1e-9);
        for (int k = 12; k < 15; ++k) EXPECT_NEAR(h[k], dial[k], 1e-9);  // one centre
        return -std::atan2(h[1], h[0]) * 180.0 / M_PI;
    }

    // Per digital position (the plate skipped), the glyphs drawn in the last
    // frame, joined; "" blank.
    Shown shown() const {
        Shown out;
        const auto& links = clock_node()->links;
        for (auto it = links.begin() + 1; it != links.end(); ++it) {
            std::string joined;
            for (const std::string& e : drawn_entries(*it)) joined += (joined.empty() ? "" : ",") + e;
            out.push_back(joined);
        }
        return out;
    }
};

TEST_F(ClockTest, AnalogHandsPointAtTheTime) {
    struct Case { int h, m, s; double hour, minute, second; };
    for (const Case& c : {Case{3, 0, 0, 90, 0, 0}, Case{15, 30, 45, 105, 180, 270}, Case{0, 59, 30, 29, 354, 180},
                          Case{1, 0, 0, 30, 0, 0}}) {
        SCOPED_TRACE(c.h * 100 + c.m);
        start(true, false, c.h, c.m, c.s);
        const auto off = [](double turn, double expected) { return std::remainder(turn - expected, 360.0); };
        EXPECT_NEAR(off(hand(3), c.hour), 0.0, 0.01);
        EXPECT_NEAR(off(hand(2), c.minute), 0.0, 0.01);
        EXPECT_NEAR(off(hand(1), c.second), 0.0, 0.01);
    }
}

TEST_F(ClockTest, DigitalDisplays) {
    struct Case { bool h24; int h, m, s; Shown shown; };
    const Case cases[] = {
        {true, 0, 7, 1, {"0", "0", "dot", "0", "7"}},     {true, 7, 30, 0, {"", "7", "", "3", "0"}},
        {false, 0, 5, 0, {"am", "1", "2", "", "0", "5"}}, {false, 12, 0, 0, {"pm", "1", "2", "", "0", "0"}},
        {false, 13, 45, 0, {"pm", "", "1", "", "4", "5"}}, {false, 23, 45, 1, {"pm", "1", "1", "dot", "4", "5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.h * 100 + c.m);
        start(false, c.h24, c.h, c.m, c.s);
        EXPECT_EQ(drawn_entries(clock_node()->links.at(0)), Shown{c.h24 ? "podlozka" : "podlozka_am"});
        EXPECT_EQ(shown(), c.shown);
    }
}

TEST_F(ClockTest, TheSeparatorBlinksAndANewHourReplacesEveryDigitInOneFrame) {
    start(false, true, 9, 59, 57);
    for (int s = 58; s <= 59; ++s) {
        frame(1000);
        frame(16);
        EXPECT_EQ(shown()[2], s % 2 == 1 ? "dot" : "") << s;
    }
    frame(1000 - 32);  // 10:00:00: old and new drawn together for one frame
    EXPECT_EQ(shown(), (Shown{"1", "9,0", "dot", "5,0", "9,0"}));
    frame(16);
    EXPECT_EQ(shown(), (Shown{"1", "0", "", "0", "0"}));
    clock.set(2026, 12, 5, 8, 30, 15);  // set back: rebuilt at once
    frame(0);
    frame(0);
    EXPECT_EQ(shown(), (Shown{"", "8", "dot", "3", "0"}));
}

TEST_F(ClockTest, GlyphsDoNotPileUpOverAnHour) {
    start(false, false, 10, 58, 0);
    const int settled = count_nodes(clock_node());
    EXPECT_EQ(settled, 1 + 1 + 6 + 6);  // clock, plate, holders, one glyph each
    for (int i = 0; i < 3600 + 10; ++i) {
        frame(1000);
        ASSERT_LE(count_nodes(clock_node()), settled + 6) << i;
    }
    frame(16);
    EXPECT_EQ(count_nodes(clock_node()), settled);
}

}  // namespace
}  // namespace lunabrelle::test
