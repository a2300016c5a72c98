// Which GLX frame-buffer configuration the host draws with, decided on plain
// records of their attributes so that the rule can be checked without a
// display.
//
// In a window of its own the host takes a double-buffered RGB configuration
// of at least 8 bits a channel whose X visual has the screen's default depth
// (a 32-bit visual would make the window see-through wherever the scene
// leaves alpha at 0). In a window it is given, it keeps that window's visual
// and picks among the configurations of exactly that visual, double-buffered
// ones first; a single-buffered visual gives a single-buffered configuration.
#pragma once

#include <vector>

namespace lunabrelle::x11 {

struct FbConfigTraits {
    unsigned long visual_id = 0;  // X visual of the configuration, 0 for none
    int visual_depth = 0;         // bits per pixel of that visual
    bool true_color = false;      // the visual is TrueColor or DirectColor
    bool rgba = false;            // GLX_RGBA_BIT in GLX_RENDER_TYPE
    bool window_bit = false;      // GLX_WINDOW_BIT in GLX_DRAWABLE_TYPE
    bool double_buffered = false;
    bool slow = false;            // GLX_CONFIG_CAVEAT is GLX_SLOW_CONFIG
    int red = 0, green = 0, blue = 0, alpha = 0;
    int depth = 0;    // depth buffer bits
    int stencil = 0;  // stencil bits
    int samples = 0;  // multisample samples
};

// Index of the configuration for a window of our own on a screen whose
// default depth is default_depth; -1 when none fits.
int choose_own_window_config(const std::vector<FbConfigTraits>& configs, int default_depth);

// Index of the configuration for a window whose visual is visual_id; -1 when
// no usable configuration has that visual.
int choose_config_for_visual(const std::vector<FbConfigTraits>& configs, unsigned long visual_id);

}  // namespace lunabrelle::x11
