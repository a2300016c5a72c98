#include "x11/saver_fixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/x11/archive_check.h"
#include "x11/child_process.h"
#include "x11/window_picture.h"

namespace lunabrelle::x11 {

std::string build_dir() {
    const char* dir = std::getenv("LUNABRELLE_BUILD_DIR");
    return dir != nullptr ? dir : ".";
}

std::string saver_program() { return build_dir() + "/lunabrelle"; }

std::string hex_id(unsigned long window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

void SaverOnXvfb::SetUp() {
    // A missing prerequisite fails: an end-to-end test that cannot run has
    // tested nothing.
    ASSERT_EQ(check_archives(build_dir() + "/resources"), "") << "the build tree's archives are not all made";
    std::string why;
    ASSERT_TRUE(server.start(screen_width, screen_height, &why)) << why;
}

void SaverOnXvfb::TearDown() {
    for (pid_t pid : savers) stop_process(pid, kStopMs);
}

pid_t SaverOnXvfb::start_saver(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    std::vector<std::string> argv = {saver_program()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> environment = {"DISPLAY=" + server.name, "XDG_CONFIG_HOME=" + settings.path().string(),
                                            "XSCREENSAVER_WINDOW="};
    environment.insert(environment.end(), env.begin(), env.end());
    const pid_t pid = spawn_process(argv, environment);
    if (pid > 0) savers.push_back(pid);
    return pid;
}

int SaverOnXvfb::wait_for_exit(pid_t pid) {
    int status = 0;
    const bool ended = wait_process(pid, kStopMs, &status);
    std::erase(savers, pid);
    if (!ended) {
        stop_process(pid, 1000);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool SaverOnXvfb::shows_scene(unsigned long window) {
    const auto [width, height] = window_size(server.display, window);
    return width > 0 && shows_scene_in(window, 0, 0, width, height);
}

bool SaverOnXvfb::shows_scene_in(unsigned long window, int x, int y, int width, int height) {
    const long half = long(width) * height / 2;
    return eventually(kAppearMs, [&] { return lit_pixels(server.display, window, x, y, width, height) > half; });
}

}  // namespace lunabrelle::x11
