// Save writes each choice of the sheet to its own flag: every choice alone
// changed from the defaults changes exactly its byte of the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/frame_driver.h"
#include "host/saver_view.h"
#include "host/singletons.h"
#include "plain_sheet.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"

namespace {

using Control = SheetControl* quorvixlunabrelle::*;

class SaveEachChoice : public lunabrelle::test::GlTest {
protected:
    void TearDown() override {
        mac_destruct();
        mac_config_path.clear();
    }
};

TEST_F(SaveEachChoice, OnlyItsOwnFlagChanges) {
    const struct {
        const char* choice;
        Control set, cleared;  // the control clicked on, and its radio partner (or null)
        std::size_t byte;      // show_fps is byte 21, monday_first 27
        unsigned char value;
    } cases[] = {
        {"time hidden", nullptr, &quorvixlunabrelle::showTime, 22, 0},
        {"analog", &quorvixlunabrelle::clockStyleAnalog, &quorvixlunabrelle::clockStyleDigital, 23, 1},
        {"24-hour", &quorvixlunabrelle::timeFormat24h, &quorvixlunabrelle::timeFormat12h, 24, 1},
        {"small clock", &quorvixlunabrelle::clockSizeSmall, &quorvixlunabrelle::clockSizeBig, 25, 0},
        {"calendar hidden", nullptr, &quorvixlunabrelle::showCalendar, 26, 0},
        {"weeks from Monday", &quorvixlunabrelle::firstDayMonday, nullptr, 27, 1},
    };
    const std::vector<unsigned char> defaults = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        const lunabrelle::test::TempFolder dir;
        mac_config_path = dir.file("settings.cfg");
        lunabrelle::test::PlainLoader loader;
        quorvixlunabrelle view;
        view.sheetLoader = &loader;
        ASSERT_NE(view.configureSheet(), nullptr);
        if (c.cleared != nullptr) (view.*c.cleared)->setFloatValue(0.0f);
        if (c.set != nullptr) (view.*c.set)->setFloatValue(1.0f);
        view.saveClick();
        std::vector<unsigned char> expected = defaults;
        expected[c.byte] = c.value;
        EXPECT_EQ(dir.read("settings.cfg"), expected);
        mac_destruct();
    }
}

}  // namespace
