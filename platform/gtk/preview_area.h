// The live preview of the settings dialog: the saver view drawing, in this
// process, into the X window of a GtkDrawingArea through a GLX context of
// that window's visual, one frame every animation interval of the view.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "host/saver_view.h"
#include "platform/x11/glx_surface.h"

namespace lunabrelle::gtk {

class PreviewArea {
public:
    PreviewArea() = default;
    ~PreviewArea();  // stop()
    PreviewArea(const PreviewArea&) = delete;
    PreviewArea& operator=(const PreviewArea&) = delete;

    // Gives area, which must not be realized yet, the X visual of the GLX
    // configuration the scene needs (full colour, a depth buffer, double
    // buffering where there is one). GTK's own visual suits its GL, which
    // draws into textures and needs no depth buffer in the window. False when
    // the display is not an X11 one or has no such configuration.
    static bool choose_visual(GtkWidget* area);

    // Gives area a native X window, creates the view's subview on it, starts
    // the view's animation and its ticks. area and view must outlive the
    // preview or its stop(). False when the window is not an X11 one or no
    // GLX context fits its visual; the view then logs "Couldn't initialize
    // OpenGL" and nothing runs.
    bool start(quorvixlunabrelle& view, GtkWidget* area);

    // Stops the view's animation (its world is drained and freed with the
    // preview's context current), the ticks and the context. Idempotent.
    void stop();

    // One tick: the view draws a frame, which is then shown.
    void tick();

    quorvixlunabrelle* view = nullptr;
    GtkWidget* area = nullptr;
    std::unique_ptr<x11::GlxSurface> surface;
    guint timer = 0;           // the tick's source
    gulong size_handler = 0;   // size-allocate of area
};

}  // namespace lunabrelle::gtk
