// Painting operations on RGBA8 images: shaders over boxes, gradients, soft
// discs, ellipses and strokes, anti-aliased polygons, and edge bleeding for
// textures that are alpha-tested. Coordinates are in pixels with (0, 0) the
// top-left corner of the top-left pixel; a pixel is sampled at its centre.
// Everything is composited with "over" unless said otherwise.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "image.h"
#include "vec.h"

namespace kit {

// Half-open pixel box [x0, x1) x [y0, y1); clipped to the image when used.
struct Box {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

// Colour (with coverage in its alpha) at a pixel centre.
using Shader = std::function<Rgba(double x, double y)>;

void paint(Image& image, Box box, const Shader& shader);
void paint(Image& image, const Shader& shader);  // the whole image

// Hermite step from 0 at e0 to 1 at e1.
double smoothstep(double e0, double e1, double x);

// Coverage of a shape at signed distance d (negative inside): 1 well inside,
// 0 well outside, a smooth ramp softness pixels wide centred on the outline.
double coverage(double d, double softness);

struct GradientStop {
    double at = 0.0;  // position, stops in increasing order
    Rgba color;
};

// Colour at t, linear between neighbouring stops, clamped at both ends.
Rgba gradient(std::span<const GradientStop> stops, double t);

void paint_disc(Image& image, Vec2 centre, double radius, double softness, Rgba color);

// Ellipse with semi-axes radii.x along the angle (degrees, clockwise on
// screen since y grows downwards) and radii.y across it.
void paint_ellipse(Image& image, Vec2 centre, Vec2 radii, double angle_degrees, double softness, Rgba color);

// A polyline with round joints and ends, its width changing linearly along
// the path from width_start to width_end. Overlapping segments do not
// darken each other: coverage is the maximum over segments.
void paint_stroke(Image& image, std::span<const Vec2> path, double width_start, double width_end,
                  double softness, Rgba color);

// Coverage values in [0, 1], one per pixel, rows top first.
class Mask {
public:
    Mask() = default;
    Mask(int width, int height) : width(width), height(height), values(static_cast<std::size_t>(width) * height) {}
    float at(int x, int y) const;

    int width = 0;
    int height = 0;
    std::vector<float> values;
};

// Anti-aliased coverage of a closed polygon (even-odd rule): exact across
// each row, sampled at samples sub-rows per pixel row.
Mask polygon_mask(int width, int height, std::span<const Vec2> polygon, int samples = 4);

// The shader's colour with its alpha multiplied by the mask, over the image.
void paint_masked(Image& image, const Mask& mask, const Shader& shader);

// Multiplies every pixel's alpha by the mask (clipping a layer to a shape).
void clip_to_mask(Image& image, const Mask& mask);

// Distance in pixels from each pixel whose coverage is at least one half to
// the nearest pixel below one half (0 outside), by a 3-4 chamfer: within a
// few percent of the true distance.
std::vector<float> distance_inside(const Mask& mask);

// src over dst, src's top-left corner at (x, y) in dst.
void draw_image(Image& dst, const Image& src, int x, int y);

// Points on a closed Catmull-Rom spline through the control points, steps per
// span; handy for smooth organic outlines.
std::vector<Vec2> closed_spline(std::span<const Vec2> controls, int steps);

// Gives fully transparent pixels the colour of their painted neighbours
// (alpha left at 0), growing passes pixels outwards, so texture filtering
// near an outline does not pull in black.
void bleed_edges(Image& image, int passes);

}  // namespace kit
