// The overlay archives: every entry a blended, textured quad set whose picture
// shows something without being cut off, laid out where the overlays place it.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "content/overlay_archives.h"
#include "content/overlay_layout.h"
#include "kit/mesh_entry.h"

namespace {

using namespace content;

std::vector<kit::MeshRecord> records_of(const Archive& archive, const std::string& entry) {
    const ArchiveEntry* e = find_entry(archive, entry);
    std::vector<kit::MeshRecord> records;
    std::string error;
    EXPECT_NE(e, nullptr) << archive.name << " lacks " << entry;
    if (e) {
        EXPECT_TRUE(kit::read_mesh_entry(e->bytes.data(), e->bytes.size(), &records, &error)) << entry << ": " << error;
    }
    return records;
}

kit::Bounds bounds_of(const Archive& archive, const std::string& entry) {
    kit::Mesh all;
    for (const kit::MeshRecord& r : records_of(archive, entry)) kit::append(all, r.mesh);
    return kit::bounds(all);
}

// a, moved by (dx, dy), lies within b.
bool inside(const kit::Bounds& a, double dx, double dy, const kit::Bounds& b) {
    return a.min.x + dx >= b.min.x && a.max.x + dx <= b.max.x && a.min.y + dy >= b.min.y && a.max.y + dy <= b.max.y;
}

std::vector<std::string> numbered(const std::string& prefix, int first, int last) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i) names.push_back(prefix + std::to_string(i));
    return names;
}

// Every record is blended and faces the eye; its texture is a PNG of the
// archive with alpha and power-of-two sides up to 512, opaque somewhere in the
// region the record maps and clear along that region's border.
void expect_overlay_entries(const Archive& archive, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        for (const kit::MeshRecord& r : records_of(archive, name)) {
            SCOPED_TRACE(archive.name + " " + name);
            EXPECT_TRUE(r.material.blend);
            const ArchiveEntry* e = find_entry(archive, r.texture);
            ASSERT_NE(e, nullptr) << r.texture;
            int w = 0, h = 0, n = 0;
            stbi_uc* p = stbi_load_from_memory(e->bytes.data(), int(e->bytes.size()), &w, &h, &n, 4);
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(n, 4);
            EXPECT_TRUE(w <= 512 && h <= 512 && (w & (w - 1)) == 0 && (h & (h - 1)) == 0) << w << "x" << h;
            double s0 = 1, t0 = 1, s1 = 0, t1 = 0;
            for (const kit::Triangle& t : r.mesh.triangles)
                for (const kit::Vertex& v : t.v) {
                    EXPECT_NEAR(v.normal.z, 1.0, 1e-9);
                    s0 = std::min(s0, v.texcoord.x), s1 = std::max(s1, v.texcoord.x);
                    t0 = std::min(t0, v.texcoord.y), t1 = std::max(t1, v.texcoord.y);
                }
            const int x0 = int(std::lround(s0 * w)), x1 = int(std::lround(s1 * w)) - 1;
            const int y0 = int(std::lround(t0 * h)), y1 = int(std::lround(t1 * h)) - 1;
            int most = 0, border = 0;
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    const int alpha = p[(std::size_t(y) * std::size_t(w) + std::size_t(x)) * 4 + 3];
                    most = std::max(most, alpha);
                    if (x == x0 || x == x1 || y == y0 || y == y1) border = std::max(border, alpha);
                }
            stbi_image_free(p);
            EXPECT_GT(most, 100) << "shows nothing";
            EXPECT_LT(border, 8) << "cut off at the edge of its picture";
        }
}

TEST(OverlayArchives, EveryEntryShowsItsPicture) {
    const Archive clock = build_clock_archive(), calendar = build_calendar_archive(), utils = build_utils_archive();
    EXPECT_EQ((std::vector<std::string>{clock.name, calendar.name, utils.name}),
              (std::vector<std::string>{"clock.pak", "calendar.pak", "utils.pak"}));
    std::vector<std::string> names = numbered("", 0, 9);
    names.insert(names.end(), {"podlozka", "podlozka_am", "dot", "am", "pm", "ciferblat", "sec", "min", "chas"});
    expect_overlay_entries(clock, names);
    names = numbered("", 1, 31);
    const std::vector<std::string> months = numbered("m", 1, 12);
    names.insert(names.end(), months.begin(), months.end());
    names.insert(names.end(), {"fon", "fon_rus", "day", "day_rus", "sel"});
    expect_overlay_entries(calendar, names);
    EXPECT_TRUE(records_of(calendar, "null").empty());  // an empty cell
    names = numbered("", 0, 9);
    names.push_back("fps");
    expect_overlay_entries(utils, names);
    EXPECT_TRUE(build_clock_archive().entries.back().bytes == clock.entries.back().bytes);
}

