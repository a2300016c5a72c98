// gtest comes before the X11 headers, whose None macro it would trip on.
#include <gtest/gtest.h>

#include "platform/gtk/settings_dialog.h"

#include <GL/gl.h>
#include <gtk/gtk.h>

#include <cstdint>
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

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::gtk::SettingsDialog;
using lunabrelle::test::FileSizeLimit;
using lunabrelle::test::LogCapture;
using lunabrelle::test::TempFolder;

enum : std::size_t { kShowFps = 21, kShowTime, kAnalog, kTime24h, kBig, kCalendar, kMonday };

const Bytes kDefaultFile = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0};

// A clock that stands still, so that two frames of the same scene are equal.
platform::WallClock still_clock() { return {1700000000, 0}; }

std::string build_resources() {
    const char* build = std::getenv("LUNABRELLE_BUILD_DIR");
    return std::string(build != nullptr ? build : ".") + "/resources";
}

// The dialog on a settings file of its own. Its resource folder holds the
// interface file of the build tree but no archives, so the preview does not
// run unless a test points it at the build tree's archives.
class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(build_resources() + "/config", resources.path() / "config");
        platform::set_resource_folder(resources.path().string());
        platform::set_settings_path(settings_file());
    }
    void TearDown() override {
        dialog.close();
        pump();
        platform::install_clock(nullptr);
    }

    std::string settings_file() const { return dir.file("quorvix_lunabrelle.cfg"); }

    // Lets GTK handle what is pending, a bounded number of times: the
    // preview's ticks keep the loop busy.
    static void pump() {
        for (int i = 0; i < 200 && gtk_events_pending(); ++i) gtk_main_iteration_do(FALSE);
    }

    GObject* object(const char* id) const { return gtk_builder_get_object(dialog.loader.sheet->builder, id); }
    GtkToggleButton* toggle(const char* id) const { return GTK_TOGGLE_BUTTON(object(id)); }
    bool active(const char* id) const { return gtk_toggle_button_get_active(toggle(id)); }
    bool sensitive(const char* id) const { return gtk_widget_get_sensitive(GTK_WIDGET(object(id))); }
    void click(const char* id) { gtk_button_clicked(GTK_BUTTON(object(id))); }
    void set(const char* id, bool on) { gtk_toggle_button_set_active(toggle(id), on); }

    LogCapture log;
    TempFolder dir;
    TempFolder resources;
    SettingsDialog dialog;
};

TEST_F(SettingsDialogTest, OpensOnTheFileItsWidgetsSendTheActionsAndCancelKeepsTheFile) {
    Bytes changed = kDefaultFile;
    changed[kAnalog] = 1;
    changed[kCalendar] = 0;
    dir.write("quorvix_lunabrelle.cfg", changed);
    ASSERT_TRUE(dialog.open());
    GtkWidget* window = GTK_WIDGET(object("configSheet"));
    EXPECT_TRUE(gtk_widget_get_visible(window));
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(window)), "Lunabrelle Settings");
    EXPECT_TRUE(active("clockStyleAnalog") && !active("clockStyleDigital") && !active("showCalendar"));
    EXPECT_FALSE(sensitive("timeFormat24h") || sensitive("firstDayMonday"));
    // Without the scene's archives the sheet works and the preview stays off.
    EXPECT_FALSE(dialog.preview_running);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find("main.pak"), std::string::npos) << log.lines()[0];

    set("clockStyleDigital", true);
    EXPECT_TRUE(sensitive("timeFormat24h"));
    set("showTime", false);
    EXPECT_FALSE(sensitive("clockSizeBig"));
    set("showCalendar", true);
    EXPECT_TRUE(sensitive("firstDayMonday"));
    click("restoreButton");
    EXPECT_TRUE(active("clockStyleDigital") && active("showCalendar") && sensitive("clockSizeBig"));
    gtk_window_close(GTK_WINDOW(window));  // closing the window cancels
    pump();
    EXPECT_TRUE(dialog.closed);
    EXPECT_FALSE(gtk_widget_get_visible(window));
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), changed);
}

