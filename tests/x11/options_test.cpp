#include "platform/x11/options.h"

#include <gtest/gtest.h>

namespace lunabrelle::x11 {
namespace {

Options parse(std::vector<std::string> args) { return parse_options(args); }

TEST(Options, NoArgumentsDrawInAWindowOfItsOwn) {
    const Options o = parse({});
    EXPECT_TRUE(o.error.empty());
    EXPECT_EQ(o.target, Target::own_window);
    EXPECT_FALSE(o.show_fps);
    EXPECT_FALSE(o.help);
}

TEST(Options, OneAndTwoDashesAreTheSameOption) {
    EXPECT_EQ(parse({"-root"}).target, Target::root);
    EXPECT_EQ(parse({"--root"}).target, Target::root);
    EXPECT_TRUE(parse({"-fps"}).show_fps);
    EXPECT_TRUE(parse({"--fps"}).show_fps);
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"-help"}).help);
    EXPECT_TRUE(parse({"--settings"}).settings);
    EXPECT_FALSE(parse({"--settings=yes"}).error.empty());
}

TEST(Options, WindowIdWinsOverRootWhichWinsOverAWindowOfItsOwn) {
    Options o = parse({"-window-id", "0x1200007", "-root"});
    EXPECT_EQ(o.target, Target::window_id);
    EXPECT_EQ(o.window_id, 0x1200007ul);
    o = parse({"--root", "--window-id", "42"});
    EXPECT_EQ(o.target, Target::window_id);
    EXPECT_EQ(o.window_id, 42ul);
    EXPECT_EQ(parse({"-window", "-root"}).target, Target::root);
    EXPECT_EQ(parse({"-root", "-window"}).target, Target::root);
}

TEST(Options, WindowIdIsDecimalOrHexadecimal) {
    EXPECT_EQ(parse({"-window-id", "2097159"}).window_id, 2097159ul);
    EXPECT_EQ(parse({"-window-id", "0x200007"}).window_id, 0x200007ul);
    EXPECT_EQ(parse({"-window-id", "0X2aBc"}).window_id, 0x2abcul);
    EXPECT_EQ(parse({"--window-id=0x400001"}).window_id, 0x400001ul);
}

TEST(Options, BadWindowIdsAreRefused) {
    for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", " 5", "5 ", "12ab", "0xfg", "4294967296",
                            "0x100000000", "99999999999999999999999"})
        EXPECT_FALSE(parse({"-window-id", bad}).error.empty()) << '"' << bad << '"';
    EXPECT_FALSE(parse({"-window-id"}).error.empty());
}

TEST(Options, UnknownOptionsAndStrayArgumentsAreErrors) {
    EXPECT_FALSE(parse({"-bogus"}).error.empty());
    EXPECT_FALSE(parse({"---root"}).error.empty());
    EXPECT_FALSE(parse({"root"}).error.empty());
    EXPECT_FALSE(parse({"-"}).error.empty());
    EXPECT_FALSE(parse({"--"}).error.empty());
    EXPECT_FALSE(parse({"-root=1"}).error.empty());
    EXPECT_NE(parse({"-fps", "-nope"}).error.find("-nope"), std::string::npos);
}

TEST(Options, DisplayTakesAName) {
    EXPECT_EQ(parse({"-display", ":7"}).display, ":7");
    EXPECT_EQ(parse({"--display=:3.0"}).display, ":3.0");
    EXPECT_FALSE(parse({"-display"}).error.empty());
}

TEST(Options, UsageNamesEveryOption) {
    const std::string text = usage("lunabrelle");
    for (const char* option : {"-root", "-window-id", "-window", "-fps", "-display", "-settings", "-help"})
        EXPECT_NE(text.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace lunabrelle::x11
