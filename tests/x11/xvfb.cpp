#include "x11/xvfb.h"

#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <tuple>

namespace lunabrelle::x11 {

static int ignore_errors(Display*, XErrorEvent*) { return 0; }

std::string hex_id(unsigned long window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

bool XvfbServer::start(int width, int height, std::string* why) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return *why = "no pipe", false;
    // The child gets the write end without O_CLOEXEC under a known number.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string screen = std::to_string(width) + 'x' + std::to_string(height) + "x24";
    pid = spawn_process({"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset",
                         "+extension", "GLX"},
                        {}, &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    // Xvfb writes the display number and a newline once it listens.
    std::string number;
    for (pollfd p{fds[0], POLLIN, 0}; pid > 0 && poll(&p, 1, 20000) > 0;) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (pid <= 0) return *why = "Xvfb is not installed", false;
    if (number.empty()) return *why = "Xvfb did not report a display", false;
    name = ":" + number;
    display = XOpenDisplay(name.c_str());
    if (display == nullptr) return *why = "cannot connect to Xvfb on " + name, false;
    return true;
}

XvfbServer::~XvfbServer() {
    if (display != nullptr) XCloseDisplay(display);
    if (pid > 0) stop_process(pid, 5000);
}

long lit_pixels(Display* display, Window window, int x, int y, int width, int height) {
    if (width == 0) std::tie(width, height) = window_size(display, window);
    if (width <= 0 || height <= 0) return 0;
    // A window that vanished makes XGetImage fail; the test reads that as -1.
    XSync(display, False);
    auto* previous = XSetErrorHandler(ignore_errors);
    XImage* image = XGetImage(display, window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    XSync(display, False);
    XSetErrorHandler(previous);
    if (image == nullptr) return -1;
    long lit = 0;
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col) lit += (XGetPixel(image, col, row) & 0xe0e0e0) != 0;  // 24-bit TrueColor
    XDestroyImage(image);
    return lit;
}

Window make_window(Display* display, int width, int height, bool map) {
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(width),
                                              static_cast<unsigned>(height), 0, 0, 0);  // black
    if (map) XMapWindow(display, window);
    XSync(display, False);
    return window;
}

std::vector<Window> named_windows(Display* display, const std::string& name) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    std::vector<Window> found;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return found;
    for (unsigned i = 0; i < count; ++i) {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) != 0 && title != nullptr) {
            if (name == title) found.push_back(children[i]);
            XFree(title);
        }
    }
    if (children != nullptr) XFree(children);
    return found;
}

std::pair<int, int> window_size(Display* display, Window window) {
    auto* previous = XSetErrorHandler(ignore_errors);
    XWindowAttributes attributes;
    const Status ok = XGetWindowAttributes(display, window, &attributes);
    XSetErrorHandler(previous);
    return ok == 0 ? std::pair{0, 0} : std::pair{attributes.width, attributes.height};
}

}  // namespace lunabrelle::x11
