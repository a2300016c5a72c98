// The calendar overlay: a plate, and a page of the current month from
// "calendar.pak" (weekday header, month title, 42 day cells and the mark under
// today) rebuilt whenever the day of the month changes.
#pragma once

// Action function, run once on the calendar node (Object_curent). ipar of
// Action_curent: 0 weeks start on Monday, nonzero on Sunday. Links the plate
// and the changer node that builds the pages.
void init_calendar(void*);

// Watcher, every frame on the changer: when the day of the month differs from
// calendar_day, links a new page for today (ipar as for init_calendar).
void calendar_change_f(void*);

// Every frame on a page: ipar is the day the page was built for; marks the
// page deleted, with all it holds, once the day has changed.
void calendar_die_f(void*);
