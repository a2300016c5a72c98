// Every command line XScreenSaver can build from lunabrelle.xml: each is read
// without error and sets the settings it names (the rest stay as in the
// settings file); and the real program, run on the root window of an Xvfb,
// takes every value of every control and ends cleanly after its frames.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <sstream>

#include "platform/x11/options.h"
#include "platform/x11/overlay_choices.h"
#include "x11/child_process.h"
#include "x11/saver_fixture.h"

namespace lunabrelle::x11 {
namespace {

struct Choice {
    std::string id;
    std::vector<std::string> args;  // what XScreenSaver adds to the command
};
using Control = std::vector<Choice>;

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// The controls of the XML: each <select>'s options, and the slider at its
// low, default and high values.
std::vector<Control> read_controls(std::string* command) {
    std::ifstream in(LUNABRELLE_XML);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string xml = bytes.str();
    std::smatch m;
    if (std::regex_search(xml, m, std::regex(R"re(<command arg="([^"]*)")re"))) *command = m[1];
    std::vector<Control> controls;
    const std::regex select(R"re(<select id="[^"]*">([\s\S]*?)</select>)re");
    const std::regex option(R"re(<option id="([^"]*)"[^>]*?(?:arg-set="([^"]*)")?\s*/>)re");
    for (auto s = std::sregex_iterator(xml.begin(), xml.end(), select); s != std::sregex_iterator(); ++s) {
        Control control;
        const std::string body = (*s)[1];
        for (auto o = std::sregex_iterator(body.begin(), body.end(), option); o != std::sregex_iterator(); ++o)
            control.push_back({(*o)[1], words((*o)[2])});
        controls.push_back(control);
    }
    const std::regex number(
        R"re(<number id="([^"]*)"[^>]*?arg="([^"]*)"[^>]*?low="(\d+)" high="(\d+)" default="(\d+)")re");
    for (auto n = std::sregex_iterator(xml.begin(), xml.end(), number); n != std::sregex_iterator(); ++n) {
        Control slider;
        for (int k : {3, 4, 5}) {
            const std::string arg = std::regex_replace(std::string((*n)[2]), std::regex("%"), std::string((*n)[k]));
            slider.push_back({std::string((*n)[1]) + "=" + std::string((*n)[k]), words(arg)});
        }
        controls.push_back(slider);
    }
    return controls;
}

// What each option promises, on settings read as `file`.
void expect_effect(const std::string& id, const Config& file, const Options& options, const Config& c) {
    static const std::map<std::string, std::function<bool(const Config&)>> effects = {
        {"clock-none", [](const Config& c) { return !c.show_time; }},
        {"clock-digital", [](const Config& c) { return c.show_time && !c.analog_clock; }},
        {"clock-analog", [](const Config& c) { return c.show_time && c.analog_clock; }},
        {"hours-12", [](const Config& c) { return !c.time_24h; }},
        {"hours-24", [](const Config& c) { return c.time_24h; }},
        {"size-big", [](const Config& c) { return c.big_clock; }},
        {"size-small", [](const Config& c) { return !c.big_clock; }},
        {"calendar-on", [](const Config& c) { return c.show_calendar; }},
        {"calendar-off", [](const Config& c) { return !c.show_calendar; }},
        {"week-sunday", [](const Config& c) { return !c.monday_first; }},
        {"week-monday", [](const Config& c) { return c.monday_first; }},
        {"fps-on", [](const Config& c) { return c.show_fps; }},
        {"fps-off", [](const Config& c) { return !c.show_fps; }},
    };
    static const std::map<std::string, std::vector<bool Config::*>> from_file = {
        {"clock-file", {&Config::show_time, &Config::analog_clock}}, {"hours-file", {&Config::time_24h}},
        {"size-file", {&Config::big_clock}},  {"calendar-file", {&Config::show_calendar}},
        {"week-file", {&Config::monday_first}}, {"fps-file", {&Config::show_fps}},
    };
    if (const auto e = effects.find(id); e != effects.end()) {
        EXPECT_TRUE(e->second(c)) << id;
    } else if (const auto f = from_file.find(id); f != from_file.end()) {
        for (bool Config::*field : f->second) EXPECT_EQ(c.*field, file.*field) << id;
    } else {
        const long delay = std::stol(id.substr(id.find('=') + 1));
        EXPECT_EQ(options.delay_us, delay) << id;
    }
}

TEST(XmlChoices, EveryCombinationIsReadAndDoesWhatItSays) {
    std::string command;
    const std::vector<Control> controls = read_controls(&command);
    ASSERT_EQ(controls.size(), 7u) << "six choices and the frame-rate slider";
    Config file;  // a settings file that differs from the defaults in every flag
    file.show_fps = true;
    file.show_time = file.analog_clock = file.time_24h = file.monday_first = true;
    file.big_clock = file.show_calendar = false;
    std::vector<std::size_t> pick(controls.size(), 0);
    int combinations = 0;
    for (bool more = true; more; ++combinations) {
        std::vector<std::string> args = words(command);
        for (std::size_t k = 0; k < controls.size(); ++k)
            for (const std::string& a : controls[k][pick[k]].args) args.push_back(a);
        const Options options = parse_options(args);
        ASSERT_EQ(options.error, "");
        EXPECT_EQ(options.target, Target::root);
        Config config = file;
        apply_overlay_choices(options, &config);
        for (std::size_t k = 0; k < controls.size(); ++k) expect_effect(controls[k][pick[k]].id, file, options, config);
        more = false;
        for (std::size_t k = 0; k < controls.size() && !more; ++k) {
            more = ++pick[k] < controls[k].size();
            if (!more) pick[k] = 0;
        }
    }
    EXPECT_EQ(combinations, 4 * 3 * 3 * 3 * 3 * 3 * 3);
}

class XmlChoicesOnXvfb : public SaverOnXvfb {};

// The real program with every value of every control (the k-th choice of
// each control in the k-th run): it draws its frames and ends with status 0.
TEST_F(XmlChoicesOnXvfb, TheHackTakesEveryValue) {
    std::string command;
    const std::vector<Control> controls = read_controls(&command);
    for (std::size_t run = 0; run < 4; ++run) {
        std::vector<std::string> args = {saver_program()};
        for (const std::string& a : words(command)) args.push_back(a);
        for (const Control& control : controls)
            for (const std::string& a : control[run % control.size()].args) args.push_back(a);
        args.insert(args.end(), {"--frames", "2"});
        const auto [status, output] = run_capture(
            args, {"DISPLAY=" + server.name, "XDG_CONFIG_HOME=" + settings.path().string(), "XSCREENSAVER_WINDOW="},
            kAppearMs);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "run " << run << ": " << output;
        EXPECT_EQ(output, "") << "run " << run;
    }
}

}  // namespace
}  // namespace lunabrelle::x11