TEST(OverlayLayout, ClockPartsFitTheirPlatesAndTheView) {
    const Archive a = build_clock_archive();
    const kit::Bounds plate = bounds_of(a, "podlozka"), wide = bounds_of(a, "podlozka_am");
    for (const std::string& glyph : numbered("", 0, 9)) {
        const kit::Bounds g = bounds_of(a, glyph);
        for (double x : kDigitHolderX) EXPECT_TRUE(inside(g, x, 0.0, plate) && inside(g, x, 0.0, wide)) << glyph << " " << x;
        EXPECT_NEAR((g.min.y + g.max.y) / 2.0, kClockRowY, 0.6) << glyph;
    }
    EXPECT_TRUE(inside(bounds_of(a, "dot"), kSeparatorX, 0.0, plate));
    for (const char* mark : {"am", "pm"}) EXPECT_TRUE(inside(bounds_of(a, mark), kAmPmX, 0.0, wide));
    // Seen from the clock node the view's bottom edge lies at y = -1, its right
    // edge at x = 10 (24-hour) or 15.186 (12-hour).
    EXPECT_GT(std::min(plate.min.y, wide.min.y), -1.0);
    EXPECT_LT(plate.max.x, 10.0);
    EXPECT_LT(wide.max.x, 15.186);
    double reach[3] = {};
    const char* hands[3] = {"sec", "min", "chas"};
    for (int i = 0; i < 3; ++i) {
        const kit::Bounds b = bounds_of(a, hands[i]);  // pointing at twelve from the pivot
        EXPECT_GT(b.max.y, 3.0 * -b.min.y) << hands[i];
        EXPECT_NEAR(b.min.x, -b.max.x, 1e-9) << hands[i];
        EXPECT_LT(b.max.y, kDialRadius) << hands[i];
        reach[i] = b.max.y;
    }
    EXPECT_GT(reach[0], reach[1]);
    EXPECT_GT(reach[1], reach[2] + 1.5);
    const kit::Bounds dial = bounds_of(a, "ciferblat");  // 9.3 left of and 9 above the corner
    EXPECT_LT(dial.max.x, 9.3);
    EXPECT_GT(dial.min.y, -9.0);
}

TEST(OverlayLayout, CalendarCellsAndWeekdayRows) {
    const Archive a = build_calendar_archive();
    kit::Bounds plate = bounds_of(a, "fon");
    plate.min.x += kCalendarPlateX, plate.max.x += kCalendarPlateX;
    plate.min.y += kCalendarPlateY, plate.max.y += kCalendarPlateY;
    for (const std::string& m : numbered("m", 1, 12)) EXPECT_TRUE(inside(bounds_of(a, m), -16.0, kCalendarTitleY, plate)) << m;
    for (const char* row : {"day", "day_rus"}) EXPECT_TRUE(inside(bounds_of(a, row), -16.0, kCalendarHeaderY, plate)) << row;
    for (int cell = 0; cell < 42; ++cell)
        for (const char* part : {"sel", "1", "28"})
            EXPECT_TRUE(inside(bounds_of(a, part), kCellPitch * (cell % 7) - 40.0, -kCellPitch * (cell / 7), plate))
                << part << " in cell " << cell;
    // Monday's row is Sunday's moved one place to the left, Sunday last, each
    // label centred over its column.
    const kit::Mesh sunday = records_of(a, "day").at(0).mesh, monday = records_of(a, "day_rus").at(0).mesh;
    ASSERT_EQ(sunday.triangles.size(), 14u);
    ASSERT_EQ(monday.triangles.size(), 14u);
    for (int column = 0; column < 7; ++column) {
        const kit::Triangle &s = sunday.triangles[2 * column], &m = monday.triangles[2 * column];
        EXPECT_NEAR((m.v[0].position.x + m.v[1].position.x) / 2.0, kCellPitch * (column - 3), 0.8);
        EXPECT_EQ(m.v[0].texcoord.x, sunday.triangles[2 * ((column + 1) % 7)].v[0].texcoord.x) << column;
        EXPECT_NEAR((s.v[0].position.x + s.v[1].position.x) / 2.0, kCellPitch * (column - 3), 0.8);
    }
}

TEST(OverlayLayout, FrameRatePlateHoldsLabelAndDigits) {
    const Archive a = build_utils_archive();
    const std::vector<kit::MeshRecord> label = records_of(a, "fps");
    ASSERT_EQ(label.size(), 2u);  // the plate, then the word over it
    const kit::Bounds plate = kit::bounds(label[0].mesh), word = kit::bounds(label[1].mesh);
    EXPECT_TRUE(inside(word, 0.0, 0.0, plate));
    EXPECT_LT(word.max.x, kFpsDigitX[0]);
    for (double x : kFpsDigitX) EXPECT_TRUE(inside(bounds_of(a, "8"), x, 0.0, plate));
    EXPECT_GT(plate.min.x, -5.0);  // 5 right of the view's left edge, 2.5 below its top
    EXPECT_LT(plate.max.y, 2.5);
}

}  // namespace
