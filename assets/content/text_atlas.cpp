#include "text_atlas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "kit/blur.h"

namespace content {

namespace {

// Clear pixels between neighbours, so that the coarser mipmap levels of one
// text do not pick up its neighbours.
constexpr int kGap = 4;

// The shadow is strengthened beyond the blur's plain spread, so that it also
// reads as a thin dark rim hugging the letters.
constexpr double kShadowGain = 1.8;

}  // namespace

TextAtlas::TextAtlas(int width, int height, double ppu) : image(width, height), pixels_per_unit(ppu) {}

PlacedText TextAtlas::add(const TextPiece& piece) {
    const double em_px = piece.em * pixels_per_unit;
    const TextStyle& style = piece.style;
    const int blur = static_cast<int>(std::lround(style.shadow_blur * em_px));
    const int dx = static_cast<int>(std::lround(style.shadow_offset.x * em_px));
    const int dy = static_cast<int>(std::lround(style.shadow_offset.y * em_px));
    const int margin = 2 * blur + std::max(std::abs(dx), std::abs(dy)) + 2;
    const TextMask text = piece.font->render(piece.text, static_cast<int>(std::lround(em_px)), margin);
    const int w = text.mask.width, h = text.mask.height;

    if (cursor_x + w > image.width) {
        cursor_x = 0;
        cursor_y += row_height + kGap;
        row_height = 0;
    }
    if (w > image.width || cursor_y + h > image.height)
        throw std::length_error("no room for \"" + piece.text + "\" in a text texture");
    const int x0 = cursor_x, y0 = cursor_y;
    cursor_x += w + kGap;
    row_height = std::max(row_height, h);

    const kit::Mask shadow = kit::blurred(text.mask, blur, dx, dy);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            const double s = std::min(1.0, shadow.values[i] * kShadowGain) * style.shadow.a;
            const kit::Rgba under = kit::with_alpha(style.shadow, s);
            const kit::Rgba ink = kit::with_alpha(style.fill, text.mask.values[i] * style.fill.a);
            image.put(x0 + x, y0 + y, kit::over(ink, under));
        }

    PlacedText p;
    const double sw = image.width, sh = image.height;
    p.uv = {x0 / sw, y0 / sh, (x0 + w) / sw, (y0 + h) / sh};
    const double ax = text.origin.x + text.advance / 2.0, ay = text.origin.y - text.cap_height / 2.0;
    p.left = -ax / pixels_per_unit;
    p.right = (w - ax) / pixels_per_unit;
    p.top = ay / pixels_per_unit;
    p.bottom = (ay - h) / pixels_per_unit;
    p.advance = text.advance / pixels_per_unit;
    p.cap_height = text.cap_height / pixels_per_unit;
    return p;
}

kit::Mesh text_quad(const PlacedText& t, double x, double y, double x_scale) {
    return kit::quad({x + t.left * x_scale, y + t.bottom, 0.0}, {(t.right - t.left) * x_scale, 0.0, 0.0},
                     {0.0, t.top - t.bottom, 0.0}, t.uv);
}

}  // namespace content
