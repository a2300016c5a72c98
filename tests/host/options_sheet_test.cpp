// The view's options sheet over in-memory controls: what it shows, which
// controls it enables, and what Save, Restore and Cancel leave behind.
#include "host/options_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/config_sheet.h"
#include "host/frame_driver.h"
#include "host/saver_view.h"
#include "host/sheet_control.h"
#include "host/singletons.h"
#include "support/file_size_limit.h"
#include "support/gl_test.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace lunabrelle::test {
namespace {

using Bytes = std::vector<unsigned char>;

struct PlainControl : SheetControl {
    float floatValue() const override { return value; }
    void setFloatValue(float v) override { value = v; }
    bool isEnabled() const override { return enabled; }
    void setEnabled(bool e) override { enabled = e; }
    float value = 0.0f;
    bool enabled = true;  // as the interface file has them
};

struct PlainSheet : ConfigSheet {
    void endSheet() override { ++ended; }
    void showError(const std::string& message) override { errors.push_back(message); }
    int ended = 0;
    std::vector<std::string> errors;
    PlainControl showTime, clockStyleDigital, clockStyleAnalog, timeFormat24h, timeFormat12h, clockSizeBig,
        clockSizeSmall, showCalendar, firstDayMonday;
};

struct PlainLoader : SheetLoader {
    bool loadInterface(const std::string& name, quorvixlunabrelle& owner) override {
        ++loads;
        if (fail || name != "config") return false;
        sheet = new PlainSheet;
        attach_sheet(owner, sheet);
        return true;
    }
    bool fail = false;
    int loads = 0;
    PlainSheet* sheet = nullptr;  // owned by the view
};

constexpr char kFile[] = "quorvix_lunabrelle.cfg";
enum : std::size_t { kShowFps = 21, kShowTime, kAnalog, kTime24h, kBig, kCalendar, kMonday };

// Fields the sheet does not show set (extra_flag 7, extra_value -2,
// display_mode 3, frame rate shown); an analog 12-hour small clock, the
// calendar from Monday.
const Bytes kFileU = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0xfe, 0xff, 0xff, 0xff, 3, 0, 0, 0, 1, 1, 1, 0, 0, 1, 1};

// The sheet need a GL context: saving rebuilds the world, whose drain draws.
class OptionsSheet : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        mac_config_path = dir.file(kFile);
        view.sheetLoader = &loader;
    }
    void TearDown() override { mac_destruct(); }

    PlainSheet& open() {
        EXPECT_NE(view.configureSheet(), nullptr);
        return *loader.sheet;
    }
    // The nine controls in the sheet's order: time, digital, analog, 12 h,
    // 24 h, big, small, calendar, Monday. "1"/"0" values; "+"/"-" enabled.
    std::vector<SheetControl*> all() const {
        return {view.showTime,      view.clockStyleDigital, view.clockStyleAnalog, view.timeFormat12h,
                view.timeFormat24h, view.clockSizeBig,      view.clockSizeSmall,   view.showCalendar,
                view.firstDayMonday};
    }
    std::string values() const {
        std::string s;
        for (const SheetControl* c : all()) s += c->floatValue() != 0.0f ? '1' : '0';
        return s;
    }
    std::string enabled() const {
        std::string s;
        for (const SheetControl* c : all()) s += c->isEnabled() ? '+' : '-';
        return s;
    }
    // A user's click: the control changes, then sends its action.
    void click(int control, void (quorvixlunabrelle::*action)()) {
        SheetControl* c = all()[control];
        c->setFloatValue(c->floatValue() != 0.0f ? 0.0f : 1.0f);
        if (action != nullptr) (view.*action)();
    }
    void choose(int on, int off, void (quorvixlunabrelle::*action)() = nullptr) {
        all()[off]->setFloatValue(0.0f);
        all()[on]->setFloatValue(1.0f);
        if (action != nullptr) (view.*action)();
    }

    TempFolder dir;
    LogCapture log;
    PlainLoader loader;
    quorvixlunabrelle view;
};

