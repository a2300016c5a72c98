// A stopped X server does not keep the saver from ending on SIGTERM.
#include "x11/saver_fixture.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <signal.h>
#include <sys/wait.h>

#include "x11/child_process.h"
#include "x11/window_picture.h"

namespace lunabrelle::x11 {
namespace {

class ServerLoss : public SaverOnXvfb {};

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

}  // namespace
}  // namespace lunabrelle::x11
