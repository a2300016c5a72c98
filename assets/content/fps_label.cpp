#include "fps_label.h"

#include <string>

#include "glyph_font.h"
#include "kit/image_codec.h"
#include "kit/mesh_entry.h"
#include "overlay_entry.h"
#include "overlay_layout.h"
#include "overlay_plate.h"
#include "text_atlas.h"

namespace content {

namespace {

// The digits are narrowed to keep clear of each other 1.4 apart.
constexpr double kDigitNarrowing = 0.85;
constexpr double kLabelRight = -0.7;  // the label ends here, left of the first digit

kit::Rgba light_grey() { return kit::hex(0xe4e8ee); }

}  // namespace

void add_fps_label(Archive& archive) {
    const GlyphFont bold(dejavu_path("DejaVuSans-Bold.ttf"));
    const double cap = bold.cap_height();
    TextAtlas atlas(256, 256, 24.0);
    for (char d = '0'; d <= '9'; ++d) {
        const PlacedText t = atlas.add({std::string(1, d), &bold, kFpsDigitHeight / cap, {}});
        add_overlay_entry(archive, std::string(1, d), "fps_text.png", text_quad(t, 0.0, 0.0, kDigitNarrowing));
    }
    TextStyle label_style;
    label_style.fill = light_grey();
    const PlacedText label = atlas.add({"FPS", &bold, 1.05 / cap, label_style});

    // The label's baseline is the digits' baseline.
    const double baseline = -kFpsDigitHeight / 2.0;
    const kit::Mesh word = text_quad(label, kLabelRight - label.advance / 2.0, baseline + label.cap_height / 2.0);
    const kit::MeshRecord records[2] = {overlay_record("fps_plate.png", plate_quad(-4.5, -1.6, 4.4, 1.6)),
                                        overlay_record("fps_text.png", word)};
    archive.entries.push_back({"fps", kit::write_mesh_entry(records)});

    const PlateStyle plate{.radius = 0.9, .softness = 0.3, .inset = 0.1};
    archive.entries.push_back({"fps_text.png", kit::encode_png(atlas.image)});
    archive.entries.push_back({"fps_plate.png", kit::encode_png(paint_plate(128, 64, 8.9, 3.2, plate))});
}

}  // namespace content