TEST_F(OptionsSheet, OpeningShowsTheFileAndEnablesWhatCounts) {
    Bytes time_off = kFileU;
    time_off[kShowTime] = 0;
    Bytes calendar_off = kFileU;
    calendar_off[kCalendar] = 0;
    calendar_off[kAnalog] = 0;
    const struct { Bytes file; const char* values; const char* enabled; } cases[] = {
        {{}, "110101010", "+++++++++"},  // no file: the defaults
        {kFileU, "101100111", "+++--++++"},
        {time_off, "001100111", "+------++"},
        {calendar_off, "110100101", "++++++++-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values);
        if (!c.file.empty()) dir.write(kFile, c.file);
        open();
        EXPECT_EQ(values(), c.values);
        EXPECT_EQ(enabled(), c.enabled);
        view.cancelClick();
    }
    EXPECT_EQ(loader.loads, 1);  // the interface file is loaded once per view
}

TEST_F(OptionsSheet, SaveWritesEveryChoiceAndKeepsWhatTheSheetDoesNotShow) {
    dir.write(kFile, kFileU);
    PlainSheet& sheet = open();
    choose(1, 2, &quorvixlunabrelle::clockstyleChangeDigital);
    choose(4, 3);
    choose(5, 6);
    click(8, nullptr);
    click(7, &quorvixlunabrelle::showcalendarChange);
    click(0, &quorvixlunabrelle::showtimeChange);  // disabled choices still count
    view.saveClick();
    Bytes expected = kFileU;
    expected[kShowTime] = expected[kAnalog] = expected[kCalendar] = expected[kMonday] = 0;
    expected[kTime24h] = expected[kBig] = 1;
    EXPECT_EQ(dir.read(kFile), expected);
    EXPECT_EQ(sheet.ended, 1);
    EXPECT_EQ(view.config, nullptr);
    EXPECT_TRUE(sheet.errors.empty());
}

TEST_F(OptionsSheet, RestoreShowsTheDefaultsAndCancelKeepsTheFileAndTheWorld) {
    dir.write(kFile, kFileU);
    mac_construct();
    conf->extra_value = 99;  // marks this world's settings
    PlainSheet& sheet = open();
    view.restoreClick();
    EXPECT_EQ(values(), "110101010");
    EXPECT_EQ(enabled(), "+++++++++");
    ASSERT_NE(view.config, nullptr);
    EXPECT_FALSE(view.config->analog_clock);  // the record follows the controls
    EXPECT_EQ(view.config->display_mode, 3);  // what the sheet does not show stays
    view.cancelClick();
    EXPECT_EQ(sheet.ended, 1);
    EXPECT_EQ(view.config, nullptr);
    EXPECT_EQ(dir.read(kFile), kFileU);
    EXPECT_EQ(conf->extra_value, 99);
}

TEST_F(OptionsSheet, FailedSaveKeepsTheSheetOpenTheOldFileAndTheWorld) {
    dir.write(kFile, kFileU);
    mac_construct();
    view._initedGL = true;
    conf->extra_value = 99;
    PlainSheet& sheet = open();
    click(7, &quorvixlunabrelle::showcalendarChange);
    {
        FileSizeLimit limit(10);
        view.saveClick();
    }
    EXPECT_EQ(dir.read(kFile), kFileU);
    EXPECT_EQ(sheet.ended, 0);
    ASSERT_EQ(sheet.errors.size(), 1u);
    EXPECT_NE(sheet.errors[0].find(mac_config_path), std::string::npos);
    EXPECT_EQ(log.lines(), sheet.errors);
    EXPECT_EQ(conf->extra_value, 99);
    EXPECT_TRUE(view._initedGL);
    view.saveClick();  // the choices are still there; a second try can succeed
    EXPECT_EQ(sheet.ended, 1);
    EXPECT_EQ(dir.read(kFile)[kCalendar], 0);
    // The new world is built from the file, the scene on the next tick.
    EXPECT_EQ(conf->extra_value, -2);
    EXPECT_FALSE(conf->show_calendar);
    EXPECT_FALSE(view._initedGL);
}

TEST_F(OptionsSheet, AnInterfaceFileThatFailsToLoadIsReportedAndChangesNothing) {
    dir.write(kFile, kFileU);
    loader.fail = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(view.configureSheet(), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find('\a'), std::string::npos);  // the beep
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Faild to load"});
    ASSERT_NE(view.config, nullptr);
    view.restoreClick();
    view.showtimeChange();
    view.saveClick();
    EXPECT_EQ(view.config, nullptr);
    EXPECT_EQ(dir.read(kFile), kFileU);
}

}  // namespace
}  // namespace lunabrelle::test
