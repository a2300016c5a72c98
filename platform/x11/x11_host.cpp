#include "platform/x11/x11_host.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <cstdint>
#include <string>

#include "host/frame_driver.h"
#include "host/saver_view.h"
#include "platform/system/system.h"
#include "platform/x11/frame_clock.h"
#include "platform/x11/glx_configs.h"
#include "platform/x11/glx_surface.h"
#include "platform/x11/overlay_choices.h"
#include "platform/x11/saver_window.h"
#include "platform/x11/stop_signals.h"
#include "platform/x11/visual_request.h"
#include "platform/x11/x_errors.h"

namespace lunabrelle::x11 {
namespace {

constexpr int kOwnWidth = 1280;
constexpr int kOwnHeight = 720;
// How often a given window is checked for still existing, besides its
// DestroyNotify (which is missed if it went before the watch began).
constexpr std::int64_t kLivenessPeriodNs = 1'000'000'000;

enum class Ending { none, quit, window_lost };

// What the events of one pass asked for.
struct EventResult {
    Ending ending = Ending::none;
    bool resized = false;
};

void handle_key(const SaverWindow& window, XKeyEvent& key, EventResult* result) {
    const KeySym sym = XLookupKeysym(&key, 0);
    if (sym == XK_Escape || sym == XK_q || sym == XK_Q) result->ending = Ending::quit;
    if (sym == XK_F11 || sym == XK_f || sym == XK_F) toggle_fullscreen(window);
}

void handle_events(SaverWindow* window, EventResult* result) {
    Display* display = window->display;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case ConfigureNotify:
            if (event.xconfigure.window == window->window &&
                (event.xconfigure.width != window->width || event.xconfigure.height != window->height)) {
                window->width = event.xconfigure.width;
                window->height = event.xconfigure.height;
                result->resized = true;
            }
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == window->window) result->ending = Ending::window_lost;
            break;
        case ClientMessage:
            if (window->own && static_cast<Atom>(event.xclient.data.l[0]) == window->wm_delete_window)
                result->ending = Ending::quit;
            break;
        case KeyPress:
            if (window->own) handle_key(*window, event.xkey, result);
            break;
        default:
            break;
        }
    }
}

// Where a window of our own goes: -geometry over the default size at the
// screen's top left corner.
OwnWindowPlace own_window_place(Display* display, int screen, const Options& options) {
    OwnWindowPlace place;
    place.width = kOwnWidth;
    place.height = kOwnHeight;
    const Geometry& g = options.geometry;
    if (g.has_size) {
        place.width = static_cast<int>(g.width);
        place.height = static_cast<int>(g.height);
        place.user_sized = true;
    }
    if (g.has_position) {
        place.x = g.x_from_right ? DisplayWidth(display, screen) - place.width + g.x : g.x;
        place.y = g.y_from_bottom ? DisplayHeight(display, screen) - place.height + g.y : g.y;
        place.user_placed = true;
    }
    if (!options.title.empty()) place.title = options.title;
    return place;
}

// Finds the configuration to draw with and the window to draw in.
bool set_up_window(Display* display, int screen, const Options& options, const GlxConfigs& configs,
                   SaverWindow* window, int* chosen, std::string* error) {
    if (options.target == Target::own_window) {
        std::string note;
        *chosen = choose_requested_config(configs.traits, DefaultDepth(display, screen), options.visual, &note);
        if (!note.empty()) platform::log(note);
        if (*chosen < 0) {
            *error = "no OpenGL visual with 8 bits per colour on this display";
            return false;
        }
        XVisualInfo* info = glXGetVisualFromFBConfig(display, configs.configs[*chosen]);
        if (info == nullptr) {
            *error = "no X visual for the OpenGL configuration";
            return false;
        }
        const bool made = create_own_window(display, screen, info->visual, info->depth,
                                            own_window_place(display, screen, options), window, error);
        XFree(info);
        return made;
    }
    const Window target = options.target == Target::window_id ? static_cast<Window>(options.window_id)
                                                              : root_target(display, screen);
    if (!adopt_window(display, target, window, error)) return false;
    // The window's visual is kept whatever it is: it belongs to the host that
    // made the window.
    *chosen = choose_config_for_visual(configs.traits, window->visual);
    if (*chosen < 0) {
        *error = "the window's visual has no OpenGL configuration";
        return false;
    }
    return true;
}

