#include "platform/gtk/preview_area.h"

#include <gdk/gdkx.h>

#include <cmath>

#include "platform/x11/fb_config_choice.h"
#include "platform/x11/glx_configs.h"

namespace lunabrelle::gtk {
namespace {

gboolean on_tick(gpointer self) {
    static_cast<PreviewArea*>(self)->tick();
    return G_SOURCE_CONTINUE;
}

// The view's size is the area's in device pixels, the units of its GL viewport.
void on_size(GtkWidget* area, GdkRectangle* allocation, gpointer self) {
    auto* preview = static_cast<PreviewArea*>(self);
    const int scale = gtk_widget_get_scale_factor(area);
    const double width = double(allocation->width) * scale;
    const double height = double(allocation->height) * scale;
    quorvixlunabrelle& view = *preview->view;
    if (width != view.frame_width || height != view.frame_height) view.setFrameSize(width, height);
}

}  // namespace

PreviewArea::~PreviewArea() { stop(); }

bool PreviewArea::choose_visual(GtkWidget* area) {
    GdkScreen* screen = gtk_widget_get_screen(area);
    if (!GDK_IS_X11_SCREEN(screen)) return false;
    Display* display = GDK_SCREEN_XDISPLAY(screen);
    const int number = gdk_x11_screen_get_screen_number(screen);
    const x11::GlxConfigs configs = x11::read_glx_configs(display, number);
    const int chosen = x11::choose_own_window_config(configs.traits, DefaultDepth(display, number));
    if (chosen < 0) return false;
    GdkVisual* visual = gdk_x11_screen_lookup_visual(screen, configs.traits[chosen].visual_id);
    if (visual == nullptr) return false;
    gtk_widget_set_visual(area, visual);
    return true;
}

bool PreviewArea::start(quorvixlunabrelle& v, GtkWidget* a) {
    stop();
    gtk_widget_realize(a);
    GdkWindow* window = gtk_widget_get_window(a);
    if (window == nullptr || !GDK_IS_X11_WINDOW(window) || !gdk_window_ensure_native(window)) return false;
    Display* display = GDK_WINDOW_XDISPLAY(window);
    const int screen = gdk_x11_screen_get_screen_number(gdk_window_get_screen(window));
    const VisualID visual = XVisualIDFromVisual(gdk_x11_visual_get_xvisual(gdk_window_get_visual(window)));

    // The context must draw with the window's own visual.
    const x11::GlxConfigs configs = x11::read_glx_configs(display, screen);
    const int chosen = x11::choose_config_for_visual(configs.traits, visual);
    if (chosen >= 0)
        surface = std::make_unique<x11::GlxSurface>(display, GDK_WINDOW_XID(window), configs.configs[chosen],
                                                    configs.traits[chosen].double_buffered);
    const int scale = gtk_widget_get_scale_factor(a);
    const double width = double(gtk_widget_get_allocated_width(a)) * scale;
    const double height = double(gtk_widget_get_allocated_height(a)) * scale;
    if (!v.initWithFrame(width, height, true, surface.get())) {
        surface.reset();
        return false;
    }
    view = &v;
    area = a;
    view->setFrameSize(width, height);
    view->startAnimation();
    size_handler = g_signal_connect(area, "size-allocate", G_CALLBACK(on_size), this);
    const auto interval = static_cast<guint>(std::lround(view->animation_interval * 1000.0));
    timer = g_timeout_add(interval, on_tick, this);
    return true;
}

void PreviewArea::stop() {
    if (view == nullptr) return;
    g_source_remove(timer);
    g_signal_handler_disconnect(area, size_handler);
    // The drain draws its frames into the context that is current.
    surface->make_current();
    view->stopAnimation();
    view->glView = nullptr;
    surface.reset();
    view = nullptr;
    area = nullptr;
    timer = 0;
    size_handler = 0;
}

void PreviewArea::tick() {
    view->animateOneFrame();
    surface->swap();
    // The frame's requests go out now, not when GTK next flushes.
    gdk_display_flush(gtk_widget_get_display(area));
}

}  // namespace lunabrelle::gtk
