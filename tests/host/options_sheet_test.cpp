#include "host/options_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/frame_driver.h"
#include "host/saver_view.h"
#include "host/singletons.h"
#include "platform/system/system.h"
#include "plain_sheet.h"
#include "support/file_size_limit.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::FileSizeLimit;
using lunabrelle::test::PlainLoader;
using lunabrelle::test::PlainSheet;
using lunabrelle::test::TempFolder;

constexpr char kFile[] = "quorvix_lunabrelle.cfg";

// Offsets of the flags in a file this system writes.
enum : std::size_t { kShowFps = 21, kShowTime, kAnalog, kTime24h, kBig, kCalendar, kMonday };

const Bytes kDefaultFile = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0};

// show_fps 1, extra_flag 7, extra_value -2, display_mode 3, analog 24-hour
// small clock shown, calendar off, weeks from Monday.
const Bytes kUnusualFile = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0xfe, 0xff, 0xff,
                            0xff, 3, 0, 0, 0, 1, 1, 1, 1, 0, 0, 1};

std::vector<std::string> logged;
void keep_log(const std::string& message) { logged.push_back(message); }

bool on(const SheetControl* control) { return control->floatValue() != 0.0f; }
bool enabled(const SheetControl* control) { return control->isEnabled(); }

// The view's sheet over in-memory controls. Saving rebuilds the world, whose
// drain draws frames, so every test has a GL context.
class OptionsSheet : public lunabrelle::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        mac_config_path = dir.file(kFile);
        view.sheetLoader = &loader;
        logged.clear();
        platform::install_log_sink(keep_log);
    }
    void TearDown() override {
        mac_destruct();
        platform::install_log_sink(nullptr);
        mac_config_path.clear();
    }

    PlainSheet& open() {
        EXPECT_NE(view.configureSheet(), nullptr);
        return *loader.sheet;
    }

    // What a user's click does: the control changes, then sends its action.
    void toggle(SheetControl* control, void (quorvixlunabrelle::*action)()) {
        control->setFloatValue(on(control) ? 0.0f : 1.0f);
        (view.*action)();
    }
    void choose(SheetControl* chosen, SheetControl* other,
                void (quorvixlunabrelle::*action)() = nullptr) {
        other->setFloatValue(0.0f);
        chosen->setFloatValue(1.0f);
        if (action != nullptr) (view.*action)();
    }

    std::vector<const SheetControl*> clock_controls() const {
        return {view.clockStyleAnalog, view.clockStyleDigital, view.timeFormat12h,
                view.timeFormat24h,    view.clockSizeBig,      view.clockSizeSmall};
    }

    TempFolder dir;
    PlainLoader loader;
    quorvixlunabrelle view;
};

TEST_F(OptionsSheet, OpensWithTheDefaultsWhenThereIsNoFile) {
    open();
    EXPECT_EQ(loader.last_name, "config");
    // Time on, digital, 12-hour, big; calendar on, weeks from Sunday.
    const std::vector<bool> shown = {on(view.showTime),      on(view.clockStyleDigital), on(view.clockStyleAnalog),
                                     on(view.timeFormat12h), on(view.timeFormat24h),     on(view.clockSizeBig),
                                     on(view.clockSizeSmall), on(view.showCalendar),     on(view.firstDayMonday)};
    EXPECT_EQ(shown, (std::vector<bool>{true, true, false, true, false, true, false, true, false}));
    for (const SheetControl* control : clock_controls()) EXPECT_TRUE(enabled(control));
    EXPECT_TRUE(enabled(view.firstDayMonday));
    ASSERT_NE(view.config, nullptr);
    EXPECT_TRUE(view.config->show_time);
}

TEST_F(OptionsSheet, OpeningAppliesTheEnablingRulesToTheValuesItSets) {
    Bytes analog_calendar_off = kDefaultFile;
    analog_calendar_off[kAnalog] = 1;
    analog_calendar_off[kCalendar] = 0;
    dir.write(kFile, analog_calendar_off);
    open();
    EXPECT_TRUE(enabled(view.clockStyleDigital));
    EXPECT_FALSE(enabled(view.timeFormat12h));
    EXPECT_FALSE(enabled(view.timeFormat24h));
    EXPECT_TRUE(enabled(view.clockSizeSmall));
    EXPECT_FALSE(enabled(view.firstDayMonday));
    view.cancelClick();

    Bytes clock_off = kDefaultFile;
    clock_off[kShowTime] = 0;
    dir.write(kFile, clock_off);
    open();
    for (const SheetControl* control : clock_controls()) EXPECT_FALSE(enabled(control));
    EXPECT_TRUE(enabled(view.firstDayMonday));
    view.cancelClick();

    // A later opening does not inherit the states the last one left.
    dir.write(kFile, kDefaultFile);
    open();
    for (const SheetControl* control : clock_controls()) EXPECT_TRUE(enabled(control));
    EXPECT_EQ(loader.loads, 1);  // the interface file is loaded once per view
}

