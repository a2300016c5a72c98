// The flora atlas: one picture holding every flower head, leaf, grass blade
// and stem of the flower bed, so the whole bed draws from one texture. The
// bed draws it opaque, on polygons cut to the painted outlines: in the
// painting, shapes are opaque and the rest clear (the outlines are read from
// that), with outline colours bled outwards so filtering at the polygons'
// edges finds no black.
#pragma once

#include "kit/image.h"
#include "kit/shapes.h"

namespace content {

enum class Bloom {
    daisy,
    poppy,
    cornflower,
    buttercup,
    cosmos_pink,
    cosmos_magenta,
    clover,
    scabious,
    coneflower,
    chamomile,
    poppy_orange,
    bellflower,
};
constexpr int kBloomKinds = 12;

enum class Foliage {
    grass_tall,   // opaque strip of blade colours, bands across
    grass_short,  // the same, other greens
    leaf_lance,
    leaf_broad,
    trefoil,
    stem,  // fully opaque: its card may be sampled anywhere inside
};

constexpr int kAtlasSize = 512;

// Pixel rectangle of a picture in the atlas.
struct Cell {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

Cell bloom_cell(Bloom kind);
Cell foliage_cell(Foliage kind);

// The cell as texture coordinates (t0 its top edge).
kit::UvRect uv_of(const Cell& cell);

// Flower heads fill a disc of this fraction of their cell's width, centred,
// so that a hexagon whose corners touch the cell's inscribed circle holds it.
constexpr double kHeadFill = 0.43;

kit::Image paint_flora_atlas();

}  // namespace content
