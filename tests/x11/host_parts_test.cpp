// The X11 host's parts that need no display: its command line (every option
// XScreenSaver passes a hack, every command lunabrelle.xml can build), its
// pacing and its choice of GL configuration.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "platform/x11/fb_config_choice.h"
#include "platform/x11/frame_clock.h"
#include "platform/x11/options.h"
#include "platform/x11/overlay_choices.h"
#include "platform/x11/visual_request.h"
#include "support/process.h"

namespace lunabrelle::x11 {
namespace {

using Args = std::vector<std::string>;

TEST(Options, TargetsWindowIdsValuesAndEveryStandardHackOptionInEitherSpelling) {
    const struct { Args args; Target target; unsigned long id; bool fps; } cases[] = {
        {{}, Target::own_window, 0, false}, {{"-root", "--fps"}, Target::root, 0, true},
        {{"-window", "-root"}, Target::root, 0, false},
        {{"-window-id", "0x1200007", "-root"}, Target::window_id, 0x1200007, false},
        {{"--window-id=0x400001"}, Target::window_id, 0x400001, false},
        {{"-window-id", "4294967295"}, Target::window_id, 0xFFFFFFFF, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "" : c.args.back());
        const Options o = parse_options(c.args);
        EXPECT_EQ(o.error, "");
        EXPECT_EQ(o.target, c.target);
        EXPECT_EQ(o.window_id, c.id);
        EXPECT_EQ(o.show_fps.value_or(false), c.fps);
    }
    for (const Args& line : std::vector<Args>{
             {"-display", ":3"}, {"-visual", "0x21"}, {"-install"}, {"-mono"}, {"-sync"}, {"-fg", "white"},
             {"-background", "blue"}, {"-xrm", "*delay: 10"}, {"-version"}, {"-geometry=320x200-0-0"}})
        EXPECT_EQ(parse_options(line).error, "") << line[0];
    EXPECT_EQ(parse_options({"--display=:3.0"}).display, ":3.0");
    const Options o = parse_options({"-geometry", "800x600-5+7", "-frames", "3"});
    EXPECT_EQ(o.frames, 3);
    EXPECT_TRUE(o.geometry.has_size && o.geometry.has_position && o.geometry.x_from_right);
    EXPECT_EQ(o.geometry.width * 10000 + o.geometry.y, 8000007u);
}

TEST(Options, RefusesWhatCannotBeMeant) {
    for (const char* bad : {"", "0", "12ab", "0xfg", "4294967296", "99999999999999999999999"})
        EXPECT_NE(parse_options({"-window-id", bad}).error, "") << '"' << bad << '"';
    for (const Args& bad : std::vector<Args>{
             {"-window-id"}, {"-display"}, {"-bogus"}, {"-"}, {"-root=1"}, {"-delay", "-5"}, {"-delay", "10000001"},
             {"-geometry", "800"}, {"-geometry", "0x600"}, {"-geometry", "800x600junk"}, {"-fg"}, {"-frames", "x"},
             {"-clock", "sundial"}, {"-hours", "13"}, {"-clock-size", "huge"}, {"-week-starts", "friday"}})
        EXPECT_NE(parse_options(bad).error, "") << bad[0] << (bad.size() > 1 ? " " + bad[1] : "");
    EXPECT_NE(parse_options({"-fps", "-nope"}).error.find("-nope"), std::string::npos);
}

// Each choice lunabrelle.xml offers makes a command line that is read without
// error and sets what the choice names and nothing else; a choice "as in the
// settings file" keeps the file's settings. The slider's values are delays.
TEST(Options, EveryChoiceOfTheXmlDoesWhatItSays) {
    const std::string xml = test::read_text(LUNABRELLE_XML);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(xml, m, std::regex(R"re(<command arg="([^"]*)")re")));
    const std::string command = m[1];
    const auto line = [&](const std::string& choice) {
        Args args;
        std::istringstream words(command + " " + choice);
        for (std::string w; words >> w;) args.push_back(w);
        return parse_options(args);
    };
    using F = bool Config::*;
    const F time = &Config::show_time, analog = &Config::analog_clock, h24 = &Config::time_24h,
            big = &Config::big_clock, calendar = &Config::show_calendar, monday = &Config::monday_first,
            fps = &Config::show_fps;
    const std::map<std::string, std::vector<std::pair<F, bool>>> effects = {
        {"clock-none", {{time, false}}}, {"clock-digital", {{time, true}, {analog, false}}},
        {"clock-analog", {{time, true}, {analog, true}}}, {"hours-12", {{h24, false}}}, {"hours-24", {{h24, true}}},
        {"size-big", {{big, true}}}, {"size-small", {{big, false}}}, {"calendar-on", {{calendar, true}}},
        {"calendar-off", {{calendar, false}}}, {"week-sunday", {{monday, false}}}, {"week-monday", {{monday, true}}},
        {"fps-on", {{fps, true}}}, {"fps-off", {{fps, false}}}};
    Config file;  // differs from the defaults in every flag
    file.show_fps = file.show_time = file.analog_clock = file.time_24h = file.monday_first = true;
    file.big_clock = file.show_calendar = false;
    const std::regex option(R"re(<option id="([^"]*)"[^>]*?(?:arg-set="([^"]*)")?\s*/>)re");
    int choices = 0;
    for (std::sregex_iterator o(xml.begin(), xml.end(), option), e; o != e; ++o, ++choices) {
        const std::string id = (*o)[1];
        SCOPED_TRACE(id);
        const Options options = line((*o)[2]);
        ASSERT_EQ(options.error, "");
        EXPECT_EQ(options.target, Target::root);
        const auto effect = effects.find(id);
        ASSERT_TRUE(effect != effects.end() || id.ends_with("-file"));
        Config expected = file, config = file;
        if (effect != effects.end())
            for (const auto& [field, value] : effect->second) expected.*field = value;
        apply_overlay_choices(options, &config);
        for (const F field : {time, analog, h24, big, calendar, monday, fps}) EXPECT_EQ(config.*field, expected.*field);
    }
    EXPECT_EQ(choices, 4 + 3 * 5);
    const std::regex slider(
        R"re(<number id="delay"[^>]*?arg="([^%]*)%"[^>]*?low="(\d+)" high="(\d+)" default="(\d+)")re");
    ASSERT_TRUE(std::regex_search(xml, m, slider));
    for (int k : {2, 3, 4}) EXPECT_EQ(std::to_string(line(m.str(1) + m.str(k)).delay_us), m.str(k));
}

TEST(FrameClock, KeepsItsGridThroughSmallDelaysAndSkipsAfterAStall) {
    constexpr std::int64_t kMs = 1'000'000;
    FrameClock clock;
    clock.period_ns = 16 * kMs;
    clock.start(0);
    for (int i = 0; i < 100; ++i) clock.advance(clock.deadline_ns + 3 * kMs);  // every tick 3 ms late
    EXPECT_EQ(clock.deadline_ns, 100 * 16 * kMs);
    clock.advance(5000 * kMs);  // a stall: no burst after it
    EXPECT_EQ(clock.deadline_ns, 5016 * kMs);
}

// An RGB 8-8-8 configuration that can draw in a window.
FbConfigTraits config(unsigned long visual, int visual_depth, bool doubled, int depth, int alpha = 0) {
    return {visual, visual_depth, true, true, true, doubled, false, 8, 8, 8, alpha, depth};
}

TEST(FbConfigChoice, AGivenWindowKeepsItsVisualAnOwnOneAvoidsAlphaAndARequestedOneMustDrawInGl) {
    // The given window's visual, not an equal one elsewhere; double-buffered first.
    std::vector<FbConfigTraits> configs = {config(0x21, 24, true, 24), config(0x22, 24, false, 24),
                                           config(0x22, 24, true, 24)};
    EXPECT_EQ(choose_config_for_visual(configs, 0x22), 2);
    EXPECT_EQ(choose_config_for_visual(configs, 0x99), -1);

    // A 32-bit visual would let a compositor show through the cleared alpha.
    configs = {config(0x50, 32, true, 24, 8), config(0x21, 24, false, 24), config(0x22, 24, true, 24)};
    EXPECT_EQ(choose_own_window_config(configs, 24), 2);
    std::string note;
    EXPECT_EQ(choose_requested_config(configs, 24, "0x21", &note), 1);
    EXPECT_EQ(note, "");
    configs[1].window_bit = false;
    for (const char* refused : {"0x21", "StaticGray"}) {
        note.clear();
        EXPECT_EQ(choose_requested_config(configs, 24, refused, &note), 2);
        EXPECT_NE(note, "") << refused;
    }
}

}  // namespace
}  // namespace lunabrelle::x11
