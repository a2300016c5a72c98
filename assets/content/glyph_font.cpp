#include "glyph_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace content {

namespace {

// One glyph's coverage, placed relative to the line's pen start.
struct PlacedGlyph {
    int left = 0;  // pixels right of the pen start
    int top = 0;   // pixels below the baseline (negative above it)
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;
};

}  // namespace

GlyphFont::GlyphFont(const std::string& file) : path(file) {
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType does not start");
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        throw std::runtime_error("cannot load the font " + path);
    }
}

GlyphFont::~GlyphFont() {
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

double GlyphFont::cap_height() const {
    if (FT_Load_Char(face, 'H', FT_LOAD_NO_SCALE) != 0 || face->units_per_EM == 0) return 0.7;
    return static_cast<double>(face->glyph->metrics.height) / face->units_per_EM;
}

TextMask GlyphFont::render(const std::string& text, int em_pixels, int margin) const {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(em_pixels, 1)));
    TextMask out;
    // Unhinted outlines: the textures are scaled on screen, and hinting would
    // distort the shapes for one size only.
    const FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_NO_HINTING;
    if (FT_Load_Char(face, 'H', FT_LOAD_NO_HINTING) == 0) out.cap_height = face->glyph->metrics.height / 64.0;

    std::vector<PlacedGlyph> glyphs;
    FT_Pos pen = 0;  // 26.6 fixed point
    FT_UInt previous = 0;
    for (const unsigned char c : text) {
        const FT_UInt index = FT_Get_Char_Index(face, c);
        if (index == 0) continue;
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern{};
            FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &kern);
            pen += kern.x;
        }
        if (FT_Load_Glyph(face, index, flags) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        PlacedGlyph g;
        g.left = static_cast<int>(std::lround(pen / 64.0)) + slot->bitmap_left;
        g.top = -slot->bitmap_top;
        g.width = static_cast<int>(bitmap.width);
        g.rows = static_cast<int>(bitmap.rows);
        g.coverage.resize(static_cast<std::size_t>(g.width) * g.rows);
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.width; ++x)
                g.coverage[static_cast<std::size_t>(y) * g.width + x] = bitmap.buffer[y * bitmap.pitch + x];
        glyphs.push_back(std::move(g));
        pen += slot->advance.x;
        previous = index;
    }
    out.advance = pen / 64.0;

    // The box holds the ink and the pen line from its start to its end.
    int x0 = 0, x1 = static_cast<int>(std::ceil(out.advance));
    int y0 = -static_cast<int>(std::ceil(out.cap_height)), y1 = 0;
    for (const PlacedGlyph& g : glyphs) {
        if (g.width == 0 || g.rows == 0) continue;
        x0 = std::min(x0, g.left);
        x1 = std::max(x1, g.left + g.width);
        y0 = std::min(y0, g.top);
        y1 = std::max(y1, g.top + g.rows);
    }
    out.mask = kit::Mask(x1 - x0 + 2 * margin, y1 - y0 + 2 * margin);
    out.origin = {static_cast<double>(margin - x0), static_cast<double>(margin - y0)};
    for (const PlacedGlyph& g : glyphs)
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.width; ++x) {
                const int mx = g.left + x + margin - x0, my = g.top + y + margin - y0;
                float& v = out.mask.values[static_cast<std::size_t>(my) * out.mask.width + mx];
                v = std::max(v, g.coverage[static_cast<std::size_t>(y) * g.width + x] / 255.0f);
            }
    return out;
}

std::string dejavu_path(const std::string& file_name) { return std::string(LUNABRELLE_DEJAVU_DIR) + "/" + file_name; }

}  // namespace content
