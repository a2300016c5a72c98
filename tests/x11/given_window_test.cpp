// lunabrelle in a window handed over by a screen-saver host: through
// $XSCREENSAVER_WINDOW, -window-id, the virtual root and the root.
// gtest comes before the X headers, whose None macro it would otherwise meet.
#include "x11/saver_fixture.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "x11/window_picture.h"

namespace lunabrelle::x11 {
namespace {

using GivenWindow = SaverOnXvfb;

long event_masks(Display* display, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) return -1;
    return attributes.all_event_masks;
}

// Once the window it was given is gone, the saver finishes its world in a
// window of its own, never shown, and ends.
TEST_F(GivenWindow, DrawsInTheScreenSaversWindowAndEndsWhenItIsDestroyed) {
    const Window window = make_window(server.display, 640, 480, nullptr, 0, true);
    const Window root = DefaultRootWindow(server.display);
    const pid_t pid = start_saver({"-root"}, {"XSCREENSAVER_WINDOW=" + hex_id(window)});
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(shows_scene(window));
    EXPECT_EQ(event_masks(server.display, window), StructureNotifyMask);  // only watched
    XSelectInput(server.display, root, SubstructureNotifyMask);
    XDestroyWindow(server.display, window);
    XSync(server.display, False);
    EXPECT_EQ(wait_for_exit(pid), 0);
    XSync(server.display, False);
    int created = 0, mapped = 0, destroyed = 0;
    XEvent event;
    while (XCheckMaskEvent(server.display, SubstructureNotifyMask, &event)) {
        created += event.type == CreateNotify;
        mapped += event.type == MapNotify;
        destroyed += event.type == DestroyNotify && event.xdestroywindow.window != window;
    }
    EXPECT_EQ(created, 1) << "a stand-in window";
    EXPECT_EQ(mapped, 0);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(GivenWindow, WindowIdWinsOverTheVariableAndRootAndAOneSidedResizeIsFollowed) {
    const Window named = make_window(server.display, 320, 240, nullptr, 0, true);
    const Window other = make_window(server.display, 320, 240, nullptr, 0, true);
    XMoveWindow(server.display, other, 400, 0);
    const pid_t pid =
        start_saver({"--root", "-window-id", std::to_string(named)}, {"XSCREENSAVER_WINDOW=" + hex_id(other)});
    EXPECT_TRUE(shows_scene(named));
    EXPECT_EQ(lit_pixels(server.display, other), 0);
    EXPECT_EQ(event_masks(server.display, other), 0);
    XResizeWindow(server.display, named, 320, 480);  // taller only
    XSync(server.display, False);
    EXPECT_TRUE(shows_scene_in(named, 0, 0, 320, 480 - 240));
    kill(pid, SIGINT);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(GivenWindow, IsNeverMappedByTheSaver) {
    const Window window = make_window(server.display, 320, 240, nullptr, 0, false);
    const pid_t pid = start_saver({"-window-id", hex_id(window)});
    ASSERT_TRUE(eventually(kAppearMs, [&] { return event_masks(server.display, window) == StructureNotifyMask; }));
    usleep(500000);
    XWindowAttributes attributes;
    ASSERT_NE(XGetWindowAttributes(server.display, window, &attributes), 0);
    EXPECT_EQ(attributes.map_state, IsUnmapped);
    XMapWindow(server.display, window);  // mapped by its owner: the scene was drawn all along
    XSync(server.display, False);
    EXPECT_TRUE(shows_scene(window));
    kill(pid, SIGHUP);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

// A single-buffered RGB visual of the display, 0 for none. Asked in a child
// process: GLX loads Mesa's driver, whose allocations would otherwise end up
// in this test program's leak report.
VisualID single_buffered_visual(const std::string& display_name) {
    int fds[2];
    if (pipe(fds) != 0) return 0;
    const pid_t child = fork();
    if (child == 0) {
        VisualID id = 0;
        if (Display* display = XOpenDisplay(display_name.c_str())) {
            int attributes[] = {GLX_RGBA, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
                                GLX_DEPTH_SIZE, 16, None};
            if (XVisualInfo* info = glXChooseVisual(display, DefaultScreen(display), attributes)) {
                int doubled = 1;
                glXGetConfig(display, info, GLX_DOUBLEBUFFER, &doubled);
                if (doubled == 0) id = info->visualid;
            }
        }
        [[maybe_unused]] const ssize_t n = write(fds[1], &id, sizeof id);
        _exit(0);
    }
    close(fds[1]);
    VisualID id = 0;
    if (read(fds[0], &id, sizeof id) != sizeof id) id = 0;
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return id;
}

TEST_F(GivenWindow, DrawsSingleBufferedInASingleBufferedVisual) {
    XVisualInfo wanted{};
    wanted.visualid = single_buffered_visual(server.name);
    ASSERT_NE(wanted.visualid, 0u) << "Xvfb's GLX offers no single-buffered visual";
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(server.display, VisualIDMask, &wanted, &count);
    ASSERT_NE(info, nullptr);
    const Window window = make_window(server.display, 400, 300, info->visual, info->depth, true);
    XFree(info);
    const pid_t pid = start_saver({"-window-id", hex_id(window)});
    EXPECT_TRUE(shows_scene(window));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(GivenWindow, RootMeansTheVirtualRootWhenThereIsOneElseTheRoot) {
    const Window vroot = make_window(server.display, 400, 300, nullptr, 0, true);
    XChangeProperty(server.display, vroot, XInternAtom(server.display, "__SWM_VROOT", False), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&vroot), 1);
    XSync(server.display, False);
    pid_t pid = start_saver({"-root"});
    EXPECT_TRUE(shows_scene(vroot));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
    XDestroyWindow(server.display, vroot);
    pid = start_saver({"-root"});
    EXPECT_TRUE(shows_scene(DefaultRootWindow(server.display)));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(GivenWindow, AWindowThatDoesNotExistIsAnError) {
    const Window window = make_window(server.display, 100, 100, nullptr, 0, false);
    XDestroyWindow(server.display, window);
    XSync(server.display, False);
    EXPECT_EQ(wait_for_exit(start_saver({"-window-id", hex_id(window)})), 1);
}

}  // namespace
}  // namespace lunabrelle::x11