// The frame loop: a frame starts no sooner than delay_us after the last one
// started, and each is finished (glFinish) before the next is considered, so
// the driver never holds a queue of frames; a frame that overran its period
// moves the next one to a period after its end. frames >= 0 ends the loop
// after that many frames. Returns how it ended.
Ending run_frames(quorvixlunabrelle* view, GlxSurface* surface, SaverWindow* window, int stop_fd, long delay_us,
                  long frames) {
    Display* display = window->display;
    const int x_fd = ConnectionNumber(display);
    FrameClock clock;
    clock.period_ns = static_cast<std::int64_t>(delay_us) * 1000;
    clock.start(monotonic_ns());
    long drawn = 0;
    std::int64_t next_check = monotonic_ns() + kLivenessPeriodNs;
    for (;;) {
        EventResult events;
        handle_events(window, &events);
        if (caught_stop_signal() != 0) return Ending::quit;
        if (events.ending != Ending::none) return events.ending;
        if (events.resized) view->setFrameSize(window->width, window->height);

        std::int64_t now = monotonic_ns();
        // Requests on a vanished window fail: check at once after any error.
        const bool had_errors = take_x_errors() > 0;
        if (!window->own && (had_errors || now >= next_check)) {
            if (!window_alive(display, window->window)) return Ending::window_lost;
            next_check = now + kLivenessPeriodNs;
        }
        if (frames >= 0 && drawn >= frames) return Ending::quit;
        if (clock.due(now)) {
            view->animateOneFrame();
            surface->swap();
            glFinish();
            ++drawn;
            clock.advance(monotonic_ns());
        }
        XFlush(display);
        if (XEventsQueued(display, QueuedAlready) > 0) continue;

        now = monotonic_ns();
        std::int64_t wait = clock.wait_ns(now, kLivenessPeriodNs);
        if (!window->own && next_check - now < wait) wait = next_check > now ? next_check - now : 0;
        timespec timeout{static_cast<time_t>(wait / 1'000'000'000), static_cast<long>(wait % 1'000'000'000)};
        pollfd fds[2] = {{x_fd, POLLIN, 0}, {stop_fd, POLLIN, 0}};
        ppoll(fds, 2, &timeout, nullptr);
        if (fds[1].revents != 0) drain_stop_pipe(stop_fd);
    }
}

}  // namespace

int run_host(const Options& options) {
    const int stop_fd = install_stop_signals();
    if (stop_fd < 0) {
        platform::log("cannot set up signal handling");
        return 1;
    }
    Display* display = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
    if (display == nullptr) {
        platform::log("cannot open display \"" + std::string(XDisplayName(options.display.c_str())) + "\"");
        return 1;
    }
    install_x_error_handlers();
    check_connection(display);
    const int screen = DefaultScreen(display);
    const GlxConfigs configs = read_glx_configs(display, screen);
    check_connection(display);

    SaverWindow window;
    int chosen = -1;
    std::string error;
    if (!set_up_window(display, screen, options, configs, &window, &chosen, &error)) {
        platform::log(error);
        XCloseDisplay(display);
        return 1;
    }

    check_connection(display);
    int status = 0;
    {
        GlxSurface surface(display, window.window, configs.configs[chosen],
                           configs.traits[chosen].double_buffered);
        quorvixlunabrelle view;
        if (!view.initWithFrame(window.width, window.height, false, &surface)) {
            status = 1;
        } else {
            view.startAnimation();
            // The command line's choices for this run, over the settings file.
            if (conf != nullptr) apply_overlay_choices(options, conf);
            if (surface.double_buffered) surface.sync_to_refresh();
            surface.swap();  // the cleared frame: black until the first tick

            const Ending ending = run_frames(&view, &surface, &window, stop_fd, options.delay_us, options.frames);
            if (ending == Ending::window_lost) surface.use_stand_in();
            view.stopAnimation();
        }
    }
    destroy_own_window(&window);
    XCloseDisplay(display);
    return status;
}

}  // namespace lunabrelle::x11
