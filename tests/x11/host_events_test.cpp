// What reaches the X11 host from outside besides the happy path: each stop
// signal a session sends, a resize of one side only, and the full-screen key
// (the test plays the window manager that receives the request).
// gtest comes before the X headers, whose None macro it would otherwise meet.
#include "x11/saver_fixture.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <signal.h>

#include <filesystem>

#include "x11/child_process.h"
#include "x11/window_picture.h"

namespace lunabrelle::x11 {
namespace {

class StopSignal : public SaverOnXvfb, public ::testing::WithParamInterface<int> {};

TEST_P(StopSignal, EndsTheSaverNormally) {
    const Window window = make_window(server.display, 200, 150, nullptr, 0, true);
    const pid_t pid = start_saver({"-window-id", hex_id(window)});
    // Watching the window comes after the handlers are installed.
    ASSERT_TRUE(eventually(kAppearMs, [&] {
        XWindowAttributes attributes;
        return XGetWindowAttributes(server.display, window, &attributes) != 0 &&
               attributes.all_event_masks == StructureNotifyMask;
    }));
    kill(pid, GetParam());
    EXPECT_EQ(wait_for_exit(pid), 0);
}

INSTANTIATE_TEST_SUITE_P(Session, StopSignal, ::testing::Values(SIGINT, SIGHUP));

// The settings dialog takes the end of a session as Cancel: it ends normally
// and writes nothing.
TEST_F(SaverOnXvfb, SettingsDialogEndsNormallyOnHangup) {
    const std::string program = build_dir() + "/lunabrelle-settings";
    ASSERT_TRUE(std::filesystem::exists(program)) << program;
    const pid_t pid = spawn_process({program}, {"DISPLAY=" + server.name, "XDG_CONFIG_HOME=" + settings.path().string(),
                                                "NO_AT_BRIDGE=1", "GSETTINGS_BACKEND=memory"});
    ASSERT_GT(pid, 0);
    savers.push_back(pid);
    // Painted from the main loop, which starts once the handlers are in place.
    ASSERT_TRUE(eventually(kAppearMs, [&] {
        const Window window = find_named_window(server.display, "Lunabrelle Settings");
        return window != 0 && lit_pixels(server.display, window) > 0;
    }));
    kill(pid, SIGHUP);
    EXPECT_EQ(wait_for_exit(pid), 0);
    EXPECT_TRUE(std::filesystem::is_empty(settings.path()));
}

struct Side {
    const char* name;
    int width, height;
};

class OneSideResize : public SaverOnXvfb, public ::testing::WithParamInterface<Side> {};

// A scene still built for 320 x 240 covers only GL's lower left corner; the
// rebuilt one also lights the strip the resize added.
TEST_P(OneSideResize, RebuildsTheSceneAtTheNewSize) {
    const Window window = make_window(server.display, 320, 240, nullptr, 0, true);
    const pid_t pid = start_saver({"-window-id", hex_id(window)});
    ASSERT_TRUE(shows_scene(window));
    const Side side = GetParam();
    XResizeWindow(server.display, window, side.width, side.height);
    XSync(server.display, False);
    if (side.width > 320) EXPECT_TRUE(shows_scene_in(window, 320, 0, side.width - 320, side.height));
    if (side.height > 240) EXPECT_TRUE(shows_scene_in(window, 0, 0, side.width, side.height - 240));
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

INSTANTIATE_TEST_SUITE_P(Sides, OneSideResize,
                         ::testing::Values(Side{"width", 800, 240}, Side{"height", 320, 700}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaverOnXvfb, FullScreenKeyAsksTheWindowManagerToToggle) {
    const pid_t pid = start_saver({});
    Window window = 0;
    ASSERT_TRUE(eventually(kAppearMs, [&] { return (window = find_named_window(server.display, "Lunabrelle")) != 0; }));
    ASSERT_TRUE(shows_scene(window));
    const Window root = DefaultRootWindow(server.display);
    XSelectInput(server.display, root, SubstructureRedirectMask);
    for (KeySym key : {XK_F11, XK_f}) {
        XEvent press{};
        press.xkey.type = KeyPress;
        press.xkey.display = server.display;
        press.xkey.window = window;
        press.xkey.root = root;
        press.xkey.same_screen = True;
        press.xkey.keycode = XKeysymToKeycode(server.display, key);
        XSendEvent(server.display, window, False, KeyPressMask, &press);
        XFlush(server.display);
        XEvent request{};
        ASSERT_TRUE(eventually(kStopMs, [&] {
            return XCheckTypedEvent(server.display, ClientMessage, &request) == True;
        }));
        EXPECT_EQ(request.xclient.window, window);
        EXPECT_EQ(request.xclient.message_type, XInternAtom(server.display, "_NET_WM_STATE", False));
        EXPECT_EQ(request.xclient.data.l[0], 2);  // toggle
        EXPECT_EQ(static_cast<Atom>(request.xclient.data.l[1]),
                  XInternAtom(server.display, "_NET_WM_STATE_FULLSCREEN", False));
    }
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_for_exit(pid), 0);
}

}  // namespace
}  // namespace lunabrelle::x11
