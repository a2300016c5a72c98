#include "flora_atlas.h"

#include "blooms.h"
#include "foliage.h"
#include "kit/paint.h"

namespace content {

Cell bloom_cell(Bloom kind) {
    const int i = static_cast<int>(kind);
    return {(i % 4) * 128, (i / 4) * 128, 128, 128};
}

Cell foliage_cell(Foliage kind) {
    switch (kind) {
        case Foliage::grass_tall: return {0, 384, 192, 128};
        case Foliage::grass_short: return {192, 384, 128, 128};
        case Foliage::leaf_lance: return {320, 384, 64, 128};
        case Foliage::leaf_broad: return {384, 384, 64, 128};
        case Foliage::trefoil: return {448, 384, 64, 64};
        case Foliage::stem: return {448, 448, 64, 64};
    }
    return {};
}

kit::UvRect uv_of(const Cell& c) {
    return {double(c.x) / kAtlasSize, double(c.y) / kAtlasSize, double(c.x + c.width) / kAtlasSize,
            double(c.y + c.height) / kAtlasSize};
}

kit::Image paint_flora_atlas() {
    kit::Image atlas(kAtlasSize, kAtlasSize);
    for (int i = 0; i < kBloomKinds; ++i) {
        const Bloom kind = static_cast<Bloom>(i);
        const Cell c = bloom_cell(kind);
        const kit::Image head = paint_bloom(kind, c.width);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) atlas.put(c.x + x, c.y + y, head.at(x, y));
    }
    for (Foliage kind : {Foliage::grass_tall, Foliage::grass_short, Foliage::leaf_lance, Foliage::leaf_broad,
                         Foliage::trefoil, Foliage::stem}) {
        const Cell c = foliage_cell(kind);
        const kit::Image part = paint_foliage(kind, c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) atlas.put(c.x + x, c.y + y, part.at(x, y));
    }
    // Each cell was bled on its own; bleed once more so clear gaps between
    // cells carry colour too.
    kit::bleed_edges(atlas, 4);
    return atlas;
}

}  // namespace content
