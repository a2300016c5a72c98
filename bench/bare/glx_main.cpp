// bare_glx: the baseline of the windowed host's memory and CPU. It opens the
// same kind of window and context as lunabrelle (the configuration the host
// chooses for a window of its own, 1280x720) and only clears and swaps it at
// 60 Hz until SIGINT or SIGTERM.
//
//   bare_glx [WxH (default 1280x720)]
#include <GL/gl.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/x11/glx_configs.h"
#include "platform/x11/glx_surface.h"
#include "platform/x11/saver_window.h"

namespace {

volatile std::sig_atomic_t stop = 0;

void on_stop(int) { stop = 1; }

// Moves the deadline one 60 Hz tick on and sleeps until it (a stop signal
// ends the sleep early).
void wait_tick(timespec* deadline) {
    deadline->tv_nsec += 1'000'000'000 / 60;
    if (deadline->tv_nsec >= 1'000'000'000) {
        deadline->tv_nsec -= 1'000'000'000;
        ++deadline->tv_sec;
    }
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, deadline, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace lunabrelle::x11;
    int width = 1280, height = 720;
    if (argc > 1 && (std::sscanf(argv[1], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0)) {
        std::fprintf(stderr, "usage: bare_glx [WxH]\n");
        return 2;
    }
    std::signal(SIGINT, on_stop);
    std::signal(SIGTERM, on_stop);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "bare_glx: cannot open the display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const GlxConfigs configs = read_glx_configs(display, screen);
    const int chosen = choose_own_window_config(configs.traits, DefaultDepth(display, screen));
    XVisualInfo* info = chosen < 0 ? nullptr : glXGetVisualFromFBConfig(display, configs.configs[chosen]);
    SaverWindow window;
    std::string error = "no OpenGL visual with 8 bits per colour";
    OwnWindowPlace place;
    place.width = width;
    place.height = height;
    if (info == nullptr || !create_own_window(display, screen, info->visual, info->depth, place, &window, &error)) {
        std::fprintf(stderr, "bare_glx: %s\n", error.c_str());
        if (info != nullptr) XFree(info);
        XCloseDisplay(display);
        return 1;
    }
    XFree(info);
    int status = 0;
    {
        GlxSurface surface(display, window.window, configs.configs[chosen], configs.traits[chosen].double_buffered);
        if (!surface.create() || !surface.make_current()) {
            std::fprintf(stderr, "bare_glx: no GLX context\n");
            status = 1;
        } else {
            if (surface.double_buffered) surface.sync_to_refresh();
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            timespec deadline{};
            clock_gettime(CLOCK_MONOTONIC, &deadline);
            while (stop == 0) {
                while (XPending(display) > 0) {
                    XEvent event;
                    XNextEvent(display, &event);
                }
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                glFlush();
                surface.swap();
                wait_tick(&deadline);
            }
        }
    }
    destroy_own_window(&window);
    XCloseDisplay(display);
    return status;
}
