// The view's options sheet over in-memory controls: what it shows, which
// controls it enables, and what Save, Restore and Cancel leave behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/config_sheet.h"
#include "host/frame_driver.h"
#include "host/saver_view.h"
#include "host/sheet_control.h"
#include "host/singletons.h"
#include "support/file_size_limit.h"
#include "host/host_fixture.h"
#include "support/log_capture.h"

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
        if (name == "config") attach_sheet(owner, sheet = new PlainSheet);
        return name == "config";
    }
    PlainSheet* sheet = nullptr;  // owned by the view
};

enum : std::size_t { kShowTime = 22, kAnalog, kTime24h, kBig, kCalendar, kMonday };

// Fields the sheet does not show set (extra_flag 7, extra_value -2,
// display_mode 3, frame rate shown); an analog 12-hour small clock, the
// calendar from Monday.
const Bytes kFileU = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0xfe, 0xff, 0xff, 0xff, 3, 0, 0, 0, 1, 1, 1, 0, 0, 1, 1};

// The sheet needs a GL context: saving rebuilds the world, whose drain draws.
class OptionsSheet : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        view.sheetLoader = &loader;
        folder.write("settings.cfg", kFileU);
    }

    // The nine controls in the sheet's order: time, digital, analog, 12 h,
    // 24 h, big, small, calendar, Monday.
    std::vector<SheetControl*> all() const {
        return {view.showTime,      view.clockStyleDigital, view.clockStyleAnalog, view.timeFormat12h,
                view.timeFormat24h, view.clockSizeBig,      view.clockSizeSmall,   view.showCalendar,
                view.firstDayMonday};
    }
    // Values as "1"/"0", then enabled as "+"/"-".
    std::string shown() const {
        std::string values, enabled;
        for (const SheetControl* c : all()) {
            values += c->floatValue() != 0.0f ? '1' : '0';
            enabled += c->isEnabled() ? '+' : '-';
        }
        return values + " " + enabled;
    }
    void set(const std::string& values) {
        for (std::size_t i = 0; i < values.size(); ++i) all()[i]->setFloatValue(values[i] == '1' ? 1.0f : 0.0f);
    }

    LogCapture log;
    PlainLoader loader;
    quorvixlunabrelle view;
};

TEST_F(OptionsSheet, OpensOnTheFileAndAFailedSaveKeepsTheSheetTheFileAndTheWorldWhileSaveWritesEveryChoice) {
    mac_construct();
    view._initedGL = true;
    conf->extra_value = 99;  // marks this world's settings
    ASSERT_NE(view.configureSheet(), nullptr);
    PlainSheet& sheet = *loader.sheet;
    EXPECT_EQ(shown(), "101100111 +++--++++");  // digital-only choices off for the analog clock
    view.restoreClick();
    EXPECT_EQ(shown(), "110101010 +++++++++");
    set("010011000");
    view.showtimeChange();  // disabled choices still count
    EXPECT_EQ(shown(), "010011000 +------++");
    {
        FileSizeLimit limit(10);
        view.saveClick();
    }
    EXPECT_EQ(folder.read("settings.cfg"), kFileU);
    EXPECT_EQ(sheet.ended, 0);  // the sheet stays open
    ASSERT_EQ(sheet.errors.size(), 1u);
    EXPECT_NE(sheet.errors[0].find(mac_config_path), std::string::npos);
    EXPECT_EQ(log.lines(), sheet.errors);
    EXPECT_TRUE(view._initedGL && conf->extra_value == 99);  // the world untouched
    view.saveClick();  // the choices are still there; a second try can succeed
    Bytes expected = kFileU;
    expected[kShowTime] = expected[kAnalog] = expected[kCalendar] = expected[kMonday] = 0;
    expected[kTime24h] = expected[kBig] = 1;
    EXPECT_EQ(folder.read("settings.cfg"), expected);
    EXPECT_EQ(sheet.ended, 1);
    EXPECT_EQ(view.config, nullptr);
    EXPECT_EQ(conf->extra_value, -2);  // the new world is built from the file,
    EXPECT_FALSE(view._initedGL);      // its scene on the next tick
}

}  // namespace
}  // namespace lunabrelle::test
