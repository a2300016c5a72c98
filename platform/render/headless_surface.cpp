#include "platform/render/headless_surface.h"

#include <algorithm>

#include "host/saver_view.h"

namespace lunabrelle {

// The subview starts with no size of its own; a pbuffer needs at least one pixel.
bool HeadlessSurface::create() { return gl.create(1, 1, &error); }

bool HeadlessSurface::make_current() { return gl.make_current(); }

void HeadlessSurface::resize(double width, double height) {
    gl.resize(std::max(1, whole_units(width)), std::max(1, whole_units(height)), &error);
}

}  // namespace lunabrelle
