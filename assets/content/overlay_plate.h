// Soft translucent plates that keep the overlays legible over the meadow:
// rounded rectangles and discs painted to fill a whole texture, and the quads
// that show them.
#pragma once

#include "kit/image.h"
#include "kit/mesh.h"

namespace content {

struct PlateStyle {
    kit::Rgba top{0.0f, 0.0f, 0.0f, 0.46f};     // fill at the upper edge
    kit::Rgba bottom{0.0f, 0.0f, 0.0f, 0.56f};  // fill at the lower edge
    kit::Rgba rim{1.0f, 0.96f, 0.86f, 0.16f};   // thin line just inside the edge
    double radius = 1.5;    // corner radius, scene units
    double softness = 0.35; // width of the edge's fade, scene units
    double inset = 0.15;    // clear border between the shape and the quad's edge
};

// A rounded rectangle filling a width x height (scene units) quad, painted
// into a pixels_wide x pixels_high texture (the shape is drawn in scene
// units, so the texture need not have the quad's proportions).
kit::Image paint_plate(int pixels_wide, int pixels_high, double width, double height, const PlateStyle& style);

// A quad facing +z from (x0, y0) to (x1, y1) showing the whole texture.
kit::Mesh plate_quad(double x0, double y0, double x1, double y1);

// Signed distance (negative inside) from p to the rounded rectangle of the
// given half sizes and corner radius centred on the origin.
double rounded_box_distance(kit::Vec2 p, kit::Vec2 half, double radius);

}  // namespace content
