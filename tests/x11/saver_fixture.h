// An end-to-end test of the lunabrelle program: an Xvfb of its own, the
// program of the build tree started on it with an empty settings folder, and
// everything stopped at the end. Fails where Xvfb is not installed or the
// build tree has no archives yet.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "x11/xvfb_server.h"

namespace lunabrelle::x11 {

// Generous bounds: a sanitizer build on a loaded machine may take a minute
// for its first frame (archives read, textures built, shaders compiled).
constexpr int kAppearMs = 120000;
constexpr int kStopMs = 30000;

// The build tree holding lunabrelle ($LUNABRELLE_BUILD_DIR).
std::string build_dir();
std::string saver_program();

class SaverOnXvfb : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts lunabrelle with args on the server; env changes the environment
    // as spawn_process does ($XSCREENSAVER_WINDOW is removed unless given).
    pid_t start_saver(const std::vector<std::string>& args, const std::vector<std::string>& env = {});

    // Waits for the saver to end; its exit status, or -1 when it did not end
    // within kStopMs (it is then killed).
    int wait_for_exit(pid_t pid);

    // Waits until the scene fills the window: at least half its pixels lit
    // (the meadow's background plate covers the whole view).
    bool shows_scene(unsigned long window);

    // Waits until at least half the pixels of the rectangle are lit.
    bool shows_scene_in(unsigned long window, int x, int y, int width, int height);

    XvfbServer server;
    test::TempFolder settings;
    std::vector<pid_t> savers;
    int screen_width = 1600;
    int screen_height = 1000;
};

std::string hex_id(unsigned long window);

}  // namespace lunabrelle::x11
