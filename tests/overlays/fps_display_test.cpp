// The frame-rate counter: frames counted over five seconds of the virtual clock.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/frame_driver.h"
#include "host/singletons.h"
#include "overlays/overlay_statics.h"
#include "support/meadow_world_test.h"

namespace lunabrelle::test {
namespace {

using Digits = std::vector<std::pair<double, std::string>>;  // (x, digit)

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
};

TEST_F(FpsDisplayTest, ShowsTheFramesPerSecondOfTheLastFiveSeconds) {
    const std::pair<int, Digits> cases[] = {
        {300, {{3.3, "0"}, {1.9, "6"}}}, {49, {{3.3, "9"}}}, {50, {{3.3, "0"}, {1.9, "1"}}},
        {4, {{3.3, "0"}}},               {5000, {{3.3, "0"}, {1.9, "0"}, {0.5, "0"}}},
    };
    for (const auto& [frames, expected] : cases) {
        SCOPED_TRACE(frames);
        build();
        frame(0);  // no time has passed: nothing shown yet
        EXPECT_TRUE(fps_node()->links.empty());
        frame(1);
        EXPECT_EQ(digits(), (Digits{{3.3, "0"}}));
        for (int k = 1; k <= frames; ++k) frame(5000LL * k / frames - 5000LL * (k - 1) / frames);
        EXPECT_EQ(fps_frames, 0);
        frame(1);
        frame(1);  // the previous digits have died
        EXPECT_EQ(digits(), expected);
    }
}

// A pause of a day (or a clock set back, which the world clock sees as weeks)
// gives one display, not one per frame until the missed periods are caught up.
TEST_F(FpsDisplayTest, LongPauseGivesOneDisplay) {
    frame(1);
    for (std::int64_t pause : {86400000LL, 4294967296LL - 3600000LL}) {
        frame(pause);
        for (int k = 0; k < 60; ++k) frame(16);
        EXPECT_LE(fps_node()->links.size(), 2u) << "after a pause of " << pause << " ms";
        frame(5000);
        frame(1);
        frame(1);
        EXPECT_LE(fps_node()->links.size(), 2u) << "a period later";
    }
}

}  // namespace
}  // namespace lunabrelle::test
