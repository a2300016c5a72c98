// lunabrelle-settings: the options sheet of the saver in a window of its own,
// with a live preview of the saver above the controls. Save writes the
// settings file and the preview shows the new choices at once; the sheet then
// stays open on what was saved. Cancel, or closing the window, leaves the file
// as it was and closes the dialog.
#pragma once

#include <string>

#include "host/saver_view.h"
#include "platform/gtk/preview_area.h"
#include "platform/gtk/sheet_loader.h"

namespace lunabrelle::gtk {

class SettingsDialog {
public:
    SettingsDialog() = default;
    ~SettingsDialog();  // close()
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    // Opens the sheet from the interface file "config" in the resource folder,
    // on the settings file platform::settings_path(), shows it and starts the
    // preview. False when the interface file cannot be loaded (the view has
    // logged "Faild to load" and beeped). A preview that cannot run (missing
    // resource archives, no GLX) is reported in the log; the sheet works
    // without it.
    bool open();

    // Stops the preview, frees the world and hides the window; then calls
    // on_closed if open() succeeded. Idempotent.
    void close();

    // Member order matters: the preview stops before the view goes.
    quorvixlunabrelle view;
    GtkSheetLoader loader;
    PreviewArea preview;
    bool preview_running = false;
    bool opened = false;
    bool closed = false;
    void (*on_closed)() = nullptr;  // e.g. gtk_main_quit
};

}  // namespace lunabrelle::gtk
