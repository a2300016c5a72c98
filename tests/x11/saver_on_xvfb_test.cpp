// lunabrelle and lunabrelle-settings run on an Xvfb of the test's own: in
// windows handed over by a screen-saver host, in a window of their own, and
// ended by signals, the window manager and a lost server. Several programs
// share one server, so that the suite starts few of them.
// gtest comes before the X headers, whose None macro it would otherwise meet.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/x11/archive_check.h"
#include "support/temp_folder.h"
#include "x11/xvfb.h"

namespace lunabrelle::x11 {
namespace {

class OnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        // A missing prerequisite fails: an end-to-end test that cannot run has tested nothing.
        ASSERT_EQ(check_archives(build_dir() + "/resources"), "") << "the build tree's archives are not all made";
        std::string why;
        ASSERT_TRUE(server.start(1600, 1000, &why)) << why;
    }
    void TearDown() override { std::ranges::for_each(started, [](pid_t pid) { stop_process(pid, kStopMs); }); }
    // Starts the program (lunabrelle unless named) with an empty settings
    // folder; $XSCREENSAVER_WINDOW is removed unless env gives it.
    pid_t start(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
                const std::string& program = "lunabrelle") {
        std::vector<std::string> argv = {build_dir() + "/" + program}, environment = {
            "DISPLAY=" + server.name, "XDG_CONFIG_HOME=" + settings.path().string(), "XSCREENSAVER_WINDOW=",
            "NO_AT_BRIDGE=1", "GSETTINGS_BACKEND=memory"};
        argv.insert(argv.end(), args.begin(), args.end());
        environment.insert(environment.end(), env.begin(), env.end());
        const pid_t pid = spawn_process(argv, environment);
        if (pid > 0) started.push_back(pid);
        return pid;
    }
    // Sends the signal (none: 0) and waits for the end; the exit status, or
    // -1 when it did not end within timeout_ms (it is then killed).
    int end(pid_t pid, int signal = 0, int timeout_ms = kStopMs) {
        if (signal != 0) kill(pid, signal);
        int status = 0;
        const bool ended = wait_process(pid, timeout_ms, &status);
        std::erase(started, pid);
        if (!ended) stop_process(pid, 1000);
        return !ended ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    // Waits until at least half the pixels of the rectangle (the whole window
    // without one) are lit: the meadow's background plate covers the view.
    bool shows_scene(Window window, int x = 0, int y = 0, int width = 0, int height = 0) {
        if (width == 0) std::tie(width, height) = window_size(server.display, window);
        return width > 0 && eventually(kAppearMs, [&] {
                   return lit_pixels(server.display, window, x, y, width, height) > long(width) * height / 2;
               });
    }
    Window wait_named(const std::string& name) {
        std::vector<Window> found;
        eventually(kAppearMs, [&] { return !(found = named_windows(server.display, name)).empty(); });
        return found.empty() ? 0 : found[0];
    }
    void send(Window window, long mask, XEvent event) {
        event.xany.window = window;
        XSendEvent(server.display, window, True, mask, &event);
        XSync(server.display, False);
    }

    XvfbServer server;
    test::TempFolder settings;
    std::vector<pid_t> started;
};

TEST_F(OnXvfb, GivenWindowsAreDrawnInWatchedNeverMappedAndTheirLossEndsTheSaver) {
    Display* d = server.display;
    // -window-id wins over $XSCREENSAVER_WINDOW and -root; a resize of one
    // side is followed; SIGINT ends the saver cleanly.
    const Window named = make_window(d, 320, 240, true), other = make_window(d, 320, 240, true);
    XMoveWindow(d, other, 400, 0);
    const pid_t by_id =
        start({"--root", "-window-id", std::to_string(named)}, {"XSCREENSAVER_WINDOW=" + hex_id(other)});
    // The window of $XSCREENSAVER_WINDOW, unmapped: watched, never mapped by
    // the saver, drawn all along (seen once its owner maps it).
    const Window given = make_window(d, 640, 480, false);
    XMoveWindow(d, given, 800, 0);
    const pid_t in_given = start({"-root"}, {"XSCREENSAVER_WINDOW=" + hex_id(given)});

    EXPECT_TRUE(shows_scene(named));
    EXPECT_EQ(lit_pixels(d, other), 0);
    // Taller only: a view still built for the old size leaves one of the halves dark.
    XResizeWindow(d, named, 320, 480);
    XSync(d, False);
    EXPECT_TRUE(shows_scene(named, 0, 0, 320, 240) && shows_scene(named, 0, 240, 320, 240));
    EXPECT_EQ(end(by_id, SIGINT), 0);

    ASSERT_TRUE(eventually(kAppearMs, [&] {
        XWindowAttributes attributes;
        return XGetWindowAttributes(d, given, &attributes) != 0 && attributes.all_event_masks == StructureNotifyMask;
    }));
    usleep(500000);
    EXPECT_EQ(lit_pixels(d, given), -1) << "mapped by the saver";
    XMapWindow(d, given);
    XSync(d, False);
    EXPECT_TRUE(shows_scene(given));
    // Once the window is gone, the saver finishes its world in a window of its
    // own, never shown, and ends.
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XDestroyWindow(d, given);
    XSync(d, False);
    EXPECT_EQ(end(in_given), 0);
    XSync(d, False);
    int created = 0, mapped = 0, destroyed = 0;
    for (XEvent event; XCheckMaskEvent(d, SubstructureNotifyMask, &event);) {
        created += event.type == CreateNotify;
        mapped += event.type == MapNotify;
        destroyed += event.type == DestroyNotify && event.xdestroywindow.window != given;
    }
    EXPECT_EQ(created * 100 + mapped * 10 + destroyed, 101) << "one stand-in window, never mapped, destroyed";
    XSelectInput(d, DefaultRootWindow(d), NoEventMask);
    // A window that does not exist is an error.
    EXPECT_EQ(end(start({"-window-id", hex_id(given)})), 1);

    // -root means the virtual root when there is one, else the root; SIGHUP
    // and SIGTERM end the saver.
    const Window vroot = make_window(d, 400, 300, true);
    XChangeProperty(d, vroot, XInternAtom(d, "__SWM_VROOT", False), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&vroot), 1);
    XSync(d, False);
    pid_t pid = start({"-root"});
    EXPECT_TRUE(shows_scene(vroot));
    EXPECT_EQ(end(pid, SIGHUP), 0);
    XDestroyWindow(d, vroot);
    pid = start({"-root"});
    EXPECT_TRUE(shows_scene(DefaultRootWindow(d)));
    EXPECT_EQ(end(pid, SIGTERM), 0);
}

