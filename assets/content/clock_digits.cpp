#include "clock_digits.h"

#include <string>
#include <utility>

#include "glyph_font.h"
#include "kit/image_codec.h"
#include "overlay_entry.h"
#include "overlay_layout.h"
#include "overlay_plate.h"
#include "text_atlas.h"

namespace content {

void add_digital_clock(Archive& archive) {
    const GlyphFont bold(dejavu_path("DejaVuSans-Bold.ttf"));
    const double digit_em = kDigitHeight / bold.cap_height();
    const double mark_height = 1.6;

    TextAtlas atlas(512, 512, 24.0);
    for (char d = '0'; d <= '9'; ++d) {
        const PlacedText t = atlas.add({std::string(1, d), &bold, digit_em, {}});
        add_overlay_entry(archive, std::string(1, d), "clock_digits.png", text_quad(t, 0.0, kClockRowY));
    }
    const PlacedText colon = atlas.add({":", &bold, digit_em, {}});
    add_overlay_entry(archive, "dot", "clock_digits.png", text_quad(colon, 0.0, kClockRowY));
    // The marks stand on the digits' baseline.
    const double baseline = kClockRowY - kDigitHeight / 2.0;
    for (const auto& [entry, text] : {std::pair{"am", "AM"}, std::pair{"pm", "PM"}}) {
        const PlacedText t = atlas.add({text, &bold, mark_height / bold.cap_height(), {}});
        add_overlay_entry(archive, entry, "clock_digits.png", text_quad(t, 0.0, baseline + mark_height / 2.0));
    }

    const PlateStyle plate;
    const double height = kClockPlateTop - kClockPlateBottom;
    add_overlay_entry(archive, "podlozka", "clock_plate.png",
                      plate_quad(kClockPlateLeft, kClockPlateBottom, kClockPlateRight, kClockPlateTop));
    add_overlay_entry(archive, "podlozka_am", "clock_plate_am.png",
                      plate_quad(kClockPlateLeft, kClockPlateBottom, kClockPlateRightAmPm, kClockPlateTop));
    archive.entries.push_back({"clock_digits.png", kit::encode_png(atlas.image)});
    const double width = kClockPlateRight - kClockPlateLeft, wide = kClockPlateRightAmPm - kClockPlateLeft;
    archive.entries.push_back({"clock_plate.png", kit::encode_png(paint_plate(256, 128, width, height, plate))});
    archive.entries.push_back({"clock_plate_am.png", kit::encode_png(paint_plate(256, 128, wide, height, plate))});
}

}  // namespace content
