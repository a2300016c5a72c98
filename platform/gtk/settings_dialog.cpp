#include "platform/gtk/settings_dialog.h"

#include "host/frame_driver.h"
#include "host/singletons.h"
#include "platform/system/system.h"
#include "platform/x11/archive_check.h"

namespace lunabrelle::gtk {
namespace {

// Runs after the view's own saveClick: a saved sheet opens again on the file
// just written, next to the preview that now shows it.
void after_save(GtkButton*, gpointer self) {
    auto* dialog = static_cast<SettingsDialog*>(self);
    if (dialog->view.config == nullptr) dialog->view.configureSheet();
}

// Runs after the view's own cancelClick.
void after_cancel(GtkButton*, gpointer self) { static_cast<SettingsDialog*>(self)->close(); }

gboolean on_delete(GtkWidget*, GdkEvent*, gpointer self) {
    auto* dialog = static_cast<SettingsDialog*>(self);
    dialog->view.cancelClick();
    dialog->close();
    return TRUE;  // the window is the sheet's to destroy
}

}  // namespace

SettingsDialog::~SettingsDialog() { close(); }

bool SettingsDialog::open() {
    // The view's own paths, which the sheet needs before the view has a subview.
    mac_boundle_path = platform::resource_folder();
    mac_config_path = platform::settings_path();
    loader.folder = mac_boundle_path;
    view.sheetLoader = &loader;
    if (view.configureSheet() == nullptr) return false;
    opened = true;
    GtkConfigSheet& sheet = *loader.sheet;
    g_signal_connect_after(sheet.saveButton, "clicked", G_CALLBACK(after_save), this);
    g_signal_connect_after(sheet.cancelButton, "clicked", G_CALLBACK(after_cancel), this);
    g_signal_connect(sheet.window, "delete-event", G_CALLBACK(on_delete), this);

    // Without its archives the scene would end the process in its first frame.
    bool preview_possible = sheet.preview != nullptr;
    if (const std::string fault = x11::check_archives(mac_boundle_path); preview_possible && !fault.empty()) {
        platform::log(fault);
        preview_possible = false;
    }
    // The preview's visual is fixed before GTK makes its window.
    if (preview_possible) PreviewArea::choose_visual(sheet.preview);
    gtk_widget_show_all(GTK_WIDGET(sheet.window));
    if (preview_possible) preview_running = preview.start(view, sheet.preview);
    return true;
}

void SettingsDialog::close() {
    if (closed) return;
    closed = true;
    preview.stop();
    preview_running = false;
    // A save while the preview was not running built a world nobody draws.
    mac_destruct();
    if (loader.sheet != nullptr && view.configSheet != nullptr) gtk_widget_hide(GTK_WIDGET(loader.sheet->window));
    // A dialog that never opened started nothing (no main loop) to end.
    if (on_closed != nullptr && opened) on_closed();
}

}  // namespace lunabrelle::gtk
