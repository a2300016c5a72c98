// The saver view's OpenGL subview on X11: a GLX context drawing into an X
// window the host owns or was given. The context is double-buffered when the
// window's configuration is; the host then shows each frame with swap().
#pragma once

#include <GL/glx.h>

#include "host/gl_surface.h"

namespace lunabrelle::x11 {

class GlxSurface : public GlSurface {
public:
    // window must exist with the visual of config; both outlive the surface
    // until it is destroyed or moved off the window (use_stand_in).
    GlxSurface(Display* display, Window window, GLXFBConfig config, bool double_buffered);
    ~GlxSurface() override;
    GlxSurface(const GlxSurface&) = delete;
    GlxSurface& operator=(const GlxSurface&) = delete;

    bool create() override;
    bool make_current() override;
    // The X window already has its new size; the context only becomes current.
    void resize(double width, double height) override;

    // Shows the frame just drawn: a buffer swap when double-buffered (the frame
    // driver's glFlush has already shown it otherwise).
    void swap();

    // Synchronises swaps with the display's refresh through whichever of
    // GLX_EXT_swap_control, GLX_MESA_swap_control and GLX_SGI_swap_control
    // exists. Needs the context current. False when none does.
    bool sync_to_refresh();

    // The window is gone: the context moves to a small unmapped window of its
    // own (or to no drawable at all, where GL calls do nothing), so that the
    // world can still be drained and freed.
    void use_stand_in();

    Display* display;
    Window window;
    GLXFBConfig config;
    bool double_buffered;
    GLXContext context = nullptr;
    Window stand_in = 0;         // created by use_stand_in
    Colormap stand_in_map = 0;  // its colormap
};

}  // namespace lunabrelle::x11
