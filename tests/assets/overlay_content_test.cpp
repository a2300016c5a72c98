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

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    int alpha(int x, int y) const { return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3]; }
};

Picture decode(const Archive& archive, const std::string& name) {
    Picture p;
    const ArchiveEntry* e = find_entry(archive, name);
    if (!e) return p;
    int channels = 0;
    unsigned char* pixels =
        stbi_load_from_memory(e->bytes.data(), static_cast<int>(e->bytes.size()), &p.width, &p.height, &channels, 0);
    if (pixels && channels == 4) p.rgba.assign(pixels, pixels + p.width * p.height * 4);
    stbi_image_free(pixels);
    return p;
}

bool power_of_two(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Smallest and largest alpha of the texels that the mesh's texture
// coordinates span, and the largest alpha along that region's border.
struct Coverage {
    int most = 0;
    int border = 0;
};

Coverage coverage_of(const Picture& p, const kit::Mesh& mesh) {
    double s0 = 1, t0 = 1, s1 = 0, t1 = 0;
    for (const kit::Triangle& t : mesh.triangles)
        for (const kit::Vertex& v : t.v) {
            s0 = std::min(s0, v.texcoord.x), s1 = std::max(s1, v.texcoord.x);
            t0 = std::min(t0, v.texcoord.y), t1 = std::max(t1, v.texcoord.y);
        }
    const int x0 = static_cast<int>(std::lround(s0 * p.width)), x1 = static_cast<int>(std::lround(s1 * p.width)) - 1;
    const int y0 = static_cast<int>(std::lround(t0 * p.height)), y1 = static_cast<int>(std::lround(t1 * p.height)) - 1;
    Coverage c;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            c.most = std::max(c.most, p.alpha(x, y));
            if (x == x0 || x == x1 || y == y0 || y == y1) c.border = std::max(c.border, p.alpha(x, y));
        }
    return c;
}

// Where, in the record's own units, the texture shows bright opaque texels
// (the glyph or hand itself, not its dark shadow). The record is one quad.
std::vector<kit::Vec2> bright_points(const Picture& p, const kit::MeshRecord& r) {
    const kit::Bounds b = kit::bounds(r.mesh);
    double s0 = 1, t0 = 1, s1 = 0, t1 = 0;
    for (const kit::Triangle& t : r.mesh.triangles)
        for (const kit::Vertex& v : t.v) {
            s0 = std::min(s0, v.texcoord.x), s1 = std::max(s1, v.texcoord.x);
            t0 = std::min(t0, v.texcoord.y), t1 = std::max(t1, v.texcoord.y);
        }
    std::vector<kit::Vec2> points;
    for (int y = static_cast<int>(t0 * p.height); y < static_cast<int>(t1 * p.height); ++y)
        for (int x = static_cast<int>(s0 * p.width); x < static_cast<int>(s1 * p.width); ++x) {
            const std::uint8_t* c = &p.rgba[(static_cast<std::size_t>(y) * p.width + x) * 4];
            if (c[3] < 200 || std::max({c[0], c[1], c[2]}) < 160) continue;
            // t0 is the top of the quad (its largest y).
            points.push_back({b.min.x + ((x + 0.5) / p.width - s0) / (s1 - s0) * (b.max.x - b.min.x),
                              b.max.y - ((y + 0.5) / p.height - t0) / (t1 - t0) * (b.max.y - b.min.y)});
        }
    return points;
}

// Every named entry parses; every record is blended, textured by a PNG of
// the archive with alpha and power-of-two sides up to 512, and shows
// something there without being cut off at the edge of its region.
void expect_overlay_entries(const Archive& archive, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const std::vector<kit::MeshRecord> records = records_of(archive, name);
        ASSERT_FALSE(records.empty()) << name;
        for (const kit::MeshRecord& r : records) {
            EXPECT_TRUE(r.material.blend) << name;
            ASSERT_FALSE(r.mesh.triangles.empty()) << name;
            for (const kit::Triangle& t : r.mesh.triangles)
                for (const kit::Vertex& v : t.v) EXPECT_NEAR(v.normal.z, 1.0, 1e-9) << name;
            const Picture p = decode(archive, r.texture);
            ASSERT_FALSE(p.rgba.empty()) << name << " names " << r.texture << ", not a PNG with alpha here";
            EXPECT_TRUE(power_of_two(p.width) && p.width <= 512) << r.texture;
            EXPECT_TRUE(power_of_two(p.height) && p.height <= 512) << r.texture;
            const Coverage c = coverage_of(p, r.mesh);
            EXPECT_GT(c.most, 100) << name << " shows nothing";
            EXPECT_LT(c.border, 8) << name << " is cut off at the edge of its picture";
        }
    }
}

std::vector<std::string> numbered(const std::string& prefix, int first, int last) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i) names.push_back(prefix + std::to_string(i));
    return names;
}

