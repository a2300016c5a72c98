// lit-pixels DISPLAY MIN SECONDS: waits up to SECONDS for the screen of
// DISPLAY to show more than MIN lit (not black) pixels, as the shell tests'
// screenshot. Prints the last count; exit 0 when it got there, 1 when not,
// 2 when the display cannot be opened.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

#include "x11/xvfb.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: lit-pixels DISPLAY MIN SECONDS\n");
        return 2;
    }
    Display* display = XOpenDisplay(argv[1]);
    if (display == nullptr) {
        std::fprintf(stderr, "lit-pixels: cannot open display %s\n", argv[1]);
        return 2;
    }
    const long min = std::atol(argv[2]);
    const int seconds = std::atoi(argv[3]);
    long lit = 0;
    const bool shown = lunabrelle::x11::eventually(seconds * 1000, [&] {
        lit = lunabrelle::x11::lit_pixels(display, DefaultRootWindow(display));
        return lit > min;
    });
    std::printf("%ld\n", lit);
    XCloseDisplay(display);
    return shown ? 0 : 1;
}
