// lit-pixels DISPLAY MIN SECONDS: waits up to SECONDS for the screen of
// DISPLAY to show more than MIN lit (not black) pixels, as the shell test's
// screenshot. Prints the last count; exit 0 when it got there, 1 when not,
// 2 on a bad command line or a display that cannot be opened.
#include <cstdio>
#include <cstdlib>

#include "x11/xvfb.h"

int main(int argc, char** argv) {
    Display* display = argc == 4 ? XOpenDisplay(argv[1]) : nullptr;
    if (display == nullptr) return std::fputs("usage: lit-pixels DISPLAY MIN SECONDS (an open display)\n", stderr), 2;
    long lit = 0;
    const bool shown = lunabrelle::x11::eventually(std::atoi(argv[3]) * 1000, [&] {
        return (lit = lunabrelle::x11::lit_pixels(display, DefaultRootWindow(display))) > std::atol(argv[2]);
    });
    std::printf("%ld\n", lit);
    XCloseDisplay(display);
    return shown ? 0 : 1;
}
