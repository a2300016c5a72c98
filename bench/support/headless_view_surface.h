// The saver view's OpenGL subview on a headless EGL context, for measuring
// tools: the pbuffer takes the view's size in whole pixels (at least 1 x 1).
#pragma once

#include <algorithm>

#include "host/gl_surface.h"
#include "host/saver_view.h"
#include "platform/egl/headless_gl.h"

namespace lunabrelle::bench {

class HeadlessViewSurface : public GlSurface {
public:
    bool create() override { return gl.create(1, 1, nullptr); }
    bool make_current() override { return gl.make_current(); }
    void resize(double width, double height) override {
        gl.resize(std::max(1, whole_units(width)), std::max(1, whole_units(height)), nullptr);
    }

    HeadlessGl gl;
};

}  // namespace lunabrelle::bench
