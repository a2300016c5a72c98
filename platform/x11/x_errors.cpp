#include "platform/x11/x_errors.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include "platform/system/system.h"

namespace lunabrelle::x11 {
namespace {

int error_count = 0;

int on_error(Display*, XErrorEvent*) {
    ++error_count;
    return 0;
}

// Xlib exits the process if this returns. The world is not drained: that
// would draw through a context bound to the dead connection.
int on_io_error(Display*) {
    platform::log("the X connection is gone; exiting");
    _exit(0);
}

}  // namespace

void install_x_error_handlers() {
    XSetErrorHandler(on_error);
    XSetIOErrorHandler(on_io_error);
}

void check_connection(Display* display) { XSync(display, False); }

int take_x_errors() {
    const int n = error_count;
    error_count = 0;
    return n;
}

}  // namespace lunabrelle::x11
