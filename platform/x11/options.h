// The command line of the X11 host, read the way XScreenSaver hacks read
// theirs: every option takes one or two leading dashes, and where to draw is
// decided by precedence, -window-id over -root over an own window.
#pragma once

#include <string>
#include <vector>

namespace lunabrelle::x11 {

enum class Target {
    own_window,  // a window of our own (the default, or -window)
    root,        // -root: $XSCREENSAVER_WINDOW, else the virtual root, else the root
    window_id,   // -window-id ID: a window handed over by a screen-saver host
};

struct Options {
    Target target = Target::own_window;
    unsigned long window_id = 0;  // with Target::window_id; never 0
    bool show_fps = false;        // -fps: the frame-rate display for this run
    std::string display;          // -display NAME; empty: $DISPLAY
    bool help = false;            // -help: print the usage and exit 0
    bool settings = false;        // -settings: start lunabrelle-settings instead
    std::string error;            // not empty: bad command line, print usage, exit 2
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
