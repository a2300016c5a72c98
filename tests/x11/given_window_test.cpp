// lunabrelle in a window handed over by a screen-saver host: through
// $XSCREENSAVER_WINDOW, -window-id, the virtual root and the root.
// gtest comes before the X headers, whose None macro it would otherwise meet.
#include "x11/saver_fixture.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
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

TEST_F(GivenWindow, DrawsInTheScreenSaversWindowAndEndsWhenItIsDestroyed) {
    const Window window = make_window(server.display, 640, 480, nullptr, 0, true);
    const pid_t pid = start_saver({"-root"}, {"XSCREENSAVER_WINDOW=" + hex_id(window)});
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(shows_scene(window));
    // The saver only watches the window (this test selected nothing on it).
    EXPECT_EQ(event_masks(server.display, window), StructureNotifyMask);
    XDestroyWindow(server.display, window);
    XSync(server.display, False);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(GivenWindow, WindowIdWinsOverTheVariableAndRoot) {
    const Window named = make_window(server.display, 320, 240, nullptr, 0, true);
    const Window other = make_window(server.display, 320, 240, nullptr, 0, true);
    XMoveWindow(server.display, other, 400, 0);
    const pid_t pid =
        start_saver({"--root", "-window-id", std::to_string(named)}, {"XSCREENSAVER_WINDOW=" + hex_id(other)});
    EXPECT_TRUE(shows_scene(named));
    EXPECT_EQ(lit_pixels(server.display, other), 0);
    EXPECT_EQ(event_masks(server.display, other), 0);
    kill(pid, SIGTERM);
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
    // Mapped by its owner, it shows the scene the saver kept drawing.
    XMapWindow(server.display, window);
    XSync(server.display, False);
    EXPECT_TRUE(shows_scene(window));
    XDestroyWindow(server.display, window);
    XSync(server.display, False);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(GivenWindow, FollowsTheWindowsSize) {
    const Window window = make_window(server.display, 320, 240, nullptr, 0, true);
    const pid_t pid = start_saver({"-window-id", hex_id(window)});
    ASSERT_TRUE(shows_scene(window));
    XResizeWindow(server.display, window, 960, 720);
    XSync(server.display, False);
    EXPECT_TRUE(shows_scene_in(window, 320, 0, 960 - 320, 720));
    EXPECT_TRUE(shows_scene_in(window, 0, 0, 320, 720 - 240));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(GivenWindow, DrawsSingleBufferedInASingleBufferedVisual) {
    int attributes[] = {GLX_RGBA, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_DEPTH_SIZE, 16, None};
    XVisualInfo* info = glXChooseVisual(server.display, DefaultScreen(server.display), attributes);
    if (info == nullptr) GTEST_SKIP() << "no single-buffered visual";
    int doubled = 1;
    glXGetConfig(server.display, info, GLX_DOUBLEBUFFER, &doubled);
    ASSERT_EQ(doubled, 0);
    const Window window = make_window(server.display, 400, 300, info->visual, info->depth, true);
    XFree(info);
    const pid_t pid = start_saver({"-window-id", hex_id(window)});
    EXPECT_TRUE(shows_scene(window));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(GivenWindow, RootMeansTheVirtualRootWhenThereIsOne) {
    const Window vroot = make_window(server.display, 400, 300, nullptr, 0, true);
    XChangeProperty(server.display, vroot, XInternAtom(server.display, "__SWM_VROOT", False), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&vroot), 1);
    XSync(server.display, False);
    const pid_t pid = start_saver({"-root"});
    EXPECT_TRUE(shows_scene(vroot));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(GivenWindow, RootMeansTheRootWindowOtherwise) {
    const pid_t pid = start_saver({"-root"});
    EXPECT_TRUE(shows_scene(DefaultRootWindow(server.display)));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(GivenWindow, AWindowThatDoesNotExistIsAnError) {
    const Window window = make_window(server.display, 100, 100, nullptr, 0, false);
    XDestroyWindow(server.display, window);
    XSync(server.display, False);
    const pid_t pid = start_saver({"-window-id", hex_id(window)});
    EXPECT_EQ(wait_for_exit(pid), 1);
}

}  // namespace
}  // namespace lunabrelle::x11
