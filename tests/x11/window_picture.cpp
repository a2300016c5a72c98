#include "x11/window_picture.h"

#include <X11/Xutil.h>
#include <unistd.h>

#include <cstring>

namespace lunabrelle::x11 {
namespace {

int ignore_errors(Display*, XErrorEvent*) { return 0; }

unsigned channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    while ((mask & 1) == 0) {
        mask >>= 1;
        pixel >>= 1;
    }
    return static_cast<unsigned>((pixel & mask) * 255 / mask);
}

}  // namespace

long lit_pixels(Display* display, Window window, int x, int y, int width, int height) {
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
        for (int col = 0; col < width; ++col) {
            const unsigned long pixel = XGetPixel(image, col, row);
            if (channel(pixel, image->red_mask) > 24 || channel(pixel, image->green_mask) > 24 ||
                channel(pixel, image->blue_mask) > 24)
                ++lit;
        }
    XDestroyImage(image);
    return lit;
}

long lit_pixels(Display* display, Window window) {
    const auto [width, height] = window_size(display, window);
    return lit_pixels(display, window, 0, 0, width, height);
}

bool eventually(int timeout_ms, const std::function<bool()>& condition) {
    for (int waited = 0;; waited += 50) {
        if (condition()) return true;
        if (waited >= timeout_ms) return false;
        usleep(50000);
    }
}

Window make_window(Display* display, int width, int height, Visual* visual, int depth, bool map) {
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    XSetWindowAttributes attributes{};
    unsigned long mask = CWBackPixel | CWBorderPixel;
    attributes.background_pixel = 0;
    attributes.border_pixel = 0;
    if (visual == nullptr) {
        visual = DefaultVisual(display, screen);
        depth = DefaultDepth(display, screen);
    } else {
        attributes.colormap = XCreateColormap(display, root, visual, AllocNone);
        mask |= CWColormap;
    }
    const Window window = XCreateWindow(display, root, 0, 0, static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), 0, depth, InputOutput, visual, mask,
                                        &attributes);
    if (map) XMapWindow(display, window);
    XSync(display, False);
    return window;
}

Window find_named_window(Display* display, const std::string& name) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) != 0 && title != nullptr) {
            if (name == title) found = children[i];
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
    if (ok == 0) return {0, 0};
    return {attributes.width, attributes.height};
}

}  // namespace lunabrelle::x11
