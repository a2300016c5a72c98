#include "overlay_archives.h"

#include "calendar_sheet.h"
#include "clock_dial.h"
#include "clock_digits.h"
#include "fps_label.h"

namespace content {

Archive build_clock_archive() {
    Archive a{"clock.pak", {}};
    add_digital_clock(a);
    add_analog_clock(a);
    return a;
}

Archive build_calendar_archive() {
    Archive a{"calendar.pak", {}};
    add_calendar(a);
    return a;
}

Archive build_utils_archive() {
    Archive a{"utils.pak", {}};
    add_fps_label(a);
    return a;
}

}  // namespace content
