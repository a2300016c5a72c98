// Texts painted side by side into one texture, each with a soft dark shadow
// so that it stays legible over a bright picture, and the quads that show
// them. Scene units: x right, y up; the texture has t = 0 at its top row.
#pragma once

#include <string>

#include "glyph_font.h"
#include "kit/image.h"
#include "kit/mesh.h"
#include "kit/shapes.h"

namespace content {

struct TextStyle {
    kit::Rgba fill{1.0f, 0.97f, 0.9f, 1.0f};
    kit::Rgba shadow{0.0f, 0.0f, 0.0f, 0.85f};  // colour and strongest alpha
    double shadow_blur = 0.05;                  // in ems
    kit::Vec2 shadow_offset{0.03, 0.045};       // in ems, x right and y down
};

struct TextPiece {
    std::string text;
    const GlyphFont* font = nullptr;
    double em = 1.0;  // scene units to the em
    TextStyle style;
};

// Where a painted text lies, in scene units around its anchor: the middle of
// the pen line horizontally and the middle of the capitals vertically.
struct PlacedText {
    kit::UvRect uv;
    double left = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double top = 0.0;
    double advance = 0.0;     // width of the pen line
    double cap_height = 0.0;  // height of the capitals
};

class TextAtlas {
public:
    // width and height in pixels (powers of two); pixels_per_unit fixes the
    // size of every text in the texture.
    TextAtlas(int width, int height, double pixels_per_unit);

    // Paints the text into the next free place, rows filled left to right;
    // throws std::length_error when the texture is full.
    PlacedText add(const TextPiece& piece);

    kit::Image image;
    double pixels_per_unit;

private:
    int cursor_x = 0;
    int cursor_y = 0;
    int row_height = 0;
};

// A quad facing +z that shows the placed text with its anchor at (x, y), its
// width scaled by x_scale.
kit::Mesh text_quad(const PlacedText& text, double x, double y, double x_scale = 1.0);

}  // namespace content
