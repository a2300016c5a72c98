// The X11 host of the saver view: opens the display, finds or makes the
// window, creates the view on a GLX surface, starts it, ticks it once per
// -delay (1/60 second by default), forwards size changes, and stops and destroys it when told to quit
// (a signal, the window's close button, Escape or q) or when the window it
// was given is destroyed.
#pragma once

#include "platform/x11/options.h"

namespace lunabrelle::x11 {

// Runs the saver until it is stopped. Returns the exit status: 0 after a
// normal stop, 1 when the display, window or context cannot be had.
int run_host(const Options& options);

}  // namespace lunabrelle::x11
