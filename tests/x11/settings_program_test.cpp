// lunabrelle-settings, the dialog program, on an Xvfb of its own.
// gtest comes before the X headers, whose None macro it would otherwise meet.
#include "x11/saver_fixture.h"

#include <signal.h>

#include <filesystem>

#include "x11/child_process.h"
#include "x11/window_picture.h"

namespace lunabrelle::x11 {
namespace {

using SettingsProgram = SaverOnXvfb;

// A signal to end (logout, Ctrl-C) cancels: status 0, nothing written.
TEST_F(SettingsProgram, EveryEndSignalCancels) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        const pid_t pid = spawn_process({build_dir() + "/lunabrelle-settings"},
                                        {"DISPLAY=" + server.name, "XDG_CONFIG_HOME=" + settings.path().string(),
                                         "NO_AT_BRIDGE=1", "GSETTINGS_BACKEND=memory"});
        ASSERT_GT(pid, 0);
        savers.push_back(pid);
        EXPECT_TRUE(eventually(kAppearMs, [&] { return find_named_window(server.display, "Lunabrelle Settings") != 0; }));
        kill(pid, signal);
        EXPECT_EQ(wait_for_exit(pid), 0);
        EXPECT_FALSE(std::filesystem::exists(settings.file("quorvix_lunabrelle.cfg")));
    }
}

}  // namespace
}  // namespace lunabrelle::x11
