// Outlines of painted shapes as polygons, so that a shape can be drawn as
// opaque geometry clipped to its outline instead of as an alpha-tested card
// (the card's clear parts cost as much to fill as its painted ones).
#pragma once

#include <span>
#include <vector>

#include "image.h"
#include "mesh.h"
#include "shapes.h"
#include "vec.h"

namespace kit {

// Pixel rectangle of an image.
struct PixelBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The outline of the painted shape (alpha at least one half) in box around
// centre: along each of samples rays (at least 3, counter-clockwise on
// screen, starting towards +x) the farthest painted point reached, from the
// first painted one on, without crossing more than max_gap pixels of clear
// space (so specks of florets join up, while the clear space between petals
// stays open). A ray that finds no paint stays at centre. Points in pixels,
// half a pixel apart.
std::vector<Vec2> radial_outline(const Image& image, const PixelBox& box, Vec2 centre, int samples,
                                 double max_gap);

// Drops the points of a closed polygon that add the least area (Visvalingam)
// until keep (at least 3) remain; the points kept stay in order.
std::vector<Vec2> simplify_outline(std::vector<Vec2> polygon, std::size_t keep);

// A flat fan over the polygon around centre on the card corner, corner + u,
// corner + u + v, corner + v, textured as kit::quad textures that card. The
// polygon and centre are given in pixels of box in an image of image_size
// (image rows top first), which the card shows upright: the box's bottom row
// at corner, its top row at corner + v. The polygon must be star-shaped from
// centre. Normals along cross(u, v).
Mesh outline_card(Vec3 corner, Vec3 u, Vec3 v, const PixelBox& box, int image_width, int image_height,
                  std::span<const Vec2> polygon, Vec2 centre);

}  // namespace kit
