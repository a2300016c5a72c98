#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/config.h"
#include "support/overlay_settings.h"

namespace {

using lunabrelle::bench::Overlays;

TEST(OverlaySettings, NamesRoundTripAndStrangersAreRefused) {
    for (Overlays o : {Overlays::none, Overlays::digital, Overlays::analog}) {
        Overlays parsed = Overlays::none;
        ASSERT_TRUE(lunabrelle::bench::parse_overlays(lunabrelle::bench::overlays_name(o), &parsed));
        EXPECT_EQ(parsed, o);
    }
    Overlays untouched = Overlays::analog;
    for (const char* bad : {"", "Digital", "all", "digital ", "analogue"})
        EXPECT_FALSE(lunabrelle::bench::parse_overlays(bad, &untouched)) << bad;
    EXPECT_EQ(untouched, Overlays::analog);
}

// What the saver reads back is what the measurements claim to draw.
TEST(OverlaySettings, WrittenFileSwitchesTheChosenOverlays) {
    struct Case {
        Overlays overlays;
        bool shown;
        bool analog;
    };
    for (const Case c : {Case{Overlays::none, false, false}, Case{Overlays::digital, true, false},
                         Case{Overlays::analog, true, true}}) {
        const std::string path = lunabrelle::bench::temporary_overlay_settings(c.overlays);
        ASSERT_FALSE(path.empty());
        const Config read = load_config(path);
        std::filesystem::remove(path);
        EXPECT_EQ(read.show_time, c.shown);
        EXPECT_EQ(read.show_calendar, c.shown);
        EXPECT_EQ(read.show_fps, c.shown);
        EXPECT_EQ(read.analog_clock, c.analog);
        EXPECT_EQ(read.big_clock, Config().big_clock) << "other choices keep their defaults";
    }
}

TEST(OverlaySettings, UnwritableFolderIsReported) {
    EXPECT_FALSE(lunabrelle::bench::write_overlay_settings(Overlays::digital, "/dev/null/x.cfg"));
}

}  // namespace
