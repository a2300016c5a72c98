// The saver view's OpenGL subview on a headless EGL context: the pbuffer takes
// the view's size in whole pixels (at least 1 x 1).
#pragma once

#include <string>

#include "host/gl_surface.h"
#include "platform/egl/headless_gl.h"

namespace lunabrelle {

class HeadlessSurface : public GlSurface {
public:
    bool create() override;
    bool make_current() override;
    void resize(double width, double height) override;

    HeadlessGl gl;
    std::string error;  // the last failure of create or resize
};

}  // namespace lunabrelle
