// The overlays as drawn at given times of the virtual clock: the analog and
// digital clocks, the frame-rate counter over five seconds of it, and the
// month calendar's page.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "host/frame_driver.h"
#include "overlays/calendar.h"
#include "scene/model.h"
#include "support/meadow_world_test.h"

namespace lunabrelle::test {
namespace {

using Shown = std::vector<std::string>;

class OverlayTest : public MeadowWorldTest {
protected:
    // Builds the clock at 5 December 2026 h:m:s and draws two frames 10 ms
    // apart: the first already shows the dial or plate where the second does
    // (its set-up moves the clock node while that node is being drawn).
    void start(bool analog, bool h24, int h, int m, int s) {
        clock.set(2026, 12, 5, h, m, s);
        conf->show_time = true;
        conf->analog_clock = analog;
        conf->time_24h = h24;
        build();
        frame(0);
        const std::vector<double> first = plate();
        frame(10);
        EXPECT_EQ(plate(), first);
    }
    Object* clock_node() const { return overlay->links.back(); }
    std::vector<double> plate() const {
        const double* m = clock_node()->links.at(0)->models.at(0)->modelview;
        return {m, m + 16};
    }
    // Clockwise turn in degrees of analog hand i (1 s, 2 min, 3 h) against
    // the dial, as drawn.
    double hand(int i) const {
        const double* h = clock_node()->links.at(i)->models.at(0)->modelview;
        for (int k = 12; k < 15; ++k) EXPECT_NEAR(h[k], plate()[k], 1e-9);  // one centre
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

TEST_F(OverlayTest, HandsAndDigitsShowTheTimeAndANewHourReplacesEveryDigitInOneFrame) {
    struct Dial { int h, m, s; double hour, minute, second; };
    for (const Dial& c : {Dial{3, 0, 0, 90, 0, 0}, Dial{15, 30, 45, 105, 180, 270}, Dial{0, 59, 30, 29, 354, 180}}) {
        SCOPED_TRACE(c.h * 100 + c.m);
        start(true, false, c.h, c.m, c.s);
        const double expected[] = {c.second, c.minute, c.hour};
        for (int i = 1; i <= 3; ++i) EXPECT_NEAR(std::remainder(hand(i) - expected[i - 1], 360.0), 0.0, 0.1) << i;
    }
    struct Case { bool h24; int h, m, s; Shown shown; };
    const Case cases[] = {
        {true, 0, 7, 1, {"0", "0", "dot", "0", "7"}},
        {false, 0, 5, 0, {"am", "1", "2", "", "0", "5"}},
        {false, 12, 0, 0, {"pm", "1", "2", "", "0", "0"}},
        {false, 23, 45, 1, {"pm", "1", "1", "dot", "4", "5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.h * 100 + c.m);
        start(false, c.h24, c.h, c.m, c.s);
        EXPECT_EQ(drawn_entries(clock_node()->links.at(0)), Shown{c.h24 ? "podlozka" : "podlozka_am"});
        EXPECT_EQ(shown(), c.shown);
    }
    start(false, true, 9, 59, 58);
    frame(1000 - 10 - 16);  // 9:59:58.984
    frame(16);
    EXPECT_EQ(shown(), (Shown{"", "9", "dot", "5", "9"}));
    frame(1000);  // 10:00:00: old and new drawn together for one frame
    EXPECT_EQ(shown(), (Shown{"1", "9,0", "dot", "5,0", "9,0"}));
    frame(16);
    EXPECT_EQ(shown(), (Shown{"1", "0", "", "0", "0"}));
}

// After a pause of a day (or a clock set back, which the world clock sees as
// weeks) one display shows, not one per frame until the missed periods are
// caught up.
TEST_F(OverlayTest, FrameRateShowsTheFramesPerSecondOfTheLastFiveSecondsRightAlignedAndOnceAfterAPause) {
    using Digits = std::vector<std::pair<double, std::string>>;  // (x, digit)
    const std::pair<int, Digits> cases[] = {
        {300, {{3.3, "0"}, {1.9, "6"}}}, {49, {{3.3, "9"}}}, {50, {{3.3, "0"}, {1.9, "1"}}},
        {5000, {{3.3, "0"}, {1.9, "0"}, {0.5, "0"}}},
    };
    conf->show_fps = true;
    for (const auto& [frames, expected] : cases) {
        SCOPED_TRACE(frames);
        build();
        frame(0);
        frame(1);
        for (int k = 1; k <= frames; ++k) frame(5000LL * k / frames - 5000LL * (k - 1) / frames);
        frame(1);
        frame(1);  // the previous digits have died
        Digits digits;
        for (const Object* n : overlay->links.front()->links) digits.emplace_back(n->coordin.position[0], entry_of(n));
        EXPECT_EQ(digits, expected);
    }
    for (std::int64_t pause : {86400000LL, 4294967296LL - 3600000LL}) {
        frame(pause);
        for (int k = 0; k < 60; ++k) frame(16);
        EXPECT_LE(overlay->links.front()->links.size(), 2u) << "after a pause of " << pause << " ms";
    }
}

// The 42 cells of a page: "null" outside days 1..n starting at cell first.
Shown grid(int first, int n) {
    Shown out(Calendar::kCells, "null");
    for (int d = 1; d <= n; ++d) out[first + d - 1] = std::to_string(d);
    return out;
}

// The page of a new day replaces the old one within a frame, today marked
// right before its number, after the weekday header and the month title. The
// days: a new year, months starting on Sunday and on Monday in the Monday-first
// grid, leap days of a year by 4 and of one by 400, and a century's February.
TEST_F(OverlayTest, CalendarShowsOnlyTheNewPageOfANewDayAtOnce) {
    struct Case { bool monday; int y, m, d; int title, first, n, today; };
    for (const Case& c : {Case{false, 2026, 12, 31, 1, 5, 31, 1}, Case{true, 2026, 2, 28, 3, 6, 31, 1},
                          Case{false, 2024, 2, 28, 2, 4, 29, 29}, Case{false, 2000, 2, 28, 2, 2, 29, 29},
                          Case{true, 2100, 2, 27, 2, 0, 28, 28}}) {
        SCOPED_TRACE(c.y * 10000 + c.m * 100 + c.d);
        clock.set(c.y, c.m, c.d, 23, 59, 59, 990);
        conf->show_calendar = true;
        conf->monday_first = c.monday;
        build();
        frame(0);
        Object* changer = overlay->links.front()->links.at(1);
        frame(5);  // still the old day: nothing rebuilt
        ASSERT_EQ(changer->links.size(), 1u);
        frame(10);
        ASSERT_EQ(changer->links.size(), 2u);
        EXPECT_TRUE(changer->links[0]->dead);
        Shown page = grid(c.first, c.n);
        page.insert(page.begin() + c.first + c.today - 1, "sel");
        page.insert(page.begin(), {c.monday ? "day_rus" : "day", "m" + std::to_string(c.title)});
        EXPECT_EQ(drawn_entries(changer), page);
        frame(16);
        frame(16);
        EXPECT_EQ(changer->links.size(), 1u);  // the old page is gone
    }
}

}  // namespace
}  // namespace lunabrelle::test
