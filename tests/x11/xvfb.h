// For the end-to-end tests: an Xvfb of the test's own, the programs started
// on it, and what its windows show (read back with XGetImage).
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <utility>
#include <vector>

#include "support/process.h"

namespace lunabrelle::x11 {

// Generous bounds: a sanitizer build on a loaded machine may take a minute
// for its first frame (archives read, textures built, shaders compiled).
constexpr int kAppearMs = 120000;
constexpr int kStopMs = 30000;

using test::build_dir, test::eventually, test::read_text, test::run_capture, test::spawn_process, test::stop_process,
    test::wait_process;

// A server on a free display number (Xvfb picks it and reports it through
// -displayfd) with one screen of width x height x 24, killed when the object
// goes. start is false with a reason when it does not come up within 20 s.
struct XvfbServer {
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    bool start(int width, int height, std::string* why);

    std::string name;            // ":N"
    Display* display = nullptr;  // the test's own connection
    pid_t pid = 0;
};

// Pixels of the rectangle (the whole window without one) that are not
// (nearly) black, in a 24-bit TrueColor window as every test server has;
// -1 when the window cannot be read (gone, unmapped).
long lit_pixels(Display* display, Window window, int x = 0, int y = 0, int width = 0, int height = 0);
// A black top-level window of the test, mapped when asked; no input selected.
Window make_window(Display* display, int width, int height, bool map);
// The top-level windows titled name.
std::vector<Window> named_windows(Display* display, const std::string& name);
// Size of the window, {0, 0} when it cannot be read.
std::pair<int, int> window_size(Display* display, Window window);
std::string hex_id(unsigned long window);

}  // namespace lunabrelle::x11
