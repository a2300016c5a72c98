#include "platform/x11/saver_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/system/system.h"
#include "platform/x11/options.h"

namespace lunabrelle::x11 {

Window virtual_root(Display* display, int screen) {
    const Window root = RootWindow(display, screen);
    const Atom vroot_atom = XInternAtom(display, "__SWM_VROOT", False);
    Window root_return = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = root;
    if (XQueryTree(display, root, &root_return, &parent, &children, &count) == 0) return root;
    for (unsigned i = 0; i < count && found == root; ++i) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, children[i], vroot_atom, 0, 1, False, XA_WINDOW, &type, &format,
                               &items, &after, &data) == Success &&
            type == XA_WINDOW && format == 32 && items == 1 && data != nullptr) {
            Window vroot = 0;
            std::memcpy(&vroot, data, sizeof vroot);  // Xlib hands 32-bit items as longs
            if (vroot != 0) found = vroot;
        }
        if (data != nullptr) XFree(data);
    }
    if (children != nullptr) XFree(children);
    return found;
}

Window root_target(Display* display, int screen) {
    if (const char* variable = std::getenv("XSCREENSAVER_WINDOW"); variable != nullptr && *variable != '\0') {
        unsigned long id = 0;
        // Hosts write it in hexadecimal or decimal, sometimes with blanks.
        std::string text(variable);
        text.erase(0, text.find_first_not_of(" \t"));
        text.erase(text.find_last_not_of(" \t\n") + 1);
        if (parse_window_id(text, &id)) return static_cast<Window>(id);
        platform::log("XSCREENSAVER_WINDOW=\"" + std::string(variable) + "\" is not a window id; ignored");
    }
    return virtual_root(display, screen);
}

bool window_alive(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0;
}

bool adopt_window(Display* display, Window window, SaverWindow* out, std::string* error) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        char id[32];
        std::snprintf(id, sizeof id, "0x%lx", static_cast<unsigned long>(window));
        *error = std::string("there is no window ") + id;
        return false;
    }
    out->display = display;
    out->window = window;
    out->own = false;
    out->width = attributes.width;
    out->height = attributes.height;
    out->visual = XVisualIDFromVisual(attributes.visual);
    XSelectInput(display, window, StructureNotifyMask);
    return true;
}

bool create_own_window(Display* display, int screen, Visual* visual, int depth, const OwnWindowPlace& place,
                       SaverWindow* out, std::string* error) {
    const int width = place.width;
    const int height = place.height;
    const Window root = RootWindow(display, screen);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, visual, AllocNone);
    attributes.border_pixel = 0;
    // No background: the server does not clear the window before each
    // redraw, which would flash between frames while it is resized.
    attributes.background_pixmap = None;
    attributes.event_mask = StructureNotifyMask | KeyPressMask;
    const Window window =
        XCreateWindow(display, root, place.x, place.y, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                      depth, InputOutput, visual, CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask,
                      &attributes);
    if (window == 0) {
        XFreeColormap(display, attributes.colormap);
        *error = "cannot create a window";
        return false;
    }
    XStoreName(display, window, place.title.c_str());
    const Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, net_wm_name, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(place.title.data()), static_cast<int>(place.title.size()));
    if (place.user_placed || place.user_sized) {
        XSizeHints* hints = XAllocSizeHints();
        if (hints != nullptr) {
            hints->flags = (place.user_placed ? USPosition : 0) | (place.user_sized ? USSize : 0);
            hints->x = place.x;
            hints->y = place.y;
            hints->width = width;
            hints->height = height;
            XSetWMNormalHints(display, window, hints);
            XFree(hints);
        }
    }
    // _NET_WM_PID means something only together with the machine's name.
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        char* host_list[] = {host};
        XTextProperty machine{};
        if (XStringListToTextProperty(host_list, 1, &machine) != 0) {
            XSetWMClientMachine(display, window, &machine);
            XFree(machine.value);
        }
        const long pid = static_cast<long>(getpid());
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    }
    XClassHint class_hint{};
    char res_name[] = "lunabrelle";
    char res_class[] = "Lunabrelle";
    class_hint.res_name = res_name;
    class_hint.res_class = res_class;
    XSetClassHint(display, window, &class_hint);
    out->wm_delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &out->wm_delete_window, 1);
    XMapWindow(display, window);

    out->display = display;
    out->window = window;
    out->own = true;
    out->colormap = attributes.colormap;
    out->width = width;
    out->height = height;
    out->visual = XVisualIDFromVisual(visual);
    return true;
}

void destroy_own_window(SaverWindow* window) {
    if (!window->own) return;
    if (window->window != 0) XDestroyWindow(window->display, window->window);
    if (window->colormap != 0) XFreeColormap(window->display, window->colormap);
    window->window = 0;
    window->colormap = 0;
}

void toggle_fullscreen(const SaverWindow& window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window.window;
    event.xclient.message_type = XInternAtom(window.display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // _NET_WM_STATE_TOGGLE
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(window.display, "_NET_WM_STATE_FULLSCREEN", False));
    event.xclient.data.l[2] = 0;
    event.xclient.data.l[3] = 1;  // a normal application asks
    XSendEvent(window.display, DefaultRootWindow(window.display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace lunabrelle::x11
