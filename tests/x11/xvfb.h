// For the end-to-end tests: an Xvfb of the test's own, the programs started
// on it, and what its windows show (read back with XGetImage).
#pragma once

#include <X11/Xlib.h>
#include <spawn.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lunabrelle::x11 {

// Generous bounds: a sanitizer build on a loaded machine may take a minute
// for its first frame (archives read, textures built, shaders compiled).
constexpr int kAppearMs = 120000;
constexpr int kStopMs = 30000;

std::string build_dir();  // $LUNABRELLE_BUILD_DIR, else "."

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

// Starts args[0] (a path) with args, the test's environment changed by env
// (NAME=VALUE replaces NAME; NAME= alone removes it). Returns the pid, or -1.
pid_t spawn_process(const std::vector<std::string>& args, const std::vector<std::string>& env,
                    const posix_spawn_file_actions_t* actions = nullptr);
// Waits up to timeout_ms for the child; true with its wait status when it ended.
bool wait_process(pid_t pid, int timeout_ms, int* status);
// SIGTERM, then SIGKILL if it has not ended after timeout_ms; reaps it.
void stop_process(pid_t pid, int timeout_ms);
// Runs the program with stdout and stderr into one text, for up to
// timeout_ms. Returns {exit status (128 + signal; -1 if it hung), output}.
std::pair<int, std::string> run_capture(const std::vector<std::string>& args, const std::vector<std::string>& env,
                                        int timeout_ms);

// Pixels of the rectangle (the whole window without one) that are not
// (nearly) black, in a 24-bit TrueColor window as every test server has;
// -1 when the window cannot be read (gone, unmapped).
long lit_pixels(Display* display, Window window, int x, int y, int width, int height);
long lit_pixels(Display* display, Window window);
// Checks condition every 50 ms for up to timeout_ms; true once it holds.
bool eventually(int timeout_ms, const std::function<bool()>& condition);
// A top-level window of the test with the visual (default visual when null),
// mapped when asked; no input selected.
Window make_window(Display* display, int width, int height, Visual* visual, int depth, bool map);
// The top-level windows titled name.
std::vector<Window> named_windows(Display* display, const std::string& name);
// Size of the window, {0, 0} when it cannot be read.
std::pair<int, int> window_size(Display* display, Window window);
std::string hex_id(unsigned long window);

}  // namespace lunabrelle::x11
