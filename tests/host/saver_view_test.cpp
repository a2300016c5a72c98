// The saver view as a host drives it: creation, start, ticks, resizes, stop,
// and what Save and Restore of its options sheet over in-memory controls leave
// behind (the sheet's rules, on the real interface, are the settings dialog's
// test).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "host/frame_driver.h"
#include "host/host_fixture.h"
#include "host/saver_view.h"
#include "host/singletons.h"
#include "platform/system/system.h"
#include "support/file_size_limit.h"
#include "support/log_capture.h"
#include "support/meadow_world_test.h"

namespace lunabrelle::test {
namespace {

using Bytes = std::vector<unsigned char>;

// The subview on the fixture's context, recording the sizes it is given.
class TestSurface : public GlSurface {
public:
    explicit TestSurface(HeadlessGl* context) : gl(context) {}
    bool create() override { return can_create; }
    bool make_current() override { return gl->make_current(); }
    void resize(double width, double height) override {
        sizes.emplace_back(width, height);
        gl->resize(std::max(1, whole_units(width)), std::max(1, whole_units(height)), nullptr);
    }
    HeadlessGl* gl;
    bool can_create = true;
    std::vector<std::pair<double, double>> sizes;
};

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

class SaverViewTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        write_scene_archives(archives);
        platform::set_resource_folder(archives.folder.path().string());
        platform::set_settings_path(settings_file());
        view.sheetLoader = &loader;
    }
    void TearDown() override {
        if (view.isAnimating()) view.stopAnimation();
        HostTest::TearDown();
    }
    std::vector<int> viewport() const {
        std::vector<int> v(4);
        glGetIntegerv(GL_VIEWPORT, v.data());
        return v;
    }

    ArchiveFolder archives;
    LogCapture log;
    TestSurface surface{&gl_};
    PlainLoader loader;
    quorvixlunabrelle view;
};

TEST_F(SaverViewTest, CreationNeedsASubviewStartShowsBlackTheFirstTickBuildsAndOnlyAResizeRebuilds) {
    EXPECT_FALSE(view.initWithFrame(800, 600, false, nullptr));
    surface.can_create = false;
    EXPECT_FALSE(view.initWithFrame(800, 600, true, &surface));
    EXPECT_EQ(log.lines(), std::vector<std::string>(2, "Couldn't initialize OpenGL"));
    surface.can_create = true;
    ASSERT_TRUE(view.initWithFrame(kWidth, kHeight, false, &surface));
    EXPECT_EQ(conf, nullptr);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    view.startAnimation();
    EXPECT_EQ(pixel(kWidth / 2, kHeight / 2), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(scena->width, 10);  // not built before the first tick
    view.animateOneFrame();
    EXPECT_EQ(scena->width, kWidth);
    glViewport(0, 0, 1, 1);  // a later tick draws without building
    view.animateOneFrame();
    EXPECT_EQ(viewport(), (std::vector<int>{0, 0, 1, 1}));
    Config* world = conf;
    view.setFrameSize(100.9, 40.5);  // truncated, not rounded
    EXPECT_EQ(surface.sizes.back(), std::make_pair(100.9, 40.5));
    view.animateOneFrame();
    EXPECT_EQ(viewport(), (std::vector<int>{0, 0, 100, 40}));
    double projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 2.5, 1e-6);
    EXPECT_EQ(conf, world);  // the world survives a resize
}

// Fields the sheet does not show set (extra_flag 7, extra_value -2,
// display_mode 3, frame rate shown); an analog 12-hour small clock, the
// calendar from Monday.
const Bytes kFileU = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0xfe, 0xff, 0xff, 0xff, 3, 0, 0, 0, 1, 1, 1, 0, 0, 1, 1};

TEST_F(SaverViewTest, OptionsSheetRestoresTheDefaultsAFailedSaveKeepsSheetFileAndWorldAndSaveKeepsWhatIsNotShown) {
    folder.write("settings.cfg", kFileU);
    mac_construct();
    view._initedGL = true;
    conf->extra_value = 99;  // marks this world's settings
    ASSERT_NE(view.configureSheet(), nullptr);
    PlainSheet& sheet = *loader.sheet;
    EXPECT_TRUE(view.clockStyleAnalog->floatValue() == 1 && view.firstDayMonday->floatValue() == 1);
    view.restoreClick();  // a digital 12-hour big clock, the calendar from Sunday
    {
        FileSizeLimit limit(10);
        view.saveClick();
    }
    EXPECT_EQ(folder.read("settings.cfg"), kFileU);
    EXPECT_EQ(sheet.ended, 0);  // the sheet stays open
    ASSERT_EQ(sheet.errors.size(), 1u);
    EXPECT_NE(sheet.errors[0].find(mac_config_path), std::string::npos);
    EXPECT_TRUE(view._initedGL && conf->extra_value == 99);  // the world untouched
    view.saveClick();  // the choices are still there; a second try can succeed
    Bytes expected(kFileU.begin(), kFileU.begin() + 22);  // what the sheet does not show
    expected.insert(expected.end(), {1, 0, 0, 1, 1, 0});
    EXPECT_EQ(folder.read("settings.cfg"), expected);
    EXPECT_EQ(sheet.ended, 1);
    EXPECT_EQ(view.config, nullptr);
    EXPECT_EQ(conf->extra_value, -2);  // the new world is built from the file,
    EXPECT_FALSE(view._initedGL);      // its scene on the next tick
}

}  // namespace
}  // namespace lunabrelle::test
