// lunabrelle in a window of its own, on an Xvfb without a window manager.
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
    // Starts the saver and waits for its window to show the scene.
    Window start_shown(pid_t* pid) {
        *pid = start_saver({"-fps"});
        Window window = 0;
        eventually(kAppearMs, [&] { return (window = find_named_window(server.display, "Lunabrelle")) != 0; });
        EXPECT_NE(window, 0u) << "no window titled Lunabrelle";
        EXPECT_TRUE(window != 0 && shows_scene(window));
        return window;
    }
    void press(Window window, KeySym key) {
        XEvent event{};
        event.xkey.type = KeyPress;
        event.xkey.display = server.display;
        event.xkey.window = window;
        event.xkey.root = DefaultRootWindow(server.display);
        event.xkey.keycode = XKeysymToKeycode(server.display, key);
        event.xkey.same_screen = True;
        XSendEvent(server.display, window, True, KeyPressMask, &event);
        XSync(server.display, False);
    }
};

TEST_F(OwnWindow, AResizeOfOneSideRebuildsTheSceneAtTheNewSize) {
    pid_t pid = 0;
    const Window window = start_shown(&pid);
    EXPECT_EQ(window_size(server.display, window), std::make_pair(1280, 720));
    // Taller only: a scene still built for 1280 x 720 would reach only the
    // lower part (GL's viewport origin is the lower left).
    XResizeWindow(server.display, window, 1280, 950);
    XSync(server.display, False);
    EXPECT_TRUE(shows_scene_in(window, 0, 0, 1280, 950 - 720));
    XResizeWindow(server.display, window, 1500, 950);  // then wider only
    XSync(server.display, False);
    EXPECT_TRUE(shows_scene_in(window, 1280, 0, 1500 - 1280, 950));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

// Without a window manager nothing acts on the request; this test takes the
// manager's place to see it.
TEST_F(OwnWindow, FullScreenKeysAskTheWindowManager) {
    pid_t pid = 0;
    const Window window = start_shown(&pid);
    const Window root = DefaultRootWindow(server.display);
    XSelectInput(server.display, root, SubstructureRedirectMask | SubstructureNotifyMask);
    const Atom state = XInternAtom(server.display, "_NET_WM_STATE", False);
    const Atom full = XInternAtom(server.display, "_NET_WM_STATE_FULLSCREEN", False);
    for (KeySym key : {XK_F11, XK_f}) {
        press(window, key);
        XEvent event{};
        const bool asked = eventually(kStopMs, [&] {
            while (XCheckTypedEvent(server.display, ClientMessage, &event))
                if (event.xclient.message_type == state) return true;
            return false;
        });
        ASSERT_TRUE(asked) << key;
        EXPECT_EQ(event.xclient.window, window);
        EXPECT_EQ(event.xclient.data.l[0], 2);  // toggle
        EXPECT_EQ(static_cast<Atom>(event.xclient.data.l[1]), full);
    }
    press(window, XK_Escape);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

TEST_F(OwnWindow, TheWindowManagersCloseRequestEndsIt) {
    pid_t pid = 0;
    const Window window = start_shown(&pid);
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

TEST_F(OwnWindow, LosingTheDisplayEndsIt) {
    pid_t pid = 0;
    start_shown(&pid);
    XCloseDisplay(server.display);
    server.display = nullptr;
    kill(server.pid, SIGKILL);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

}  // namespace
}  // namespace lunabrelle::x11
