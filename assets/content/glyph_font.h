// Text rasterised from a TrueType face with FreeType: antialiased coverage
// masks of short single-line texts (ASCII), laid out with the face's advances
// and kerning. Used at build time to paint the overlay glyphs.
#pragma once

#include <string>

#include "kit/paint.h"
#include "kit/vec.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace content {

// One line of text as painted: coverage with a clear border, and where the
// line sits in it. Pixels, y growing downwards.
struct TextMask {
    kit::Mask mask;
    kit::Vec2 origin;      // pen start on the baseline
    double advance = 0.0;  // pen travel over the whole line
    double cap_height = 0.0;  // height of the capitals above the baseline
};

class GlyphFont {
public:
    // Opens the face at path; throws std::runtime_error naming the file when
    // FreeType cannot load it.
    explicit GlyphFont(const std::string& path);
    ~GlyphFont();
    GlyphFont(const GlyphFont&) = delete;
    GlyphFont& operator=(const GlyphFont&) = delete;

    // The text set em_pixels to the em (at least 1), with margin clear pixels
    // around its ink and its pen line. Characters the face lacks are skipped.
    TextMask render(const std::string& text, int em_pixels, int margin) const;

    // Height of the capitals ('H') as a fraction of the em.
    double cap_height() const;

    std::string path;

private:
    FT_LibraryRec_* library = nullptr;
    FT_FaceRec_* face = nullptr;
};

// The installed DejaVu face of that file name ("DejaVuSans.ttf",
// "DejaVuSans-Bold.ttf"): the folder is found when the build is configured.
std::string dejavu_path(const std::string& file_name);

}  // namespace content
