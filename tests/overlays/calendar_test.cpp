// The month calendar: its arithmetic against the C library, and its page as
// drawn at given dates of the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

#include "host/frame_driver.h"
#include "host/singletons.h"
#include "overlays/calendar.h"
#include "overlays/overlay_time.h"
#include "platform/system/system.h"
#include "support/meadow_world_test.h"

namespace lunabrelle::test {
namespace {

using Names = std::vector<std::string>;

std::tm date(int year, int month, int day) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return t;
}

// The 42 cells of a page: "null" outside days 1..n starting at cell first.
Names grid(int first, int n) {
    Names out(Calendar::kCells, "null");
    for (int d = 1; d <= n; ++d) out[first + d - 1] = std::to_string(d);
    return out;
}

TEST(CalendarMath, WeekdaysAndMonthLengthsFollowTheCLibrary) {
    const Calendar c;
    for (std::time_t day = -25567; day < 160000; day += 37) {  // 1900 .. 2408
        const std::time_t seconds = day * 86400;
        std::tm ref{};
        ASSERT_NE(gmtime_r(&seconds, &ref), nullptr);
        std::tm plain = date(ref.tm_year + 1900, ref.tm_mon + 1, ref.tm_mday);
        SCOPED_TRACE(std::to_string(ref.tm_year + 1900) + "-" + std::to_string(ref.tm_mon + 1));
        EXPECT_EQ(c.what_day(&plain), ref.tm_wday);
        std::time_t next_month = timegm(&plain);
        std::tm first = date(ref.tm_year + 1900, ref.tm_mon + 2, 1);
        next_month = (timegm(&first) - next_month) / 86400 + ref.tm_mday - 1;
        EXPECT_EQ(c.day_of_mount(&plain), next_month);
    }
}

TEST(CalendarMath, PagesStartInTheRightColumn) {
    struct Case { int y, m, d; bool monday; int first, n; };
    for (const Case& c : {Case{2026, 12, 5, true, 1, 31}, Case{2026, 12, 5, false, 2, 31},
                          Case{2026, 3, 31, true, 6, 31}, Case{2026, 3, 31, false, 0, 31},
                          Case{2026, 8, 1, false, 6, 31}, Case{2024, 2, 29, false, 4, 29}}) {
        SCOPED_TRACE(c.y * 10000 + c.m * 100 + c.d);
        VirtualClock clock;
        clock.set(c.y, c.m, c.d, 23, 59, 59);
        Calendar cal;
        std::vector<int> cells(Calendar::kCells, -1);
        c.monday ? cal.get_calendar_rus(cells.data()) : cal.get_calendar(cells.data());
        Names names;
        for (int v : cells) names.push_back(v == 0 ? "null" : std::to_string(v));
        EXPECT_EQ(names, grid(c.first, c.n));
        EXPECT_EQ(cal.day, c.d);
        EXPECT_EQ(cal.month, c.m - 1);
    }
}

TEST(OverlayTime, AFailedConversionKeepsThePreviousTimeAndTheNextSecondConverts) {
    VirtualClock clock;
    clock.set(2026, 3, 1, 7, 30, 59);
    refresh_local_time();
    // A calendar time beyond any representable year cannot be broken down.
    platform::install_clock([] { return platform::WallClock{std::numeric_limits<std::int64_t>::max(), 0}; });
    refresh_local_time();
    ASSERT_NE(cur_time, nullptr);
    EXPECT_EQ(cur_time->tm_hour * 100 + cur_time->tm_min, 730);
    VirtualClock again;
    again.set(2026, 3, 1, 7, 30, 59);
    refresh_local_time();
    EXPECT_EQ(cur_time->tm_sec, 59);
    again.set(2025, 12, 31, 23, 59, 58);  // any other second, earlier too
    refresh_local_time();
    EXPECT_EQ(cur_time->tm_year * 100 + cur_time->tm_sec, 12558);
    EXPECT_EQ(time_sec, platform::calendar_time());
}

class CalendarPageTest : public MeadowWorldTest {
protected:
    void start(bool monday_first, int year, int month, int day, int hour, int minute, int second, int ms) {
        clock.set(year, month, day, hour, minute, second, ms);
        conf->show_calendar = true;
        conf->monday_first = monday_first;
        build();
        frame(0);
    }
    Object* calendar() const { return overlay->links.front(); }
    Object* changer() const { return calendar()->links.at(1); }
    // What a page draws: weekday header, month title, then the cells with
    // the mark of today right before its number.
    static Names page(int title, int first, int n, bool monday, int today) {
        Names out = grid(first, n);
        out.insert(out.begin() + first + today - 1, "sel");
        out.insert(out.begin(), {monday ? "day_rus" : "day", "m" + std::to_string(title)});
        return out;
    }
};

TEST_F(CalendarPageTest, TheWholePageIsDrawnInTheFirstFrameWithTodayMarked) {
    start(true, 2026, 12, 5, 10, 0, 0, 0);
    EXPECT_EQ(drawn_entries(calendar()->links.at(0)), Names{"fon_rus"});
    EXPECT_EQ(drawn_entries(changer()), page(12, 1, 31, true, 5));
    const Object* p = changer()->links.at(0);
    const auto mark = std::find_if(p->links.begin(), p->links.end(), [](const Object* n) { return entry_of(n) == "sel"; });
    ASSERT_NE(mark, p->links.end());
    for (int k = 0; k < 3; ++k) EXPECT_EQ((*mark)->coordin.position[k], (*(mark + 1))->coordin.position[k]);
    // Cells run in rows of seven: the last is one row below and six columns
    // right of the first.
    const Object* first = p->links.at(2);
    const Object* last = p->links.back();
    EXPECT_GT(last->coordin.position[0], first->coordin.position[0]);
    EXPECT_LT(last->coordin.position[1], first->coordin.position[1]);
}

TEST_F(CalendarPageTest, ANewDayShowsOnlyTheNewPageAtOnce) {
    struct Case { bool monday; int y, m, d; int title, first, n, today; };
    for (const Case& c : {Case{false, 2026, 12, 31, 1, 5, 31, 1}, Case{true, 2026, 2, 28, 3, 6, 31, 1},
                          Case{false, 2024, 2, 28, 2, 4, 29, 29}}) {
        SCOPED_TRACE(c.y * 10000 + c.m * 100 + c.d);
        start(c.monday, c.y, c.m, c.d, 23, 59, 59, 990);
        frame(5);  // still the old day: nothing rebuilt
        ASSERT_EQ(changer()->links.size(), 1u);
        frame(10);
        ASSERT_EQ(changer()->links.size(), 2u);
        EXPECT_TRUE(changer()->links[0]->dead);
        EXPECT_EQ(drawn_entries(changer()), page(c.title, c.first, c.n, c.monday, c.today));
        frame(16);
        frame(16);
        EXPECT_EQ(changer()->links.size(), 1u);  // the old page is gone
        EXPECT_EQ(drawn_entries(changer()).size(), 45u);
    }
}

}  // namespace
}  // namespace lunabrelle::test
