// The command line of the X11 host, read the way XScreenSaver hacks read
// theirs: every option takes one or two leading dashes, and where to draw is
// decided by precedence, -window-id over -root over an own window. The
// options XScreenSaver passes to all its hacks are accepted; those without a
// meaning here (-install, -mono, -sync, -pair, -fg, -bg, -xrm, -name) are
// ignored.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lunabrelle::x11 {

enum class Target {
    own_window,  // a window of our own (the default, or -window)
    root,        // -root: $XSCREENSAVER_WINDOW, else the virtual root, else the root
    window_id,   // -window-id ID: a window handed over by a screen-saver host
};

// -geometry WxH[+X+Y] of a window of our own, as XParseGeometry reads it.
struct Geometry {
    bool has_size = false;
    unsigned width = 0, height = 0;  // > 0 when has_size
    bool has_position = false;
    int x = 0, y = 0;
    bool x_from_right = false, y_from_bottom = false;  // "-X" / "-Y" forms
};

// The default pause between the starts of two frames: 60 frames a second.
constexpr long kDefaultDelayUs = 16667;
// -delay is refused above this (10 s between frames).
constexpr long kMaxDelayUs = 10'000'000;

struct Options {
    Target target = Target::own_window;
    unsigned long window_id = 0;  // with Target::window_id; never 0
    std::string display;          // -display NAME; empty: $DISPLAY
    std::string visual;           // -visual: empty or "default", "best", or a visual id
    Geometry geometry;            // -geometry, for a window of our own
    std::string title;            // -title: the title of a window of our own; empty: "Lunabrelle"
    long delay_us = kDefaultDelayUs;  // -delay: microseconds from one frame's start to the next's
    long frames = -1;             // -frames N: stop after N frames; -1: run until told to stop

    // Overlay choices for this run, over the settings file; unset: the file's.
    std::optional<bool> show_fps;       // -fps / -no-fps
    std::optional<bool> show_time;      // -clock none|digital|analog
    std::optional<bool> analog_clock;   //   (digital / analog)
    std::optional<bool> time_24h;       // -hours 12|24
    std::optional<bool> big_clock;      // -clock-size big|small
    std::optional<bool> show_calendar;  // -calendar / -no-calendar
    std::optional<bool> monday_first;   // -week-starts sunday|monday

    bool help = false;                // -help: print the usage and exit 0
    bool version = false;             // -version: print the version and exit 0
    bool settings = false;            // -settings: start lunabrelle-settings instead
    bool add_to_xscreensaver = false; // -add-to-xscreensaver: edit ~/.xscreensaver and exit
    std::string error;                // not empty: bad command line, print usage, exit 2
};

// Reads the arguments after the program name. The first fault stops the
// reading and is described in error.
Options parse_options(const std::vector<std::string>& args);

// A window id as XScreenSaver hosts pass it: decimal or 0x hexadecimal, no
// sign, not 0, within 32 bits (X resource ids are 29 bits). False otherwise.
bool parse_window_id(const std::string& text, unsigned long* id);

// The option summary printed by -help and after a bad command line.
std::string usage(const std::string& program);

}  // namespace lunabrelle::x11
