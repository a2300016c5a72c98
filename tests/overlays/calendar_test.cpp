// The month calendar: its arithmetic against the C library and its page as
// drawn at given dates of the virtual clock.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "host/frame_driver.h"
#include "host/singletons.h"
#include "overlays/calendar.h"
#include "support/meadow_world_test.h"

namespace lunabrelle::test {
namespace {

using Names = std::vector<std::string>;

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
        std::tm date{}, last{};
        ASSERT_NE(gmtime_r(&seconds, &date), nullptr);
        const int weekday = std::exchange(date.tm_wday, -1);  // the calendar is given the date alone
        last.tm_year = date.tm_year;
        last.tm_mon = date.tm_mon + 1;  // day 0 of the next month: this month's last day
        timegm(&last);
        SCOPED_TRACE(std::to_string(date.tm_year + 1900) + "-" + std::to_string(date.tm_mon + 1));
        EXPECT_EQ(c.what_day(&date), weekday);
        EXPECT_EQ(c.day_of_mount(&date), last.tm_mday);
    }
}

using CalendarPageTest = MeadowWorldTest;

// The page of a new day replaces the old one within a frame, today marked
// right before its number, after the weekday header and the month title.
TEST_F(CalendarPageTest, ANewDayShowsOnlyTheNewPageAtOnce) {
    struct Case { bool monday; int y, m, d; int title, first, n, today; };
    for (const Case& c : {Case{false, 2026, 12, 31, 1, 5, 31, 1}, Case{true, 2026, 2, 28, 3, 6, 31, 1},
                          Case{false, 2024, 2, 28, 2, 4, 29, 29}}) {
        SCOPED_TRACE(c.y * 10000 + c.m * 100 + c.d);
        clock.set(c.y, c.m, c.d, 23, 59, 59, 990);
        conf->show_calendar = true;
        conf->monday_first = c.monday;
        build();
        frame(0);
        Object* changer = overlay->links.front()->links.at(1);
        frame(5);  // still the old day: nothing rebuilt
        ASSERT_EQ(changer->links.size(), 1u);
        frame(10);
        ASSERT_EQ(changer->links.size(), 2u);
        EXPECT_TRUE(changer->links[0]->dead);
        Names page = grid(c.first, c.n);
        page.insert(page.begin() + c.first + c.today - 1, "sel");
        page.insert(page.begin(), {c.monday ? "day_rus" : "day", "m" + std::to_string(c.title)});
        EXPECT_EQ(drawn_entries(changer), page);
        frame(16);
        frame(16);
        EXPECT_EQ(changer->links.size(), 1u);  // the old page is gone
    }
}

}  // namespace
}  // namespace lunabrelle::test
