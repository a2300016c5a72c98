// The settings dialog with its real interface file, in one GTK process on an
// Xvfb of its own; fails where Xvfb or GTK cannot run.
// gtest comes before the X11 headers, whose None macro it would trip on.
#include <gtest/gtest.h>

#include "platform/gtk/settings_dialog.h"

#include <GL/gl.h>
#include <gdk/gdk.h>
#include <gtk/gtk.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "host/frame_driver.h"
#include "host/random_seed.h"
#include "platform/system/system.h"
#include "platform/x11/archive_check.h"
#include "support/file_size_limit.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "x11/xvfb.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using lunabrelle::gtk::SettingsDialog;

enum : std::size_t { kShowFps = 21, kShowTime, kAnalog, kTime24h, kBig, kCalendar, kMonday };
const Bytes kDefaultFile = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0};
const std::string kBuilt = lunabrelle::x11::build_dir() + "/resources";

int closings = 0;
void count_closing() { ++closings; }

// The dialog on a settings file of its own; its resource folder holds the
// build tree's interface file and no archives unless a test copies them.
class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        closings = 0;
        fs::copy_file(kBuilt + "/config", resources.path() / "config");
        platform::set_resource_folder(resources.path().string());
        platform::set_settings_path(file());
        dialog.on_closed = count_closing;
    }
    void TearDown() override {
        dialog.close();
        pump();
        platform::install_clock(nullptr);
    }
    std::string file() const { return dir.file("quorvix_lunabrelle.cfg"); }
    // Bounded: the preview's ticks keep the loop busy.
    static void pump() {
        for (int i = 0; i < 200 && gtk_events_pending(); ++i) gtk_main_iteration_do(FALSE);
    }
    GObject* object(const char* id) const { return gtk_builder_get_object(dialog.loader.sheet->builder, id); }
    bool active(const char* id) const { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(object(id))); }
    bool sensitive(const char* id) const { return gtk_widget_get_sensitive(GTK_WIDGET(object(id))); }
    void click(const char* id) { gtk_button_clicked(GTK_BUTTON(object(id))); }
    void set(const char* id, bool on) { gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(object(id)), on); }

    lunabrelle::test::LogCapture log;
    lunabrelle::test::TempFolder dir, resources;
    SettingsDialog dialog;
};

// A damaged archive costs the preview, not the settings. Save writes the
// choices or shows why it could not, and keeps the sheet open on what was
// saved; closing the window cancels.
TEST_F(SettingsDialogTest, OpensOnTheFileFollowsTheRulesSavesOrSaysWhyNotAndClosingCancels) {
    for (const auto& entry : fs::directory_iterator(kBuilt))
        if (entry.path().extension() == ".pak") fs::copy_file(entry.path(), resources.path() / entry.path().filename());
    resources.write("clock.pak", {5, 0, 0, 0});  // a count of five entries and nothing after it
    Bytes changed = kDefaultFile;
    changed[kAnalog] = 1;  // and 24-hour off: the two controls cannot be mistaken for each other
    changed[kCalendar] = 0;
    dir.write("quorvix_lunabrelle.cfg", changed);
    ASSERT_TRUE(dialog.open());
    GtkWidget* window = GTK_WIDGET(object("configSheet"));
    EXPECT_TRUE(gtk_widget_get_visible(window));
    EXPECT_TRUE(active("clockStyleAnalog") && !active("clockStyleDigital") && !active("showCalendar"));
    EXPECT_FALSE(active("timeFormat24h") || sensitive("timeFormat24h") || sensitive("firstDayMonday"));
    EXPECT_FALSE(dialog.preview_running);
    ASSERT_FALSE(log.lines().empty());
    EXPECT_NE(log.lines()[0].find("clock.pak"), std::string::npos) << log.lines()[0];

    set("clockStyleDigital", true);
    EXPECT_TRUE(sensitive("timeFormat24h"));
    set("showTime", false);
    EXPECT_FALSE(sensitive("clockSizeBig"));
    set("showCalendar", true);
    EXPECT_TRUE(sensitive("firstDayMonday"));
    click("restoreButton");
    EXPECT_TRUE(active("clockStyleDigital") && active("showCalendar") && sensitive("clockSizeBig"));

    set("clockStyleAnalog", true);
    set("clockSizeSmall", true);
    set("firstDayMonday", true);
    set("showTime", false);
    GtkWidget* message = GTK_WIDGET(object("message"));
    {
        lunabrelle::test::FileSizeLimit limit(10);
        click("saveButton");
    }
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), changed);
    EXPECT_TRUE(gtk_widget_get_visible(message));
    const std::string shown = gtk_label_get_text(GTK_LABEL(message));
    EXPECT_NE(shown.find(file()), std::string::npos) << shown;
    click("saveButton");  // the user's choices are still there
    Bytes expected = kDefaultFile;
    expected[kShowTime] = expected[kBig] = 0;
    expected[kAnalog] = expected[kMonday] = 1;
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), expected);
    EXPECT_FALSE(gtk_widget_get_visible(message));
    EXPECT_NE(dialog.view.config, nullptr);
    EXPECT_FALSE(dialog.closed);
    EXPECT_TRUE(active("clockSizeSmall") && !sensitive("clockSizeSmall"));  // the rules applied again

    set("showCalendar", false);
    gtk_window_close(GTK_WINDOW(window));
    pump();
    EXPECT_EQ(closings, 1);
    EXPECT_FALSE(gtk_widget_get_visible(window));
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), expected);
}

// The preview draws the saver: a frame after saving with the calendar on
// differs from the frame before, while saving the same choices again draws
// the very same frame. The clock stands still and every build starts from
// the same random seed, so nothing else changes between the frames.
TEST_F(SettingsDialogTest, ThePreviewShowsTheSavedChoices) {
    ASSERT_EQ(lunabrelle::x11::check_archives(kBuilt), "") << "the build tree's archives are not made";
    platform::set_resource_folder(kBuilt);
    platform::install_clock([] { return platform::WallClock{1700000000, 0}; });
    Bytes no_calendar = kDefaultFile;
    no_calendar[kCalendar] = 0;
    dir.write("quorvix_lunabrelle.cfg", no_calendar);
    ASSERT_TRUE(dialog.open());
    ASSERT_TRUE(dialog.preview_running);
    GLint depth_bits = 0;  // the scene is 3D: the window's configuration needs a depth buffer
    glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
    EXPECT_GE(depth_bits, 24);
    const int width = int(dialog.view.frame_width), height = int(dialog.view.frame_height);
    ASSERT_GT(width * height, 0);
    const auto frame_after_build = [&] {
        seed_random(7);
        dialog.view.animateOneFrame();  // builds the scene, draws it, context current
        std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height) * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        dialog.preview.surface->swap();
        return pixels;
    };
    const auto before = frame_after_build();
    click("saveButton");  // nothing changed
    EXPECT_FALSE(dialog.view._initedGL);
    EXPECT_EQ(frame_after_build(), before);
    set("showCalendar", true);
    click("saveButton");
    const auto with_calendar = frame_after_build();
    long changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) changed += before[i] != with_calendar[i];
    EXPECT_GT(changed, 1000);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    lunabrelle::x11::XvfbServer server;
    std::string why;
    if (!server.start(1024, 768, &why)) return std::fprintf(stderr, "FAIL: %s\n", why.c_str()), 1;
    setenv("DISPLAY", server.name.c_str(), 1);
    // No session services in a test: no accessibility bus, no dconf.
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr))
        return std::fprintf(stderr, "FAIL: GTK cannot open %s\n", server.name.c_str()), 1;
    return RUN_ALL_TESTS();
}
