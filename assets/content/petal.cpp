#include "petal.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "kit/paint.h"

namespace content {

using kit::Vec2;

void paint_petal(kit::Image& image, Vec2 centre, const PetalShape& shape, const PetalColor& color) {
    const Vec2 dir{std::cos(shape.angle), std::sin(shape.angle)};
    const Vec2 side{-dir.y, dir.x};
    const double length = shape.r1 - shape.r0;
    auto at = [&](double t, double across) { return centre + dir * (shape.r0 + t * length) + side * across; };

    constexpr int kSteps = 20;
    std::vector<Vec2> outline;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = double(i) / kSteps;
        outline.push_back(at(t, shape.half_width(t)));
    }
    const double tip = shape.half_width(1.0);
    if (shape.teeth > 0 && tip > 0.0) {
        constexpr int kTipSteps = 24;
        for (int i = 1; i < kTipSteps; ++i) {
            const double sigma = double(i) / kTipSteps;
            const double notch = std::fabs(std::sin(sigma * shape.teeth * std::numbers::pi));
            const double back = shape.tooth_depth * (1.0 - notch) / length;
            outline.push_back(at(1.0 - back, tip * (1.0 - 2.0 * sigma)));
        }
    }
    for (int i = kSteps; i >= 0; --i) {
        const double t = double(i) / kSteps;
        outline.push_back(at(t, -shape.half_width(t)));
    }

    const kit::Mask mask = kit::polygon_mask(image.width, image.height, outline);
    kit::paint_masked(image, mask, [&](double x, double y) {
        const Vec2 d = Vec2{x, y} - centre;
        const double t = std::clamp((dot(d, dir) - shape.r0) / length, 0.0, 1.0);
        const double w = std::max(shape.half_width(t), 0.5);
        return color(t, std::clamp(dot(d, side) / w, -1.0, 1.0));
    });
}

std::function<double(double)> strap_profile(double width) {
    return [width](double t) {
        const double grow = std::sqrt(kit::smoothstep(0.0, 0.3, t)) * 0.75 + 0.25;
        const double end = t < 0.8 ? 1.0 : std::sqrt(std::max(0.0, 1.0 - std::pow((t - 0.8) / 0.2, 2.0)));
        return width * grow * end;
    };
}

std::function<double(double)> obovate_profile(double width) {
    return [width](double t) {
        const double u = std::pow(t, 1.4);
        return width * (0.25 + 0.75 * std::sin(std::numbers::pi * (0.1 + 0.75 * u)));
    };
}

std::function<double(double)> funnel_profile(double width) {
    return [width](double t) { return width * (0.18 + 0.82 * std::pow(t, 1.6)); };
}

}  // namespace content
