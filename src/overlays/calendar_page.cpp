#include "overlays/calendar_page.h"

#include <string>

#include "animation/action.h"
#include "overlays/calendar.h"
#include "overlays/overlay_statics.h"
#include "overlays/overlay_time.h"
#include "scene/object.h"

namespace {

constexpr const char* kArchive = "calendar.pak";

// Entry of a cell's value: "null" outside the month, else the day in decimal.
constexpr const char* kDayNames[32] = {
    "null", "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",
    "11",   "12", "13", "14", "15", "16", "17", "18", "19", "20", "21",
    "22",   "23", "24", "25", "26", "27", "28", "29", "30", "31"};

void give_endless(Object* node, void (*fun)(void*), int ipar) {
    Action a(1, true, 0.0);
    a.init(fun, ipar, 0.0, 0.0, 0.0);
    node->event.create_slot();
    node->event.add_action(a);
    node->event.send(0);
}

Object* make_part(Object* page, const char* entry, double x, double y) {
    Object* node = new Object;
    node->add(kArchive, entry);
    node->coordin.chposition(x, y, 0.0);
    page->addlink(node);
    return node;
}

}  // namespace

void init_calendar(void*) {
    Object* calendar = Object_curent;
    const int sunday_first = Action_curent->ipar;

    Object* plate = new Object;
    plate->add(kArchive, sunday_first == 0 ? "fon_rus" : "fon");
    plate->coordin.chposition(-16.0, -12.0, 0.0);
    calendar->addlink(plate);

    Object* changer = new Object;
    give_endless(changer, calendar_change_f, sunday_first);
    calendar->addlink(changer);
}

void calendar_change_f(void*) {
    refresh_local_time();
    const int mday = cur_time->tm_mday;
    if (mday == calendar_day) return;
    calendar_day = mday;
    const int sunday_first = Action_curent->ipar;
    Object* changer = Object_curent;

    Object* page = new Object;
    give_endless(page, calendar_die_f, mday);
    changer->addlink(page);

    Calendar calendar;
    int grid[Calendar::kCells];
    if (sunday_first != 0) {
        calendar.get_calendar(grid);
        make_part(page, "day", -16.0, 8.0);
    } else {
        calendar.get_calendar_rus(grid);
        make_part(page, "day_rus", -16.0, 8.0);
    }
    const std::string title = "m" + std::to_string(calendar.month + 1);
    make_part(page, title.c_str(), -16.0, 16.0);

    for (int i = 0; i < Calendar::kCells; ++i) {
        const double x = 8.0 * (i % 7) - 40.0;
        const double y = -8.0 * (i / 7);
        // The mark is linked first so that the number is drawn over it.
        if (grid[i] != 0 && grid[i] == calendar.day) make_part(page, "sel", x, y);
        make_part(page, kDayNames[grid[i]], x, y);
    }
}

void calendar_die_f(void*) {
    refresh_local_time();
    if (Action_curent->ipar != cur_time->tm_mday) Object_curent->del();
}
