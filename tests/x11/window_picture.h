// What an X window shows, read back with XGetImage, and the test's own
// windows to hand to the saver.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>

namespace lunabrelle::x11 {

// Pixels of a rectangle of the window whose colour is not (nearly) black;
// -1 when the window cannot be read (gone, unmapped).
long lit_pixels(Display* display, Window window, int x, int y, int width, int height);

// lit_pixels over the whole window.
long lit_pixels(Display* display, Window window);

// Checks condition every 50 ms for up to timeout_ms; true once it holds.
bool eventually(int timeout_ms, const std::function<bool()>& condition);

// A top-level window of the test with the visual (default visual when null),
// mapped when asked; no input selected.
Window make_window(Display* display, int width, int height, Visual* visual, int depth, bool map);

// The top-level window whose name is name, 0 when there is none.
Window find_named_window(Display* display, const std::string& name);

// Size of the window, {0, 0} when it cannot be read.
std::pair<int, int> window_size(Display* display, Window window);

}  // namespace lunabrelle::x11
