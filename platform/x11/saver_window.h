// The X window the saver draws in: one of its own, or one it is given (the
// root, the virtual root, the screen saver's window, a window id). A window
// of its own is created, mapped, titled and destroyed here; a given window is
// only watched (StructureNotifyMask: its size and its destruction), never
// mapped, grabbed or drawn on except through GL.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace lunabrelle::x11 {

struct SaverWindow {
    Display* display = nullptr;
    Window window = 0;
    bool own = false;        // created here; destroyed by destroy_own_window
    Colormap colormap = 0;   // of a window of our own
    int width = 0;
    int height = 0;
    VisualID visual = 0;
    Atom wm_delete_window = 0;  // of a window of our own
};

// The root window of the screen, or the virtual root a window manager or
// screen saver put in front of it (a child of the root carrying __SWM_VROOT).
Window virtual_root(Display* display, int screen);

// Where -root draws: the window in $XSCREENSAVER_WINDOW when that holds a
// window id, else virtual_root.
Window root_target(Display* display, int screen);

// Takes the existing window as the target: reads its size and visual and
// selects StructureNotifyMask on it. False, with a message, when the window
// does not exist.
bool adopt_window(Display* display, Window window, SaverWindow* out, std::string* error);

// Where and how a window of our own appears.
struct OwnWindowPlace {
    int x = 0, y = 0;
    int width = 1280, height = 720;
    bool user_placed = false;  // x and y were asked for (-geometry): the window manager should keep them
    bool user_sized = false;   // likewise for width and height
    std::string title = "Lunabrelle";
};

// Creates and maps a resizable top-level window with the given visual,
// taking keys and the window manager's close request. It carries the title,
// class "lunabrelle" / "Lunabrelle", and _NET_WM_PID with WM_CLIENT_MACHINE
// (so that a window manager can end a hung saver).
bool create_own_window(Display* display, int screen, Visual* visual, int depth, const OwnWindowPlace& place,
                       SaverWindow* out, std::string* error);

void destroy_own_window(SaverWindow* window);

// Asks the window manager to toggle full screen (_NET_WM_STATE_FULLSCREEN).
void toggle_fullscreen(const SaverWindow& window);

// Whether the window still exists (a round trip; errors are not fatal).
bool window_alive(Display* display, Window window);

}  // namespace lunabrelle::x11
