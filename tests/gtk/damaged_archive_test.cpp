// The dialog with a broken installation: a damaged archive costs the preview,
// not the settings; an interface file that cannot be loaded ends nothing that
// was never started.
#include <gtest/gtest.h>

#include "platform/gtk/settings_dialog.h"

#include <gtk/gtk.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/system/system.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using lunabrelle::gtk::SettingsDialog;
using lunabrelle::test::TempFolder;

std::vector<std::string> lines;
void keep(const std::string& line) { lines.push_back(line); }

int closings = 0;
void count_closing() { ++closings; }

std::string built_resources() {
    const char* build = std::getenv("LUNABRELLE_BUILD_DIR");
    return std::string(build != nullptr ? build : ".") + "/resources";
}

class BrokenInstallation : public ::testing::Test {
protected:
    void SetUp() override {
        lines.clear();
        closings = 0;
        platform::install_log_sink(keep);
        for (const auto& entry : fs::directory_iterator(built_resources()))
            fs::copy_file(entry.path(), resources.path() / entry.path().filename());
        platform::set_resource_folder(resources.path().string());
        platform::set_settings_path(settings.file("quorvix_lunabrelle.cfg"));
    }
    void TearDown() override { platform::install_log_sink(nullptr); }

    TempFolder resources, settings;
};

TEST_F(BrokenInstallation, ADamagedArchiveLeavesTheControlsSaveAndCancelWorking) {
    // A count of five entries and nothing after it.
    resources.write("clock.pak", {5, 0, 0, 0});
    SettingsDialog dialog;
    dialog.on_closed = count_closing;
    ASSERT_TRUE(dialog.open());
    EXPECT_FALSE(dialog.preview_running);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("clock.pak"), std::string::npos) << lines[0];
    for (int i = 0; i < 50 && gtk_events_pending(); ++i) gtk_main_iteration_do(FALSE);

    GtkBuilder* builder = dialog.loader.sheet->builder;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(gtk_builder_get_object(builder, "showCalendar")), FALSE);
    gtk_button_clicked(GTK_BUTTON(gtk_builder_get_object(builder, "saveButton")));
    const std::vector<unsigned char> saved = settings.read("quorvix_lunabrelle.cfg");
    ASSERT_EQ(saved.size(), 28u);
    EXPECT_EQ(saved[26], 0);  // show_calendar
    gtk_button_clicked(GTK_BUTTON(gtk_builder_get_object(builder, "cancelButton")));
    EXPECT_EQ(closings, 1);
}

TEST_F(BrokenInstallation, AMissingInterfaceFileClosesNothing) {
    fs::remove(resources.path() / "config");
    {
        SettingsDialog dialog;
        dialog.on_closed = count_closing;
        EXPECT_FALSE(dialog.open());
    }
    EXPECT_EQ(lines, std::vector<std::string>{"Faild to load"});
    // The program's main loop never ran, so there is nothing to quit.
    EXPECT_EQ(closings, 0);
}

}  // namespace
