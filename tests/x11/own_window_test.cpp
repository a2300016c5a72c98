// lunabrelle in a window of its own.
// gtest comes before the X headers, whose None macro it would otherwise meet.
#include "x11/saver_fixture.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <signal.h>

#include "x11/window_picture.h"

namespace lunabrelle::x11 {
namespace {

class OwnWindow : public SaverOnXvfb {
protected:
    Window wait_for_window() {
        Window window = 0;
        eventually(kAppearMs, [&] { return (window = find_named_window(server.display, "Lunabrelle")) != 0; });
        return window;
    }
};

TEST_F(OwnWindow, ShowsTheSceneAndEndsOnSigterm) {
    const pid_t pid = start_saver({"-fps"});
    ASSERT_GT(pid, 0);
    const Window window = wait_for_window();
    ASSERT_NE(window, 0u) << "no window titled Lunabrelle";
    EXPECT_EQ(window_size(server.display, window), std::make_pair(1280, 720));
    EXPECT_TRUE(shows_scene(window));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(OwnWindow, ResizingRebuildsTheSceneAtTheNewSize) {
    const pid_t pid = start_saver({});
    const Window window = wait_for_window();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(shows_scene(window));
    // Grown beyond 1280 x 720: a scene still built for the old size would only
    // reach the lower left 1280 x 720 (GL's viewport origin); the rebuilt one
    // fills the strips above and to the right of it too.
    XResizeWindow(server.display, window, 1500, 950);
    XSync(server.display, False);
    EXPECT_TRUE(shows_scene_in(window, 1280, 0, 1500 - 1280, 950));
    EXPECT_TRUE(shows_scene_in(window, 0, 0, 1280, 950 - 720));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(OwnWindow, TheWindowManagersCloseRequestEndsIt) {
    const pid_t pid = start_saver({});
    const Window window = wait_for_window();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(shows_scene(window));
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(server.display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(server.display, "WM_DELETE_WINDOW", False));
    XSendEvent(server.display, window, False, NoEventMask, &event);
    XSync(server.display, False);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(OwnWindow, EscapeEndsIt) {
    const pid_t pid = start_saver({});
    const Window window = wait_for_window();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(shows_scene(window));
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.display = server.display;
    event.xkey.window = window;
    event.xkey.root = DefaultRootWindow(server.display);
    event.xkey.keycode = XKeysymToKeycode(server.display, XK_Escape);
    event.xkey.same_screen = True;
    XSendEvent(server.display, window, True, KeyPressMask, &event);
    XSync(server.display, False);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(OwnWindow, LosingTheDisplayEndsIt) {
    const pid_t pid = start_saver({});
    ASSERT_NE(wait_for_window(), 0u);
    XCloseDisplay(server.display);
    server.display = nullptr;
    kill(server.pid, SIGKILL);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

}  // namespace
}  // namespace lunabrelle::x11
