// The GLX frame-buffer configurations of a screen and their attributes.
#pragma once

#include <GL/glx.h>

#include <vector>

#include "platform/x11/fb_config_choice.h"

namespace lunabrelle::x11 {

struct GlxConfigs {
    std::vector<GLXFBConfig> configs;  // owned by Xlib, valid while the display is open
    std::vector<FbConfigTraits> traits;  // same order
};

// Every configuration of the screen. Empty when GLX is missing or older than 1.3.
GlxConfigs read_glx_configs(Display* display, int screen);

}  // namespace lunabrelle::x11
