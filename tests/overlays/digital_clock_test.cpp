#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animation/action.h"
#include "animation/node_hooks.h"
#include "host/frame_driver.h"
#include "overlays/digital_clock.h"
#include "support/meadow_world_test.h"

namespace {

using lunabrelle::test::count_nodes;
using lunabrelle::test::drawn_entries;
using lunabrelle::test::MeadowWorldTest;

using Shown = std::vector<std::string>;

class DigitalClockTest : public MeadowWorldTest {
protected:
    // Builds a 24- or 12-hour clock at the virtual time and draws its first frame.
    void start(bool h24, int hour, int minute, int second) {
        clock.set(2026, 12, 5, hour, minute, second);
        conf->show_time = true;
        conf->time_24h = h24;
        build();
        frame(0);
    }

    Object* clock_node() const { return overlay->links.back(); }

    // The holders under the clock node, in order (the plate comes first).
    std::vector<Object*> holders() const {
        const auto& links = clock_node()->links;
        return {links.begin() + 1, links.end()};
    }

    // Per position, the glyph entries drawn in the last frame, joined; "" blank.
    Shown shown() const {
        Shown out;
        for (const Object* holder : holders()) {
            std::string joined;
            for (const std::string& e : drawn_entries(holder)) joined += (joined.empty() ? "" : ",") + e;
            out.push_back(joined);
        }
        return out;
    }

