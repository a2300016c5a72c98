#include "calendar_sheet.h"

#include <cmath>
#include <string>

#include "glyph_font.h"
#include "kit/image_codec.h"
#include "kit/mesh_entry.h"
#include "kit/paint.h"
#include "overlay_entry.h"
#include "overlay_layout.h"
#include "overlay_plate.h"
#include "text_atlas.h"

namespace content {

namespace {

using kit::hex;

constexpr const char* kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
// Sunday first, as the weekday numbers run.
constexpr const char* kWeekdays[7] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};

constexpr double kTitleHeight = 3.6;
constexpr double kHeaderHeight = 2.3;
constexpr double kNumberHeight = 2.9;
constexpr double kMarkHalf = 3.3;


// Today's mark: a warm rounded square behind the number.
kit::Image paint_mark(int size) {
    kit::Image image(size, size);
    const double unit = 2.0 * kMarkHalf / size;
    kit::paint(image, [&](double x, double y) {
        const kit::Vec2 p{x * unit - kMarkHalf, kMarkHalf - y * unit};
        const double d = rounded_box_distance(p, {kMarkHalf - 0.2, kMarkHalf - 0.2}, 1.6);
        const kit::Rgba c = kit::mix(hex(0xf08a4b), hex(0xd4502c), 0.5 - p.y / (2.0 * kMarkHalf));
        return kit::with_alpha(c, 0.88 * kit::coverage(d + 0.2, 0.4));
    });
    return image;
}

// A faint rule across the plate at height y (the plate's own frame), between
// the weekday row and the grid.
void paint_rule(kit::Image& plate, double y) {
    const double hw = kCalendarPlateHalfWidth, hh = kCalendarPlateHalfHeight;
    const double ux = 2.0 * hw / plate.width, uy = 2.0 * hh / plate.height;
    kit::paint(plate, [&](double px, double py) {
        const double across = kit::coverage(std::fabs(hh - py * uy - y) - 0.06, uy);
        const double along = kit::coverage(std::fabs(px * ux - hw) - (hw - 4.0), 2.0);
        return kit::with_alpha(hex(0xfff2dc), 0.28 * across * along);
    });
}

}  // namespace

void add_calendar(Archive& archive) {
    const GlyphFont bold(dejavu_path("DejaVuSans-Bold.ttf"));
    const double cap = bold.cap_height();

    const PlateStyle plate_style{.radius = 3.0, .softness = 0.8, .inset = 0.3};
    const kit::Mesh plate = plate_quad(-kCalendarPlateHalfWidth, -kCalendarPlateHalfHeight,
                                       kCalendarPlateHalfWidth, kCalendarPlateHalfHeight);
    add_overlay_entry(archive, "fon", "calendar_plate.png", plate);
    add_overlay_entry(archive, "fon_rus", "calendar_plate.png", plate);

    TextAtlas words(512, 512, 8.0);
    for (int m = 0; m < 12; ++m) {
        const PlacedText t = words.add({kMonths[m], &bold, kTitleHeight / cap, {}});
        add_overlay_entry(archive, "m" + std::to_string(m + 1), "calendar_words.png", text_quad(t, 0.0, 0.0));
    }
    TextStyle weekend;
    weekend.fill = hex(0xffb98f);
    PlacedText labels[7];
    for (int d = 0; d < 7; ++d)
        labels[d] = words.add({kWeekdays[d], &bold, kHeaderHeight / cap, d == 0 || d == 6 ? weekend : TextStyle{}});
    for (const bool monday_first : {false, true}) {
        kit::Mesh row;
        for (int column = 0; column < 7; ++column)
            kit::append(row, text_quad(labels[(column + (monday_first ? 1 : 0)) % 7], kCellPitch * (column - 3), 0.0));
        add_overlay_entry(archive, monday_first ? "day_rus" : "day", "calendar_words.png", row);
    }

    TextAtlas numbers(512, 256, 8.0);
    for (int day = 1; day <= 31; ++day) {
        const PlacedText t = numbers.add({std::to_string(day), &bold, kNumberHeight / cap, {}});
        add_overlay_entry(archive, std::to_string(day), "calendar_numbers.png", text_quad(t, 0.0, 0.0));
    }
    archive.entries.push_back({"null", kit::write_mesh_entry({})});
    add_overlay_entry(archive, "sel", "calendar_mark.png", plate_quad(-kMarkHalf, -kMarkHalf, kMarkHalf, kMarkHalf));

    kit::Image plate_image =
        paint_plate(256, 256, 2.0 * kCalendarPlateHalfWidth, 2.0 * kCalendarPlateHalfHeight, plate_style);
    paint_rule(plate_image, (kCalendarHeaderY - kHeaderHeight / 2.0 + kNumberHeight / 2.0) / 2.0 - kCalendarPlateY);
    archive.entries.push_back({"calendar_plate.png", kit::encode_png(plate_image)});
    archive.entries.push_back({"calendar_words.png", kit::encode_png(words.image)});
    archive.entries.push_back({"calendar_numbers.png", kit::encode_png(numbers.image)});
    archive.entries.push_back({"calendar_mark.png", kit::encode_png(paint_mark(64))});
}

}  // namespace content
