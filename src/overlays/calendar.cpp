#include "overlays/calendar.h"

#include "overlays/overlay_time.h"

namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Today's local date, read through the shared local time.
std::tm today() {
    refresh_local_time();
    return *cur_time;
}

}  // namespace

int Calendar::day_of_mount(const std::tm* date) const {
    const int mon = date->tm_mon;
    if (mon < 0 || mon > 11) return 31;
    if (mon == 1 && leap_year(date->tm_year + 1900)) return 29;
    return kMonthDays[mon];
}

int Calendar::what_day(const std::tm* date) const {
    // March counts as month 1 so that the leap day falls at the end of the
    // counted year; January and February belong to the year before.
    const int a = (13 - date->tm_mon) / 12;
    const int y = date->tm_year + 1900 - a;
    const int m = date->tm_mon + 12 * a - 1;
    return (date->tm_mday + y + y / 4 - y / 100 + y / 400 + (31 * m) / 12 + 7000) % 7;
}

int Calendar::first_day_of_mount(const std::tm* date) const {
    std::tm first = *date;
    first.tm_mday = 1;
    return what_day(&first);
}

void Calendar::fill(const std::tm& date, int first, int* grid) {
    const int n = day_of_mount(&date);
    year = date.tm_year + 1900;
    month = date.tm_mon;
    day = date.tm_mday;
    for (int i = 0; i < kCells; ++i) grid[i] = (i >= first && i < first + n) ? i - first + 1 : 0;
}

void Calendar::get_calendar(int* grid) {
    const std::tm date = today();
    fill(date, first_day_of_mount(&date), grid);
}

void Calendar::get_calendar_rus(int* grid) {
    const std::tm date = today();
    // Monday is column 0: Sunday moves to the last column.
    const int f = first_day_of_mount(&date);
    fill(date, (f == 0 ? 7 : f) - 1, grid);
}