TEST_F(SettingsDialogTest, SaveWritesTheFileRebuildsTheWorldAndKeepsTheSheetOpen) {
    ASSERT_TRUE(dialog.open());
    set("clockStyleAnalog", true);
    set("clockSizeSmall", true);
    set("firstDayMonday", true);
    set("showTime", false);
    click("saveButton");
    Bytes expected = kDefaultFile;
    expected[kShowTime] = 0;
    expected[kAnalog] = 1;
    expected[kBig] = 0;
    expected[kMonday] = 1;
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), expected);
    // The world now runs on the file; the next tick builds its scene.
    ASSERT_NE(conf, nullptr);
    EXPECT_TRUE(conf->analog_clock && conf->monday_first && !conf->time_24h);
    EXPECT_FALSE(dialog.view._initedGL);
    // The sheet is open again on what was saved, with its rules applied.
    EXPECT_NE(dialog.view.config, nullptr);
    EXPECT_FALSE(dialog.closed);
    EXPECT_TRUE(active("clockSizeSmall"));
    EXPECT_FALSE(sensitive("clockSizeSmall"));
    click("cancelButton");
    EXPECT_TRUE(dialog.closed);
}

TEST_F(SettingsDialogTest, AFailedSaveIsShownAndTheOldFileKept) {
    dir.write("quorvix_lunabrelle.cfg", kDefaultFile);
    ASSERT_TRUE(dialog.open());
    GtkWidget* message = GTK_WIDGET(object("message"));
    set("showCalendar", false);
    {
        FileSizeLimit limit(10);
        click("saveButton");
    }
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), kDefaultFile);
    EXPECT_TRUE(gtk_widget_get_visible(message));
    const std::string shown = gtk_label_get_text(GTK_LABEL(message));
    EXPECT_NE(shown.find(settings_file()), std::string::npos) << shown;
    EXPECT_FALSE(active("showCalendar"));  // the user's choice is still there

    click("saveButton");
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg")[kCalendar], 0);
    EXPECT_FALSE(gtk_widget_get_visible(message));
}

TEST_F(SettingsDialogTest, AnInterfaceFileThatCannotBeLoadedEndsTheDialog) {
    std::filesystem::remove(resources.path() / "config");
    EXPECT_FALSE(dialog.open());
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Faild to load"});

    // One that lacks a control is refused as a whole.
    const std::string window_only = "<interface><object class=\"GtkWindow\" id=\"configSheet\"/></interface>";
    resources.write("config", Bytes(window_only.begin(), window_only.end()));
    SettingsDialog other;
    EXPECT_FALSE(other.open());
    EXPECT_EQ(other.view.configSheet, nullptr);
    EXPECT_EQ(other.view.showTime, nullptr);
}

// The preview draws the saver: a frame after saving with the calendar on
// differs from the frame before, while saving the same choices again draws
// the very same frame. The clock stands still and every build starts from
// the same random seed, so nothing else changes between the frames.
TEST_F(SettingsDialogTest, ThePreviewShowsTheSavedChoices) {
    ASSERT_EQ(lunabrelle::x11::check_archives(build_resources()), "") << "the build tree's archives are not made";
    platform::set_resource_folder(build_resources());
    platform::install_clock(still_clock);
    Bytes no_calendar = kDefaultFile;
    no_calendar[kCalendar] = 0;
    dir.write("quorvix_lunabrelle.cfg", no_calendar);
    ASSERT_TRUE(dialog.open());
    ASSERT_TRUE(dialog.preview_running);
    // The scene is 3D: the window's configuration needs a depth buffer.
    GLint depth_bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
    EXPECT_GE(depth_bits, 24);
    const int width = int(dialog.view.frame_width);
    const int height = int(dialog.view.frame_height);
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
    const auto same = frame_after_build();
    set("showCalendar", true);
    click("saveButton");
    const auto with_calendar = frame_after_build();

    EXPECT_EQ(same, before);
    long changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) changed += before[i] != with_calendar[i];
    EXPECT_GT(changed, 1000);
}

}  // namespace