    std::vector<size_t> glyph_counts() const {
        std::vector<size_t> out;
        for (const Object* holder : holders()) out.push_back(holder->links.size());
        return out;
    }
};

TEST_F(DigitalClockTest, TwentyFourHourLayout) {
    start(true, 0, 7, 1);
    Object* c = clock_node();
    ASSERT_EQ(c->links.size(), 6u);
    EXPECT_EQ(drawn_entries(c->links[0]), Shown{"podlozka"});
    const double xs[5] = {-6.483, -2.498, 0.0, 2.523, 6.466};
    const int selectors[5] = {1, 2, 5, 3, 4};
    for (int i = 0; i < 5; ++i) {
        const Object* h = holders()[i];
        EXPECT_DOUBLE_EQ(h->coordin.position[0], xs[i]);
        ASSERT_EQ(h->animate.actions.size(), 1u);
        EXPECT_EQ(h->animate.actions[0].fun, &digital_clock_change);
        EXPECT_EQ(h->animate.actions[0].ipar, selectors[i]);
        ASSERT_EQ(h->funs.size(), 1u);
        EXPECT_EQ(h->funs[0].fun, &disable_depth_test);
    }
    ASSERT_EQ(c->links[0]->funs.size(), 1u);
    EXPECT_EQ(c->links[0]->funs[0].fun, &disable_depth_test);
    // The whole clock is there in its first frame.
    EXPECT_EQ(shown(), (Shown{"0", "0", "dot", "0", "7"}));
    // The dying action of a glyph holds the watched quantity and its value.
    const Action& dying = holders()[0]->links[0]->animate.actions[0];
    EXPECT_EQ(dying.fun, &digital_clock_die);
    EXPECT_EQ(dying.ipar, 1);
    EXPECT_EQ(dying.ipar2, 0);
}

TEST_F(DigitalClockTest, TwentyFourHourMorningHasBlankTens) {
    start(true, 7, 30, 0);
    EXPECT_EQ(shown(), (Shown{"", "7", "", "3", "0"}));
    EXPECT_EQ(glyph_counts(), (std::vector<size_t>{1, 1, 1, 1, 1}));
}

TEST_F(DigitalClockTest, SeparatorShowsOnOddSecondsOnly) {
    start(true, 7, 30, 0);
    for (int s = 1; s <= 4; ++s) {
        frame(1000);  // every second rebuilds the separator
        EXPECT_EQ(holders()[2]->links.size(), 2u) << s;
        frame(16);
        EXPECT_EQ(shown()[2], s % 2 == 1 ? "dot" : "") << s;
        EXPECT_EQ(holders()[2]->links.size(), 1u) << s;
    }
}

TEST_F(DigitalClockTest, TwelveHourDisplays) {
    const Object* c = nullptr;
    start(false, 0, 5, 0);
    c = clock_node();
    ASSERT_EQ(c->links.size(), 7u);
    EXPECT_EQ(drawn_entries(c->links[0]), Shown{"podlozka_am"});
    EXPECT_DOUBLE_EQ(holders()[0]->coordin.position[0], 11.432);
    EXPECT_EQ(holders()[0]->animate.actions[0].ipar, 8);
    EXPECT_EQ(shown(), (Shown{"am", "1", "2", "", "0", "5"}));

    // The clock node moved by (-10, 1, 0) and a further -5.186 for the wider plate.
    const double x0 = -scena->get_x_coord(-170.0), y0 = scena->get_y_coord(-170.0);
    EXPECT_NEAR(c->coordin.position[0], x0 - 15.186, 1e-9);
    EXPECT_NEAR(c->coordin.position[1], y0 + 1.0, 1e-9);
    EXPECT_DOUBLE_EQ(c->coordin.position[2], -70.0);

    clock.set(2026, 12, 5, 12, 0, 0);
    frame(0);
    frame(0);
    EXPECT_EQ(shown(), (Shown{"pm", "1", "2", "", "0", "0"}));
    clock.set(2026, 12, 5, 13, 45, 0);
    frame(0);
    frame(0);
    EXPECT_EQ(shown(), (Shown{"pm", "", "1", "", "4", "5"}));
    clock.set(2026, 12, 5, 23, 45, 0);
    frame(0);
    frame(0);
    EXPECT_EQ(shown(), (Shown{"pm", "1", "1", "", "4", "5"}));
}

TEST_F(DigitalClockTest, NewHourDrawsOldAndNewForOneFrame) {
    start(true, 9, 59, 59);
    EXPECT_EQ(shown(), (Shown{"", "9", "dot", "5", "9"}));
    frame(1000);  // 10:00:00
    EXPECT_EQ(shown(), (Shown{"1", "9,0", "dot", "5,0", "9,0"}));
    EXPECT_EQ(glyph_counts(), (std::vector<size_t>{2, 2, 2, 2, 2}));
    frame(16);
    EXPECT_EQ(shown(), (Shown{"1", "0", "", "0", "0"}));
    EXPECT_EQ(glyph_counts(), (std::vector<size_t>{1, 1, 1, 1, 1}));
}

TEST_F(DigitalClockTest, PositionsWatchTheWholeHourAndMinute) {
    start(true, 10, 59, 58);
    frame(2000);  // 11:00:00: the hour tens stays "1" but is rebuilt
    EXPECT_EQ(glyph_counts(), (std::vector<size_t>{2, 2, 2, 2, 2}));
    EXPECT_EQ(shown(), (Shown{"1,1", "0,1", "", "5,0", "9,0"}));
    frame(60000);  // 11:01:00: both minute positions rebuild, the hours do not
    EXPECT_EQ(glyph_counts(), (std::vector<size_t>{1, 1, 1, 2, 2}));
    EXPECT_EQ(shown(), (Shown{"1", "1", "", "0,0", "0,1"}));
}

TEST_F(DigitalClockTest, ClockSetBackRebuildsAtOnce) {
    start(true, 10, 30, 15);
    clock.set(2026, 12, 5, 9, 30, 15);
    frame(0);
    EXPECT_EQ(glyph_counts(), (std::vector<size_t>{2, 2, 1, 1, 1}));
    frame(0);
    EXPECT_EQ(shown(), (Shown{"", "9", "dot", "3", "0"}));
}

TEST_F(DigitalClockTest, GlyphsDoNotPileUp) {
    start(false, 10, 58, 0);
    const int settled = count_nodes(clock_node());
    EXPECT_EQ(settled, 1 + 1 + 6 + 6);  // clock, plate, holders, one glyph each
    for (int i = 0; i < 2 * 3600 + 10; ++i) {
        frame(500);
        ASSERT_LE(count_nodes(clock_node()), settled + 6) << i;
    }
    frame(16);
    EXPECT_EQ(count_nodes(clock_node()), settled);
}

}  // namespace
