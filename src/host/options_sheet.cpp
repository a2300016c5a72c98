#include "host/options_sheet.h"

#include <string>

#include "host/frame_driver.h"
#include "host/saver_view.h"
#include "host/singletons.h"
#include "platform/system/system.h"

namespace {

// A control that is missing (the interface file did not load) reads as off
// and ignores writes, so the sheet's logic never needs to ask.
bool is_on(const SheetControl* control) { return control != nullptr && control->floatValue() != 0.0f; }

// Nor does a missing control change the record.
void read_into(const SheetControl* control, bool* field) {
    if (control != nullptr) *field = is_on(control);
}

void set_on(SheetControl* control, bool on) {
    if (control != nullptr) control->setFloatValue(on ? 1.0f : 0.0f);
}

void set_enabled(SheetControl* control, bool enabled) {
    if (control != nullptr) control->setEnabled(enabled);
}

// Only one member of each radio pair is read back: clockStyleAnalog,
// timeFormat24h, clockSizeBig.
void read_controls(const quorvixlunabrelle& view, Config* into) {
    read_into(view.showCalendar, &into->show_calendar);
    read_into(view.firstDayMonday, &into->monday_first);
    read_into(view.showTime, &into->show_time);
    read_into(view.clockStyleAnalog, &into->analog_clock);
    read_into(view.timeFormat24h, &into->time_24h);
    read_into(view.clockSizeBig, &into->big_clock);
}

void write_clock_controls(quorvixlunabrelle& view, const Config& from) {
    set_on(view.showTime, from.show_time);
    set_on(view.clockStyleAnalog, from.analog_clock);
    set_on(view.clockStyleDigital, !from.analog_clock);
    set_on(view.timeFormat24h, from.time_24h);
    set_on(view.timeFormat12h, !from.time_24h);
    set_on(view.clockSizeBig, from.big_clock);
    set_on(view.clockSizeSmall, !from.big_clock);
}

}  // namespace

ConfigSheet* quorvixlunabrelle::configureSheet() {
    delete config;
    config = new Config(load_config(mac_config_path));
    if (configSheet == nullptr &&
        (sheetLoader == nullptr || !sheetLoader->loadInterface(kSheetInterfaceName, *this))) {
        platform::log("Faild to load");
        platform::beep();
    }
    set_on(showCalendar, config->show_calendar);
    set_on(firstDayMonday, config->monday_first);
    write_clock_controls(*this, *config);
    // The enabled states follow the values just set, not whatever the
    // interface file or an earlier opening left behind.
    showcalendarChange();
    showtimeChange();
    if (is_on(showTime)) clockstyleChangeAnalog();
    return configSheet;
}

void quorvixlunabrelle::showtimeChange() {
    if (!is_on(showTime)) {
        for (SheetControl* control : {clockStyleAnalog, clockStyleDigital, timeFormat12h,
                                      timeFormat24h, clockSizeBig, clockSizeSmall})
            set_enabled(control, false);
        return;
    }
    set_enabled(clockStyleAnalog, true);
    set_enabled(clockStyleDigital, true);
    // With the analog style the hour format stays as it is: it only matters
    // for the digital clock.
    if (is_on(clockStyleDigital)) {
        set_enabled(timeFormat12h, true);
        set_enabled(timeFormat24h, true);
    }
    set_enabled(clockSizeBig, true);
    set_enabled(clockSizeSmall, true);
}

void quorvixlunabrelle::clockstyleChangeDigital() {
    if (!is_on(clockStyleDigital)) return;
    set_enabled(timeFormat12h, true);
    set_enabled(timeFormat24h, true);
}

void quorvixlunabrelle::clockstyleChangeAnalog() {
    if (!is_on(clockStyleAnalog)) return;
    set_enabled(timeFormat12h, false);
    set_enabled(timeFormat24h, false);
}

void quorvixlunabrelle::showcalendarChange() { set_enabled(firstDayMonday, is_on(showCalendar)); }

void quorvixlunabrelle::saveClick() {
    if (config == nullptr) return;  // no sheet open
    read_controls(*this, config);
    // The file is replaced whole or not at all; on failure the sheet stays
    // open with the user's choices, and the world keeps the old settings.
    if (!save_config(*config, mac_config_path)) {
        const std::string message = "Couldn't save the settings to " + mac_config_path;
        platform::log(message);
        if (configSheet != nullptr) configSheet->showError(message);
        return;
    }
    delete config;
    config = nullptr;
    if (configSheet != nullptr) configSheet->endSheet();
    // The new world reads the file just written. Its scene is built on the
    // next tick, so the view shows the new choices at once.
    mac_destruct();
    mac_construct();
    _initedGL = false;
}

void quorvixlunabrelle::restoreClick() {
    const Config defaults;
    set_on(showCalendar, defaults.show_calendar);
    set_on(firstDayMonday, defaults.monday_first);
    showcalendarChange();
    write_clock_controls(*this, defaults);
    showtimeChange();
    // show_fps and the fields the sheet does not show keep their values.
    if (config != nullptr) read_controls(*this, config);
}

void quorvixlunabrelle::cancelClick() {
    delete config;
    config = nullptr;
    if (configSheet != nullptr) configSheet->endSheet();
}

void quorvixlunabrelle::visitClick() {
    if (!platform::open_url(kProductPageUrl)) platform::log(std::string("Couldn't open ") + kProductPageUrl);
}
