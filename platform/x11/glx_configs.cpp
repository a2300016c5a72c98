#include "platform/x11/glx_configs.h"

#include <X11/Xutil.h>

namespace lunabrelle::x11 {
namespace {

int attribute(Display* display, GLXFBConfig config, int name) {
    int value = 0;
    if (glXGetFBConfigAttrib(display, config, name, &value) != Success) return 0;
    return value;
}

}  // namespace

GlxConfigs read_glx_configs(Display* display, int screen) {
    GlxConfigs out;
    int major = 0, minor = 0;
    if (!glXQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 3)) return out;
    int count = 0;
    GLXFBConfig* list = glXGetFBConfigs(display, screen, &count);
    if (list == nullptr) return out;
    for (int i = 0; i < count; ++i) {
        FbConfigTraits t;
        t.visual_id = static_cast<unsigned long>(attribute(display, list[i], GLX_VISUAL_ID));
        if (XVisualInfo* info = glXGetVisualFromFBConfig(display, list[i])) {
            t.visual_depth = info->depth;
            t.true_color = info->c_class == TrueColor || info->c_class == DirectColor;
            XFree(info);
        }
        t.rgba = (attribute(display, list[i], GLX_RENDER_TYPE) & GLX_RGBA_BIT) != 0;
        t.window_bit = (attribute(display, list[i], GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) != 0;
        t.double_buffered = attribute(display, list[i], GLX_DOUBLEBUFFER) != 0;
        t.slow = attribute(display, list[i], GLX_CONFIG_CAVEAT) == GLX_SLOW_CONFIG;
        t.red = attribute(display, list[i], GLX_RED_SIZE);
        t.green = attribute(display, list[i], GLX_GREEN_SIZE);
        t.blue = attribute(display, list[i], GLX_BLUE_SIZE);
        t.alpha = attribute(display, list[i], GLX_ALPHA_SIZE);
        t.depth = attribute(display, list[i], GLX_DEPTH_SIZE);
        t.stencil = attribute(display, list[i], GLX_STENCIL_SIZE);
        t.samples = attribute(display, list[i], GLX_SAMPLES);
        out.configs.push_back(list[i]);
        out.traits.push_back(t);
    }
    XFree(list);
    return out;
}

}  // namespace lunabrelle::x11
