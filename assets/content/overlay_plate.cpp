#include "overlay_plate.h"

#include <algorithm>
#include <cmath>

#include "kit/paint.h"
#include "kit/shapes.h"

namespace content {

double rounded_box_distance(kit::Vec2 p, kit::Vec2 half, double radius) {
    const double qx = std::fabs(p.x) - (half.x - radius), qy = std::fabs(p.y) - (half.y - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

kit::Image paint_plate(int pixels_wide, int pixels_high, double width, double height, const PlateStyle& style) {
    kit::Image image(pixels_wide, pixels_high);
    const kit::Vec2 half{width / 2.0 - style.inset, height / 2.0 - style.inset};
    const double ux = width / pixels_wide, uy = height / pixels_high;
    const double soft = style.softness;
    kit::paint(image, [&](double px, double py) {
        const kit::Vec2 p{px * ux - width / 2.0, height / 2.0 - py * uy};
        // The fade lies inside the shape, so nothing of it is cut by the quad.
        const double d = rounded_box_distance(p, half, style.radius) + soft / 2.0;
        const double cover = kit::coverage(d, soft);
        if (cover <= 0.0) return kit::Rgba{};
        const kit::Rgba fill = kit::mix(style.top, style.bottom, std::clamp(0.5 - p.y / (2.0 * half.y), 0.0, 1.0));
        const double rim_width = std::max(ux, uy) * 1.2;
        const double rim = kit::coverage(std::fabs(d + soft / 2.0 + rim_width) - rim_width / 2.0, rim_width);
        const kit::Rgba c = kit::over(kit::with_alpha(style.rim, style.rim.a * rim), fill);
        return kit::with_alpha(c, c.a * cover);
    });
    return image;
}

kit::Mesh plate_quad(double x0, double y0, double x1, double y1) {
    return kit::quad({x0, y0, 0.0}, {x1 - x0, 0.0, 0.0}, {0.0, y1 - y0, 0.0});
}

}  // namespace content
