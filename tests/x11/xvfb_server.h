// An Xvfb of the test's own on a free display number (Xvfb picks it and
// reports it through -displayfd), killed when the object goes.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>

namespace lunabrelle::x11 {

class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Starts the server with one screen of width x height x 24 and connects
    // to it. False with a reason when it does not come up within 20 s.
    bool start(int width, int height, std::string* why);

    std::string name;            // ":N"
    Display* display = nullptr;  // the test's own connection
    pid_t pid = 0;
};

}  // namespace lunabrelle::x11
