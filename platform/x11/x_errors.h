// Xlib error handling for a saver: protocol errors are counted instead of
// ending the process (a window handed over by a screen-saver host can vanish
// at any moment, and every request on it then fails), and a lost connection
// ends the process at once with status 0: Xlib cannot be used again after an
// I/O error, and a saver whose display is gone has nothing left to do.
#pragma once

#include <X11/Xlib.h>

namespace lunabrelle::x11 {

void install_x_error_handlers();

// Protocol errors received since the last call; resets the count.
int take_x_errors();

// A round trip to the server. The GL driver keeps using a connection whose
// server has gone and may then read replies that never came; a round trip
// between its calls lets Xlib notice first and end the process through the
// I/O error handler. Call with the handlers installed.
void check_connection(Display* display);

}  // namespace lunabrelle::x11
