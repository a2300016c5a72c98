// Month arithmetic of the calendar page: month lengths, weekdays and the
// 42-cell grid (six weeks of seven days, row by row) of the current month.
#pragma once

#include <cstdint>
#include <ctime>

class Calendar {
public:
    static constexpr int kCells = 42;

    // Days in the month of date (tm_mon 0..11, tm_year since 1900), Gregorian
    // leap years: February has 29 days in years divisible by 4, except
    // centuries not divisible by 400.
    int day_of_mount(const std::tm* date) const;

    // Weekday of date, 0 Sunday .. 6 Saturday (Gregorian), from tm_mday,
    // tm_mon and tm_year; tm_wday is not read.
    int what_day(const std::tm* date) const;

    // Weekday of the first day of date's month.
    int first_day_of_mount(const std::tm* date) const;

    // Fill grid (kCells ints) for the current local month, weeks starting on
    // Sunday (get_calendar) or Monday (get_calendar_rus): a cell holds its day
    // of the month, or 0 outside the month. Sets the page date to today.
    void get_calendar(int* grid);
    void get_calendar_rus(int* grid);

    // Page date, set by get_calendar / get_calendar_rus.
    std::int32_t year = 0;   // full year
    std::int32_t day = 0;    // 1..31
    std::int32_t month = 0;  // 0..11

private:
    // Fills grid with days 1..n starting at cell first; sets the page date.
    void fill(const std::tm& today, int first, int* grid);
};