kit::Bounds bounds_of(const std::vector<kit::MeshRecord>& records) {
    kit::Mesh all;
    for (const kit::MeshRecord& r : records) kit::append(all, r.mesh);
    return kit::bounds(all);
}

// a, moved by (dx, dy), lies within b.
bool inside(const kit::Bounds& a, double dx, double dy, const kit::Bounds& b) {
    return a.min.x + dx >= b.min.x && a.max.x + dx <= b.max.x && a.min.y + dy >= b.min.y && a.max.y + dy <= b.max.y;
}

// Each archive is built once for all the tests that only read it.
const Archive& clock_pak() {
    static const Archive archive = build_clock_archive();
    return archive;
}

const Archive& calendar_pak() {
    static const Archive archive = build_calendar_archive();
    return archive;
}

const Archive& utils_pak() {
    static const Archive archive = build_utils_archive();
    return archive;
}


TEST(OverlayArchives, ClockHoldsEveryEntry) {
    const Archive& a = clock_pak();
    EXPECT_EQ(a.name, "clock.pak");
    std::vector<std::string> names = numbered("", 0, 9);
    names.insert(names.end(), {"podlozka", "podlozka_am", "dot", "am", "pm", "ciferblat", "sec", "min", "chas"});
    expect_overlay_entries(a, names);
}

TEST(OverlayArchives, CalendarHoldsEveryEntry) {
    const Archive& a = calendar_pak();
    EXPECT_EQ(a.name, "calendar.pak");
    std::vector<std::string> names = numbered("", 1, 31);
    const std::vector<std::string> months = numbered("m", 1, 12);
    names.insert(names.end(), months.begin(), months.end());
    names.insert(names.end(), {"fon", "fon_rus", "day", "day_rus", "sel"});
    expect_overlay_entries(a, names);
    // An empty cell is an entry without records.
    const ArchiveEntry* empty = find_entry(a, "null");
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(records_of(a, "null").empty());
}

TEST(OverlayArchives, UtilsHoldsLabelAndDigits) {
    const Archive& a = utils_pak();
    EXPECT_EQ(a.name, "utils.pak");
    std::vector<std::string> names = numbered("", 0, 9);
    names.push_back("fps");
    expect_overlay_entries(a, names);
}

TEST(DigitalClock, PlatesHoldTheRowAndStayAboveTheViewsEdge) {
    const Archive& a = clock_pak();
    const kit::Bounds plate = bounds_of(records_of(a, "podlozka"));
    const kit::Bounds wide = bounds_of(records_of(a, "podlozka_am"));
    for (const std::string& glyph : numbered("", 0, 9)) {
        const kit::Bounds g = bounds_of(records_of(a, glyph));
        for (double x : kDigitHolderX) {
            EXPECT_TRUE(inside(g, x, 0.0, plate)) << glyph << " at " << x;
            EXPECT_TRUE(inside(g, x, 0.0, wide)) << glyph << " at " << x;
        }
        EXPECT_NEAR((g.min.y + g.max.y) / 2.0, kClockRowY, 0.6) << glyph;
    }
    EXPECT_TRUE(inside(bounds_of(records_of(a, "dot")), kSeparatorX, 0.0, plate));
    for (const char* mark : {"am", "pm"}) EXPECT_TRUE(inside(bounds_of(records_of(a, mark)), kAmPmX, 0.0, wide));
    // Seen from the clock node, the view's bottom edge lies at y = -1 and its
    // right edge at x = 10 (24-hour) or 15.186 (12-hour).
    EXPECT_GT(plate.min.y, -1.0);
    EXPECT_GT(wide.min.y, -1.0);
    EXPECT_LT(plate.max.x, 10.0);
    EXPECT_LT(wide.max.x, 15.186);
}

TEST(AnalogClock, HandsPointAtTwelveFromTheirPivot) {
    const Archive& a = clock_pak();
    double reach[3] = {};
    const char* names[3] = {"sec", "min", "chas"};
    for (int i = 0; i < 3; ++i) {
        const kit::Bounds b = bounds_of(records_of(a, names[i]));
        EXPECT_GT(b.max.y, 3.0 * -b.min.y) << names[i];  // a short tail below the pivot
        EXPECT_LT(b.min.y, 0.0) << names[i];
        EXPECT_NEAR(b.min.x, -b.max.x, 1e-9) << names[i];  // symmetric about the y axis
        EXPECT_LT(b.max.x, 1.5) << names[i];
        EXPECT_LT(b.max.y, kDialRadius) << names[i];
        reach[i] = b.max.y;
    }
    EXPECT_GT(reach[0], reach[1]);  // second longer than minute
    EXPECT_GT(reach[1], reach[2] + 1.5);  // minute clearly longer than hour

    // The painted blade, not only its quad, points up: the opaque texel
    // farthest from the pivot lies straight above it.
    for (const char* name : names) {
        const kit::MeshRecord r = records_of(a, name).at(0);
        kit::Vec2 tip{0.0, -100.0};
        for (const kit::Vec2& q : bright_points(decode(a, r.texture), r))
            if (q.y > tip.y) tip = q;
        EXPECT_GT(tip.y, 4.0) << name;
        EXPECT_NEAR(tip.x, 0.0, 0.1) << name;
    }
    const kit::Bounds dial = bounds_of(records_of(a, "ciferblat"));
    EXPECT_NEAR(dial.max.x, kDialRadius, 1e-9);
    EXPECT_NEAR(dial.min.y, -kDialRadius, 1e-9);
    // The node lies 9.3 left of and 9 above the view's bottom-right corner.
    EXPECT_LT(dial.max.x, 9.3);
    EXPECT_GT(dial.min.y, -9.0);
}

