// The saver view as a host drives it: creation, start, ticks, resizes, stop,
// and its options sheet over in-memory controls (what it shows, which controls
// it enables, and what Save and Restore leave behind).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "host/frame_driver.h"
#include "host/host_fixture.h"
#include "host/random_seed.h"
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
    seed_random(12345);
    const int first = std::rand();
    ASSERT_TRUE(view.initWithFrame(kWidth, kHeight, false, &surface));
    const int next = std::rand();
    std::srand(12345);
    EXPECT_TRUE(std::rand() == first && std::rand() == next);  // the host's seed is kept
    EXPECT_EQ(mac_config_path, settings_file());
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

TEST_F(SaverViewTest, OptionsSheetOpensOnTheFileAFailedSaveKeepsSheetFileAndWorldAndSaveWritesEveryChoice) {
    folder.write("settings.cfg", kFileU);
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
    Bytes expected(kFileU.begin(), kFileU.begin() + 22);  // what the sheet does not show
    expected.insert(expected.end(), {0, 0, 1, 1, 0, 0});  // no clock, digital, 24 hours, big, no calendar, Sunday
    EXPECT_EQ(folder.read("settings.cfg"), expected);
    EXPECT_EQ(sheet.ended, 1);
    EXPECT_EQ(view.config, nullptr);
    EXPECT_EQ(conf->extra_value, -2);  // the new world is built from the file,
    EXPECT_FALSE(view._initedGL);      // its scene on the next tick
}

TEST(WholeUnits, TruncatesTowardZeroAndStaysInRange) {
    const std::pair<double, int> cases[] = {{799.6, 799}, {0.99, 0}, {-3.5, 0}, {1e300, 2147483647}, {std::nan(""), 0}};
    for (const auto& [points, units] : cases) EXPECT_EQ(whole_units(points), units) << points;
}

}  // namespace
}  // namespace lunabrelle::test
