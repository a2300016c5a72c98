#include "platform/x11/glx_surface.h"

#include <X11/Xutil.h>

#include <cstring>

#include "platform/x11/x_errors.h"

namespace lunabrelle::x11 {
namespace {

bool has_extension(Display* display, const char* name) {
    const char* list = glXQueryExtensionsString(display, DefaultScreen(display));
    if (list == nullptr) return false;
    const std::size_t length = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += length) {
        const bool starts = p == list || p[-1] == ' ';
        const bool ends = p[length] == '\0' || p[length] == ' ';
        if (starts && ends) return true;
    }
    return false;
}

template <class Function>
Function lookup(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

GlxSurface::GlxSurface(Display* display, Window window, GLXFBConfig config, bool double_buffered)
    : display(display), window(window), config(config), double_buffered(double_buffered) {}

GlxSurface::~GlxSurface() {
    if (context != nullptr) {
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, context);
    }
    if (stand_in != 0) XDestroyWindow(display, stand_in);
    if (stand_in_map != 0) XFreeColormap(display, stand_in_map);
}

bool GlxSurface::create() {
    if (context != nullptr) return true;
    context = glXCreateNewContext(display, config, GLX_RGBA_TYPE, nullptr, True);
    if (context == nullptr) return false;
    // The driver sets up its drawable on the first make-current: the server
    // must still be there.
    check_connection(display);
    return make_current();
}

bool GlxSurface::make_current() {
    if (context == nullptr) return false;
    const Window target = stand_in != 0 ? stand_in : window;
    if (glXGetCurrentContext() == context && glXGetCurrentDrawable() == target) return true;
    return glXMakeCurrent(display, target, context) == True;
}

void GlxSurface::resize(double, double) { make_current(); }

void GlxSurface::swap() {
    if (double_buffered && stand_in == 0) glXSwapBuffers(display, window);
}

bool GlxSurface::sync_to_refresh() {
    if (has_extension(display, "GLX_EXT_swap_control")) {
        using Fn = void (*)(Display*, GLXDrawable, int);
        if (auto fn = lookup<Fn>("glXSwapIntervalEXT")) {
            fn(display, window, 1);
            return true;
        }
    }
    if (has_extension(display, "GLX_MESA_swap_control")) {
        using Fn = int (*)(unsigned);
        if (auto fn = lookup<Fn>("glXSwapIntervalMESA")) return fn(1) == 0;
    }
    if (has_extension(display, "GLX_SGI_swap_control")) {
        using Fn = int (*)(int);
        if (auto fn = lookup<Fn>("glXSwapIntervalSGI")) return fn(1) == 0;
    }
    return false;
}

void GlxSurface::use_stand_in() {
    if (stand_in != 0 || context == nullptr) return;
    XVisualInfo* info = glXGetVisualFromFBConfig(display, config);
    if (info != nullptr) {
        const Window root = RootWindow(display, info->screen);
        stand_in_map = XCreateColormap(display, root, info->visual, AllocNone);
        XSetWindowAttributes attributes{};
        attributes.colormap = stand_in_map;
        attributes.border_pixel = 0;
        stand_in = XCreateWindow(display, root, 0, 0, 1, 1, 0, info->depth, InputOutput, info->visual,
                                 CWColormap | CWBorderPixel, &attributes);
        XFree(info);
    }
    if (stand_in == 0 || glXMakeCurrent(display, stand_in, context) != True)
        glXMakeCurrent(display, None, nullptr);
}

}  // namespace lunabrelle::x11
