#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "animation/action.h"
#include "animation/action_library.h"
#include "animation/node_hooks.h"
#include "host/frame_driver.h"
#include "overlays/overlay_statics.h"
#include "support/meadow_world_test.h"

namespace {

using lunabrelle::test::entry_of;
using lunabrelle::test::MeadowWorldTest;

// (x of the digit node, its digit)
using Digits = std::vector<std::pair<double, std::string>>;

class FpsDisplayTest : public MeadowWorldTest {
protected:
    void SetUp() override {
        MeadowWorldTest::SetUp();
        conf->show_fps = true;
        build();
    }

    Object* fps_node() const { return overlay->links.front(); }

    Digits digits() const {
        Digits out;
        for (const Object* n : fps_node()->links) out.emplace_back(n->coordin.position[0], entry_of(n));
        return out;
    }

    // The first display, then frames spread over the next 5000 ms, the last
    // of which shows the count; two more frames clear the previous digits.
    Digits after_frames(int frames) {
        frame(1);
        for (int k = 1; k <= frames; ++k) frame(5000LL * k / frames - 5000LL * (k - 1) / frames);
        EXPECT_EQ(fps_frames, 0);
        frame(1);
        frame(1);
        return digits();
    }
};

TEST_F(FpsDisplayTest, LabelAndFirstDisplay) {
    const Object* node = fps_node();
    EXPECT_EQ(entry_of(node), "fps");
    EXPECT_NEAR(node->coordin.position[0], scena->get_x_coord(-100.0) + 5.0, 1e-12);
    EXPECT_NEAR(node->coordin.position[1], -2.5 - scena->get_y_coord(-100.0), 1e-12);
    frame(0);  // no time has passed: no display yet
    EXPECT_TRUE(node->links.empty());
    EXPECT_EQ(fps_frames, 1);
    frame(16);
    EXPECT_EQ(digits(), (Digits{{3.3, "0"}}));
    EXPECT_EQ(fps_frames, 0);
    const Object* digit = node->links[0];
    ASSERT_EQ(digit->funs.size(), 1u);
    EXPECT_EQ(digit->funs[0].fun, &disable_depth_test);
    ASSERT_EQ(digit->animate.actions.size(), 1u);
    EXPECT_EQ(digit->animate.actions[0].fun, &die_after_msec);
    EXPECT_EQ(digit->animate.actions[0].par1, 5000.0);
}

TEST_F(FpsDisplayTest, SixtyPerSecond) { EXPECT_EQ(after_frames(300), (Digits{{3.3, "0"}, {1.9, "6"}})); }

TEST_F(FpsDisplayTest, NoLeadingZeros) { EXPECT_EQ(after_frames(49), (Digits{{3.3, "9"}})); }

TEST_F(FpsDisplayTest, TenPerSecond) { EXPECT_EQ(after_frames(50), (Digits{{3.3, "0"}, {1.9, "1"}})); }

TEST_F(FpsDisplayTest, BelowOnePerSecond) { EXPECT_EQ(after_frames(4), (Digits{{3.3, "0"}})); }

TEST_F(FpsDisplayTest, ThousandPerSecondKeepsTheLastThreeDigits) {
    EXPECT_EQ(after_frames(5000), (Digits{{3.3, "0"}, {1.9, "0"}, {0.5, "0"}}));
}

TEST_F(FpsDisplayTest, OldDigitsOverlapTheNewOnlyBriefly) {
    frame(1);
    for (int k = 0; k < 99; ++k) frame(50);
    ASSERT_EQ(fps_node()->links.size(), 1u);
    frame(50);  // the second display: the old digit is still there
    EXPECT_EQ(fps_node()->links.size(), 3u);
    frame(1);
    frame(1);
    EXPECT_EQ(digits(), (Digits{{3.3, "0"}, {1.9, "2"}}));
}

// A pause of a day (or a clock set back, which the world clock sees as weeks)
// gives one display, not one per frame until the missed periods are caught up.
TEST_F(FpsDisplayTest, LongPauseGivesOneDisplay) {
    frame(1);
    for (std::int64_t pause : {86400000LL, 4294967296LL - 3600000LL}) {
        frame(pause);
        for (int k = 0; k < 60; ++k) frame(16);
        // The digits before the pause have died; at most one display since.
        EXPECT_LE(fps_node()->links.size(), 2u) << "after a pause of " << pause << " ms";
        frame(5000);
        frame(1);
        frame(1);
        EXPECT_LE(fps_node()->links.size(), 2u) << "a period later";
    }
}

}  // namespace