TEST_F(OptionsSheet, ClockAndCalendarSwitchedOffAndOnAgain) {
    open();
    toggle(view.showTime, &quorvixlunabrelle::showtimeChange);
    for (const SheetControl* control : clock_controls()) EXPECT_FALSE(enabled(control));
    // Disabled controls keep their values.
    EXPECT_TRUE(on(view.clockStyleDigital));
    EXPECT_TRUE(on(view.clockSizeBig));

    view.clockStyleDigital->setFloatValue(0.0f);
    view.clockStyleAnalog->setFloatValue(1.0f);
    toggle(view.showTime, &quorvixlunabrelle::showtimeChange);
    EXPECT_TRUE(enabled(view.clockStyleAnalog));
    EXPECT_TRUE(enabled(view.clockStyleDigital));
    EXPECT_TRUE(enabled(view.clockSizeBig));
    EXPECT_TRUE(enabled(view.clockSizeSmall));
    EXPECT_FALSE(enabled(view.timeFormat12h));
    EXPECT_FALSE(enabled(view.timeFormat24h));

    toggle(view.showCalendar, &quorvixlunabrelle::showcalendarChange);
    EXPECT_FALSE(enabled(view.firstDayMonday));
    toggle(view.showCalendar, &quorvixlunabrelle::showcalendarChange);
    EXPECT_TRUE(enabled(view.firstDayMonday));
}

TEST_F(OptionsSheet, StyleDecidesWhetherTheHourFormatCounts) {
    open();
    choose(view.clockStyleAnalog, view.clockStyleDigital, &quorvixlunabrelle::clockstyleChangeAnalog);
    EXPECT_FALSE(enabled(view.timeFormat12h));
    EXPECT_FALSE(enabled(view.timeFormat24h));
    // The button that turned off sends its action too and changes nothing.
    view.clockstyleChangeDigital();
    EXPECT_FALSE(enabled(view.timeFormat12h));

    choose(view.clockStyleDigital, view.clockStyleAnalog, &quorvixlunabrelle::clockstyleChangeDigital);
    EXPECT_TRUE(enabled(view.timeFormat12h));
    EXPECT_TRUE(enabled(view.timeFormat24h));
    view.clockstyleChangeAnalog();
    EXPECT_TRUE(enabled(view.timeFormat24h));
}

TEST_F(OptionsSheet, RestoreShowsTheDefaultsAndCancelKeepsTheFileAndTheWorld) {
    dir.write(kFile, kUnusualFile);
    mac_construct();
    conf->extra_value = 99;  // marks this world's settings
    PlainSheet& sheet = open();
    EXPECT_FALSE(enabled(view.timeFormat24h));  // analog in the file
    view.restoreClick();
    EXPECT_TRUE(on(view.showTime));
    EXPECT_TRUE(on(view.clockStyleDigital) && !on(view.clockStyleAnalog));
    EXPECT_TRUE(on(view.timeFormat12h) && !on(view.timeFormat24h));
    EXPECT_TRUE(on(view.clockSizeBig) && !on(view.clockSizeSmall));
    EXPECT_TRUE(on(view.showCalendar) && !on(view.firstDayMonday));
    for (const SheetControl* control : clock_controls()) EXPECT_TRUE(enabled(control));
    EXPECT_TRUE(enabled(view.firstDayMonday));
    // The record follows the controls; what the sheet does not show stays.
    ASSERT_NE(view.config, nullptr);
    EXPECT_FALSE(view.config->analog_clock);
    EXPECT_TRUE(view.config->show_fps);
    EXPECT_EQ(view.config->display_mode, 3);
    EXPECT_EQ(sheet.ended, 0);

    view.cancelClick();
    EXPECT_EQ(sheet.ended, 1);
    EXPECT_EQ(view.config, nullptr);
    EXPECT_EQ(dir.read(kFile), kUnusualFile);
    EXPECT_EQ(conf->extra_value, 99);
}

