// The options XScreenSaver passes to every hack, and the run's overlay
// choices, as the command line reads them.
#include <gtest/gtest.h>

#include "platform/x11/options.h"
#include "platform/x11/overlay_choices.h"
#include "platform/x11/visual_request.h"

namespace lunabrelle::x11 {
namespace {

TEST(HackOptions, EveryStandardHackOptionIsAccepted) {
    const std::vector<std::vector<std::string>> lines = {
        {"-root"}, {"-window"}, {"-window-id", "0x400007"}, {"-display", ":3"}, {"-visual", "default"},
        {"-visual", "best"}, {"-visual", "0x21"}, {"-visual", "TrueColor"}, {"-install"}, {"-noinstall"},
        {"-geometry", "800x600+10+20"}, {"-geometry", "640x480"}, {"-delay", "30000"}, {"-fps"}, {"-no-fps"},
        {"-mono"}, {"-sync"}, {"-pair"}, {"-fg", "white"}, {"-bg", "#000000"}, {"-foreground", "red"},
        {"-background", "blue"}, {"-xrm", "*delay: 10"}, {"-name", "lunabrelle"}, {"-title", "Meadow"},
        {"-help"}, {"-version"}, {"-delay=0"}, {"-geometry=320x200-0-0"}};
    for (const auto& line : lines) {
        SCOPED_TRACE(line[0]);
        EXPECT_EQ(parse_options(line).error, "");
        std::vector<std::string> two_dashes = line;
        two_dashes[0] = "-" + two_dashes[0];
        EXPECT_EQ(parse_options(two_dashes).error, "");
    }
}

TEST(HackOptions, ValuesAreReadAndBadOnesRefused) {
    Options o = parse_options({"-delay", "33333", "-geometry", "800x600-5+7", "-title", "T", "-frames", "3"});
    EXPECT_EQ(o.delay_us, 33333);
    EXPECT_EQ(o.frames, 3);
    EXPECT_EQ(o.title, "T");
    EXPECT_TRUE(o.geometry.has_size && o.geometry.has_position && o.geometry.x_from_right);
    EXPECT_EQ(o.geometry.width, 800u);
    EXPECT_EQ(o.geometry.y, 7);
    EXPECT_EQ(parse_options({}).delay_us, 16667);  // 60 frames a second
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"-delay"}, {"-delay", "-5"}, {"-delay", "1e3"},
                                               {"-delay", "10000001"}, {"-geometry", "800"},
                                               {"-geometry", "0x600"}, {"-geometry", "800x600junk"},
                                               {"-fg"}, {"-clock", "sundial"}, {"-hours", "13"},
                                               {"-clock-size", "huge"}, {"-week-starts", "friday"},
                                               {"-calendar=1"}, {"-frames", "x"}})
        EXPECT_NE(parse_options(bad).error, "") << bad[0] << (bad.size() > 1 ? " " + bad[1] : "");
}

TEST(HackOptions, OverlayChoicesOverrideOnlyWhatTheyName) {
    Config config;  // defaults: digital 12-hour big clock, calendar from Sunday, no frame rate
    config.monday_first = true;
    apply_overlay_choices(parse_options({"-clock", "analog", "-no-calendar", "-fps", "-hours", "24"}), &config);
    EXPECT_TRUE(config.show_time && config.analog_clock && config.time_24h && config.show_fps);
    EXPECT_FALSE(config.show_calendar);
    EXPECT_TRUE(config.monday_first);  // not named: as the file had it
    EXPECT_TRUE(config.big_clock);
    apply_overlay_choices(parse_options({"-clock", "none", "-clock-size", "small", "-week-starts", "sunday"}),
                          &config);
    EXPECT_FALSE(config.show_time || config.big_clock || config.monday_first);
    EXPECT_TRUE(config.analog_clock);  // -clock none keeps the style for another run
}

TEST(HackOptions, AVisualIsUsedWhenOpenGlCanDrawInIt) {
    FbConfigTraits gl;
    gl.visual_id = 0x21;
    gl.visual_depth = 24;
    gl.true_color = gl.rgba = gl.window_bit = gl.double_buffered = true;
    gl.red = gl.green = gl.blue = 8;
    gl.depth = 24;
    FbConfigTraits other = gl;
    other.visual_id = 0x22;
    FbConfigTraits pixmap_only = gl;
    pixmap_only.visual_id = 0x40;
    pixmap_only.window_bit = false;
    const std::vector<FbConfigTraits> configs = {gl, other, pixmap_only};
    std::string note;
    EXPECT_EQ(choose_requested_config(configs, 24, "0x22", &note), 1);
    EXPECT_EQ(choose_requested_config(configs, 24, "34", &note), 1);
    EXPECT_EQ(note, "");
    for (const char* refused : {"0x40", "0x99", "StaticGray"}) {
        note.clear();
        EXPECT_EQ(choose_requested_config(configs, 24, refused, &note), choose_own_window_config(configs, 24));
        EXPECT_NE(note, "") << refused;
    }
}

}  // namespace
}  // namespace lunabrelle::x11
