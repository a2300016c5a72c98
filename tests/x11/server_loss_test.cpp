// The X server going away or stopping under the saver: it ends cleanly.
#include "x11/saver_fixture.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "x11/child_process.h"
#include "x11/window_picture.h"

namespace lunabrelle::x11 {
namespace {

class ServerLoss : public SaverOnXvfb {
protected:
    void SetUp() override {
        ASSERT_TRUE(XvfbServer::installed()) << "Xvfb is needed";
        SaverOnXvfb::SetUp();
    }
};

// A stopped server answers nothing; SIGTERM still ends the saver, with status 0.
TEST_F(ServerLoss, ASigtermEndsItWhileTheServerIsStopped) {
    const pid_t pid = start_saver({});
    Window window = 0;
    eventually(kAppearMs, [&] { return (window = find_named_window(server.display, "Lunabrelle")) != 0; });
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(shows_scene(window));
    // The own window names its process (with the machine), so a window manager can end it.
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(server.display, window, XInternAtom(server.display, "_NET_WM_PID", False), 0, 1, False,
                       XA_CARDINAL, &type, &format, &items, &after, &data);
    ASSERT_EQ(items, 1u);
    EXPECT_EQ(*reinterpret_cast<unsigned long*>(data), static_cast<unsigned long>(pid));
    XFree(data);

    kill(server.pid, SIGSTOP);
    kill(pid, SIGTERM);
    int status = 0;
    const bool ended = wait_process(pid, 15000, &status);
    kill(server.pid, SIGCONT);
    ASSERT_TRUE(ended) << "the saver waited on the stopped server";
    std::erase(savers, pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// The server killed while the saver sets up GLX, again and again: never a crash.
TEST_F(ServerLoss, TheServerDyingDuringSetUpEndsItCleanly) {
    for (int round = 0; round < 12; ++round) {
        XvfbServer doomed;
        std::string why;
        ASSERT_TRUE(doomed.start(640, 480, &why)) << why;
        XCloseDisplay(doomed.display);  // the test's own connection must not see the server go
        doomed.display = nullptr;
        const pid_t pid = spawn_process({saver_program()}, {"DISPLAY=" + doomed.name, "XSCREENSAVER_WINDOW=",
                                                            "XDG_CONFIG_HOME=" + settings.path().string()});
        ASSERT_GT(pid, 0);
        usleep(10000 + 20000 * round);  // from before the connection to well into GLX set-up
        kill(doomed.pid, SIGKILL);
        int status = 0;
        const bool ended = wait_process(pid, kStopMs, &status);
        if (!ended) stop_process(pid, 1000);
        ASSERT_TRUE(ended) << "round " << round;
        EXPECT_FALSE(WIFSIGNALED(status)) << "round " << round << ": signal " << WTERMSIG(status);
    }
}

}  // namespace
}  // namespace lunabrelle::x11