TEST_F(OnXvfb, AnOwnWindowFollowsResizesAsksForFullScreenAndEndsOnRequestSignalOrLostServer) {
    Display* d = server.display;
    const pid_t first = start({"-fps"});
    const Window window = wait_named("Lunabrelle");
    ASSERT_NE(window, 0u) << "no window titled Lunabrelle";
    EXPECT_TRUE(shows_scene(window));
    EXPECT_EQ(window_size(d, window), std::make_pair(1280, 720));
    // It names its process (with the machine), so a window manager can end it.
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0, *pid = nullptr;
    XGetWindowProperty(d, window, XInternAtom(d, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type, &format,
                       &items, &after, reinterpret_cast<unsigned char**>(&pid));
    ASSERT_EQ(items, 1u);
    EXPECT_EQ(*pid, static_cast<unsigned long>(first));
    XFree(pid);
    // Wider only: a view still built for the old size leaves a strip at one edge dark.
    XResizeWindow(d, window, 1500, 720);
    XSync(d, False);
    EXPECT_TRUE(shows_scene(window, 0, 0, 220, 720) && shows_scene(window, 1280, 0, 220, 720));

    // Without a window manager nothing acts on the full-screen request; the
    // test takes the manager's place to see it.
    XSelectInput(d, DefaultRootWindow(d), SubstructureRedirectMask | SubstructureNotifyMask);
    const Atom state = XInternAtom(d, "_NET_WM_STATE", False);
    XEvent key{};
    key.xkey = {KeyPress, 0, False, d, window, DefaultRootWindow(d), 0, 0, 0, 0, 0, 0, 0, 0, True};
    for (KeySym sym : {XK_F11, XK_f}) {
        key.xkey.keycode = XKeysymToKeycode(d, sym);
        send(window, KeyPressMask, key);
        XEvent event{};
        ASSERT_TRUE(eventually(kStopMs, [&] {
            while (XCheckTypedEvent(d, ClientMessage, &event))
                if (event.xclient.message_type == state) return true;
            return false;
        })) << sym;
        EXPECT_EQ(event.xclient.window, window);
        EXPECT_EQ(event.xclient.data.l[0], 2);  // toggle
        EXPECT_EQ(static_cast<Atom>(event.xclient.data.l[1]), XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False));
    }
    XSelectInput(d, DefaultRootWindow(d), NoEventMask);
    key.xkey.keycode = XKeysymToKeycode(d, XK_Escape);
    send(window, KeyPressMask, key);
    EXPECT_EQ(end(first), 0);

    // The window manager's close request ends it.
    const pid_t closed = start({"-title", "Closed", "-geometry", "320x240"});
    const Window closing = wait_named("Closed");
    EXPECT_TRUE(closing != 0 && shows_scene(closing));
    XEvent close{};
    close.xclient = {ClientMessage, 0, False, d, closing, XInternAtom(d, "WM_PROTOCOLS", False), 32, {}};
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    send(closing, NoEventMask, close);
    EXPECT_EQ(end(closed), 0);

    // A stopped server answers nothing; SIGTERM still ends the saver. A lost
    // server ends the other one.
    const pid_t stopped = start({"-title", "Stopped", "-geometry", "320x240"});
    const pid_t lost = start({"-title", "Lost", "-geometry", "320x240+400+0"});
    EXPECT_TRUE(shows_scene(wait_named("Stopped")) && shows_scene(wait_named("Lost")));
    kill(server.pid, SIGSTOP);
    const int status = end(stopped, SIGTERM, 15000);
    kill(server.pid, SIGCONT);
    EXPECT_EQ(status, 0) << "-1: the saver waited on the stopped server";
    XCloseDisplay(d);
    server.display = nullptr;
    kill(server.pid, SIGKILL);
    EXPECT_EQ(end(lost), 0);
}

// A signal to end the dialog (logout, Ctrl-C) cancels: status 0, nothing written.
TEST_F(OnXvfb, EveryEndSignalCancelsTheDialog) {
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    std::vector<pid_t> dialogs;
    for (int i = 0; i < 3; ++i) dialogs.push_back(start({}, {}, "lunabrelle-settings"));
    EXPECT_TRUE(
        eventually(kAppearMs, [&] { return named_windows(server.display, "Lunabrelle Settings").size() == 3; }));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(end(dialogs[i], signals[i]), 0) << signals[i];
    EXPECT_FALSE(std::filesystem::exists(settings.file("quorvix_lunabrelle.cfg")));
}

}  // namespace
}  // namespace lunabrelle::x11
