// The probe as the report script runs it: its output lines and its refusals.
// Only the shape of the figures is checked, never their size.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "settings/config.h"

namespace {

struct ProbeRun {
    int status = -1;
    std::map<std::string, std::string> values;
    std::string output;
};

ProbeRun probe(const std::string& args) {
    ProbeRun run;
    FILE* pipe = popen((std::string(SAVER_PROBE) + " " + args + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);)
        if (const auto eq = line.find('='); eq != std::string::npos) run.values[line.substr(0, eq)] = line.substr(eq + 1);
    return run;
}

double number(const ProbeRun& run, const std::string& name) {
    const auto it = run.values.find(name);
    return it == run.values.end() ? -1.0 : std::stod(it->second);
}

TEST(SaverProbe, BadCommandLinesAreRefused) {
    for (const char* args : {"", "race", "fps --size 0x10", "fps --size 64", "fps --frames -3",
                             "fps --overlays all", "fps --frames", "fps --colour red", "settings"}) {
        const ProbeRun run = probe(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.output.find("saver_probe: "), std::string::npos) << args;
    }
}

TEST(SaverProbe, WritesTheSettingsItMeasuresWith) {
    const auto path = std::filesystem::temp_directory_path() / "saver-probe-test.cfg";
    ASSERT_EQ(probe("settings " + path.string() + " --overlays analog").status, 0);
    const Config read = load_config(path.string());
    std::filesystem::remove(path);
    EXPECT_TRUE(read.show_time && read.analog_clock && read.show_calendar && read.show_fps);
}

TEST(SaverProbe, MeasuringModesReportEveryFigure) {
    const ProbeRun fps = probe("fps --size 32x24 --frames 3 --warmup 2");
    ASSERT_EQ(fps.status, 0) << fps.output;
    EXPECT_EQ(fps.values.at("size"), "32x24");
    EXPECT_NE(fps.values.at("gl_renderer"), "unknown");
    for (const char* name : {"fps_finished", "fps_pipelined", "ms_per_frame_finished", "main_thread_cpu_ms_per_frame",
                             "process_cpu_ms_per_frame"})
        EXPECT_GT(number(fps, name), 0.0) << name;

    const ProbeRun first = probe("first-frame --size 32x24 --runs 3 --overlays none");
    ASSERT_EQ(first.status, 0) << first.output;
    std::istringstream times(first.values.at("first_frame_ms"));
    int count = 0;
    for (double ms; times >> ms; ++count) EXPECT_GT(ms, 0.0);
    EXPECT_EQ(count, 3);

    const ProbeRun profile = probe("profile --size 16x16 --warmup 2 --frames 2 --overlays analog");
    ASSERT_EQ(profile.status, 0) << profile.output;
    EXPECT_EQ(profile.values.at("frames"), "2");
}

}  // namespace