TEST(Calendar, PlateCoversTitleHeaderAndEveryCell) {
    const Archive& a = calendar_pak();
    kit::Bounds plate = bounds_of(records_of(a, "fon"));
    plate.min.x += kCalendarPlateX, plate.max.x += kCalendarPlateX;
    plate.min.y += kCalendarPlateY, plate.max.y += kCalendarPlateY;
    for (const std::string& m : numbered("m", 1, 12))
        EXPECT_TRUE(inside(bounds_of(records_of(a, m)), -16.0, kCalendarTitleY, plate)) << m;
    for (const char* row : {"day", "day_rus"})
        EXPECT_TRUE(inside(bounds_of(records_of(a, row)), -16.0, kCalendarHeaderY, plate)) << row;
    const kit::Bounds mark = bounds_of(records_of(a, "sel"));
    for (int cell = 0; cell < 42; ++cell) {
        const double x = kCellPitch * (cell % 7) - 40.0, y = -kCellPitch * (cell / 7);
        EXPECT_TRUE(inside(mark, x, y, plate)) << "cell " << cell;
        for (const std::string& day : {std::string("1"), std::string("28")})
            EXPECT_TRUE(inside(bounds_of(records_of(a, day)), x, y, plate)) << "cell " << cell;
    }
    // Numbers keep clear of their neighbours and fit under today's mark.
    const Picture numbers = decode(a, records_of(a, "1").at(0).texture);
    for (const std::string& day : numbered("", 1, 31)) {
        double left = 100.0, right = -100.0;
        for (const kit::Vec2& q : bright_points(numbers, records_of(a, day).at(0)))
            left = std::min(left, q.x), right = std::max(right, q.x);
        EXPECT_LT(right - left, kCellPitch - 2.0) << day;
        EXPECT_NEAR(left, -right, 0.6) << day;
        EXPECT_LT(right, mark.max.x) << day;
    }
}

TEST(Calendar, WeekdayRowsStartOnSundayAndOnMonday) {
    const Archive& a = calendar_pak();
    const kit::Mesh sunday = records_of(a, "day").at(0).mesh;
    const kit::Mesh monday = records_of(a, "day_rus").at(0).mesh;
    ASSERT_EQ(sunday.triangles.size(), 14u);
    ASSERT_EQ(monday.triangles.size(), 14u);
    auto label = [](const kit::Mesh& m, int column) {
        const kit::Triangle& t = m.triangles[2 * column];
        return std::pair{t.v[0].texcoord.x, (t.v[0].position.x + t.v[1].position.x) / 2.0};
    };
    for (int column = 0; column < 7; ++column) {
        // Each label is centred over its column, 8 apart around the row's middle.
        EXPECT_NEAR(label(sunday, column).second, kCellPitch * (column - 3), 0.8);
        EXPECT_NEAR(label(monday, column).second, kCellPitch * (column - 3), 0.8);
        // Monday's row is Sunday's moved one place to the left, Sunday last.
        EXPECT_EQ(label(monday, column).first, label(sunday, (column + 1) % 7).first) << column;
    }
}

TEST(FrameRate, LabelPlateHoldsTheDigits) {
    const Archive& a = utils_pak();
    const std::vector<kit::MeshRecord> label = records_of(a, "fps");
    ASSERT_EQ(label.size(), 2u);  // the plate, then the word over it
    const kit::Bounds plate = kit::bounds(label[0].mesh);
    const kit::Bounds word = kit::bounds(label[1].mesh);
    EXPECT_TRUE(inside(word, 0.0, 0.0, plate));
    EXPECT_LT(word.max.x, kFpsDigitX[0]);
    for (double x : kFpsDigitX) {
        const kit::Bounds d = bounds_of(records_of(a, "8"));
        EXPECT_TRUE(inside(d, x, 0.0, plate));
    }
    // The node is 5 right of the view's left edge and 2.5 below its top.
    EXPECT_GT(plate.min.x, -5.0);
    EXPECT_LT(plate.max.y, 2.5);
}

}  // namespace
