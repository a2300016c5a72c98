#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "overlays/calendar.h"
#include "support/virtual_clock.h"

namespace {

using lunabrelle::test::VirtualClock;

std::tm date(int year, int month, int day) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return t;
}

// Cells 0..41 of a month of n days whose 1st lies in cell first.
std::vector<int> expected_grid(int first, int n) {
    std::vector<int> grid(Calendar::kCells, 0);
    for (int d = 1; d <= n; ++d) grid[first + d - 1] = d;
    return grid;
}

std::vector<int> page(bool monday_first, Calendar* calendar) {
    std::vector<int> grid(Calendar::kCells, -1);
    if (monday_first)
        calendar->get_calendar_rus(grid.data());
    else
        calendar->get_calendar(grid.data());
    return grid;
}

TEST(CalendarMath, WeekdaysFollowTheGregorianCalendar) {
    const Calendar c;
    std::tm t = date(2026, 1, 1);
    EXPECT_EQ(c.what_day(&t), 4);  // Thursday
    t = date(2026, 3, 1);
    EXPECT_EQ(c.what_day(&t), 0);  // Sunday
    t = date(2026, 12, 5);
    EXPECT_EQ(c.what_day(&t), 6);  // Saturday
    t = date(2026, 2, 1);
    EXPECT_EQ(c.what_day(&t), 0);
    t = date(2000, 2, 29);
    EXPECT_EQ(c.what_day(&t), 2);  // Tuesday
    t = date(2100, 3, 1);
    EXPECT_EQ(c.what_day(&t), 1);  // Monday, after a 28-day February

    // Against the C library over a stretch of days, crossing leap days and
    // century years.
    for (std::time_t day = -25567; day < 60000; day += 37) {
        const std::time_t seconds = day * 86400;
        std::tm ref{};
        ASSERT_NE(gmtime_r(&seconds, &ref), nullptr);
        std::tm plain = date(ref.tm_year + 1900, ref.tm_mon + 1, ref.tm_mday);
        EXPECT_EQ(c.what_day(&plain), ref.tm_wday) << ref.tm_year + 1900 << "-" << ref.tm_mon + 1 << "-"
                                                   << ref.tm_mday;
    }
}

TEST(CalendarMath, FirstDayIgnoresTheDayOfTheMonth) {
    const Calendar c;
    std::tm t = date(2026, 12, 31);
    EXPECT_EQ(c.first_day_of_mount(&t), 2);  // 1 December 2026 is a Tuesday
    EXPECT_EQ(t.tm_mday, 31);
}

TEST(CalendarMath, FebruaryHasTheGregorianLeapDay) {
    const Calendar c;
    std::tm t = date(2000, 2, 1);
    EXPECT_EQ(c.day_of_mount(&t), 29);
    t = date(2024, 2, 10);
    EXPECT_EQ(c.day_of_mount(&t), 29);
    t = date(2100, 2, 1);
    EXPECT_EQ(c.day_of_mount(&t), 28);
    t = date(2400, 2, 1);
    EXPECT_EQ(c.day_of_mount(&t), 29);
    t = date(2026, 2, 1);
    EXPECT_EQ(c.day_of_mount(&t), 28);
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) {
        t = date(2026, m, 1);
        EXPECT_EQ(c.day_of_mount(&t), lengths[m - 1]) << m;
    }
}

TEST(CalendarMath, PagesOfDecember2026) {
    VirtualClock clock;
    clock.set(2026, 12, 5, 13, 45, 0);
    Calendar c;
    EXPECT_EQ(page(true, &c), expected_grid(1, 31));  // cell 0 "null", 1..31 in cells 1..31
    EXPECT_EQ(c.year, 2026);
    EXPECT_EQ(c.month, 11);
    EXPECT_EQ(c.day, 5);

    Calendar sunday;
    EXPECT_EQ(page(false, &sunday), expected_grid(2, 31));
    EXPECT_EQ(sunday.day, 5);
}

TEST(CalendarMath, MonthStartingOnSunday) {
    VirtualClock clock;
    clock.set(2026, 3, 31, 23, 59, 59);  // 1 March 2026 is a Sunday
    Calendar c;
    EXPECT_EQ(page(true, &c), expected_grid(6, 31));  // last column of the first row
    EXPECT_EQ(page(false, &c), expected_grid(0, 31));
    EXPECT_EQ(c.day, 31);
    EXPECT_EQ(c.month, 2);
}

TEST(CalendarMath, LongestMonthStartingInTheLastColumnFitsSixRows) {
    VirtualClock clock;
    clock.set(2026, 8, 1, 0, 0, 0);  // 1 August 2026 is a Saturday
    Calendar c;
    EXPECT_EQ(page(false, &c), expected_grid(6, 31));
    EXPECT_EQ(page(true, &c), expected_grid(5, 31));
}

TEST(CalendarMath, LeapFebruaryPage) {
    VirtualClock clock;
    clock.set(2024, 2, 29, 12, 0, 0);  // 1 February 2024 is a Thursday
    Calendar c;
    EXPECT_EQ(page(false, &c), expected_grid(4, 29));
    EXPECT_EQ(page(true, &c), expected_grid(3, 29));
    EXPECT_EQ(c.year, 2024);
}

}  // namespace