TEST_F(OptionsSheet, SaveWritesDisabledChoicesAndKeepsTheFieldsItDoesNotShow) {
    dir.write(kFile, kUnusualFile);
    PlainSheet& sheet = open();
    // Back to digital 12-hour big, then the clock off: the choices still count.
    choose(view.clockStyleDigital, view.clockStyleAnalog, &quorvixlunabrelle::clockstyleChangeDigital);
    choose(view.timeFormat12h, view.timeFormat24h);
    choose(view.clockSizeBig, view.clockSizeSmall);
    toggle(view.showTime, &quorvixlunabrelle::showtimeChange);
    toggle(view.showCalendar, &quorvixlunabrelle::showcalendarChange);
    view.saveClick();

    Bytes expected = kUnusualFile;
    expected[kShowTime] = 0;
    expected[kAnalog] = 0;
    expected[kTime24h] = 0;
    expected[kBig] = 1;
    expected[kCalendar] = 1;
    EXPECT_EQ(dir.read(kFile), expected);
    EXPECT_EQ(sheet.ended, 1);
    EXPECT_EQ(view.config, nullptr);
    EXPECT_TRUE(sheet.errors.empty());
}

TEST_F(OptionsSheet, FailedSaveKeepsTheSheetOpenTheOldFileAndTheWorld) {
    dir.write(kFile, kUnusualFile);
    mac_construct();
    view._initedGL = true;  // running: the scene was built
    conf->extra_value = 99;  // marks this world's settings
    PlainSheet& sheet = open();
    toggle(view.showCalendar, &quorvixlunabrelle::showcalendarChange);
    {
        FileSizeLimit limit(10);
        view.saveClick();
    }
    EXPECT_EQ(dir.read(kFile), kUnusualFile);
    EXPECT_EQ(sheet.ended, 0);
    ASSERT_EQ(sheet.errors.size(), 1u);
    EXPECT_NE(sheet.errors[0].find(mac_config_path), std::string::npos);
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0], sheet.errors[0]);
    EXPECT_EQ(conf->extra_value, 99);
    EXPECT_TRUE(view._initedGL);
    // The user's choices are still there, and a second try can succeed.
    ASSERT_NE(view.config, nullptr);
    EXPECT_TRUE(on(view.showCalendar));
    view.saveClick();
    EXPECT_EQ(sheet.ended, 1);
    EXPECT_EQ(dir.read(kFile)[kCalendar], 1);
}

TEST_F(OptionsSheet, AnInterfaceFileThatFailsToLoadIsReportedAndTheSheetIsEmpty) {
    dir.write(kFile, kUnusualFile);
    loader.fail = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(view.configureSheet(), nullptr);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(logged, std::vector<std::string>{"Faild to load"});
    EXPECT_NE(err.find('\a'), std::string::npos);  // the beep
    // The record was still read; the actions have no controls to work on and
    // leave it as it is.
    ASSERT_NE(view.config, nullptr);
    EXPECT_EQ(view.config->display_mode, 3);
    view.restoreClick();
    view.showtimeChange();
    view.saveClick();
    EXPECT_EQ(view.config, nullptr);
    EXPECT_EQ(dir.read(kFile), kUnusualFile);
}

TEST_F(OptionsSheet, SaveBuildsANewWorldFromTheFileAndTheSceneOnTheNextTick) {
    mac_construct();
    view._initedGL = true;  // running: the scene was built
    conf->extra_value = 99;  // marks the old world's settings
    map->addlink(new Object());
    ASSERT_TRUE(conf->show_calendar);

    view.configureSheet();
    view.showCalendar->setFloatValue(0.0f);
    view.showcalendarChange();
    view.saveClick();

    ASSERT_NE(conf, nullptr);
    EXPECT_EQ(conf->extra_value, 0);
    EXPECT_FALSE(conf->show_calendar);
    EXPECT_FALSE(view._initedGL);
    ASSERT_NE(map, nullptr);
    ASSERT_NE(overlay, nullptr);
    EXPECT_TRUE(map->links.empty());
    EXPECT_TRUE(overlay->links.empty());
}

}  // namespace
