// A scene rebuilt in a running world (after a resize) shows its overlays
// exactly as a freshly started one does, from its first frame.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/frame_driver.h"
#include "host/random_seed.h"
#include "support/meadow_world_test.h"

namespace {

using lunabrelle::test::drawn_entries;

class OverlayRebuildTest : public lunabrelle::test::MeadowWorldTest {
protected:
    struct Seen {
        std::vector<std::string> entries;  // overlay meshes drawn
        std::vector<std::uint8_t> pixels;  // the whole frame
    };

    // Builds the scene at one fixed moment and arrangement and draws its first
    // two frames (the frame rate first shows in the second).
    Seen first_frames() {
        seed_random(3);
        clock.set(2026, 12, 5, 10, 42, 7);
        build();
        frame(0);
        frame(16);
        Seen seen{drawn_entries(overlay), std::vector<std::uint8_t>(kWidth * kHeight * 4)};
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, seen.pixels.data());
        return seen;
    }
};

TEST_F(OverlayRebuildTest, RebuiltClockCalendarAndFrameRateMatchAFreshStart) {
    conf->show_time = conf->show_calendar = conf->show_fps = true;
    conf->time_24h = false;
    const Seen fresh = first_frames();
    // Frames in between change the frame count; the clock, set back to the
    // same moment, shows the values the old holders already had.
    for (int i = 0; i < 9; ++i) frame(100);
    const Seen rebuilt = first_frames();
    EXPECT_EQ(rebuilt.entries, fresh.entries);
    EXPECT_TRUE(rebuilt.pixels == fresh.pixels);
}

}  // namespace
