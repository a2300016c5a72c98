// lunabrelle-settings: the saver's options with a live preview.
#include <gtk/gtk.h>

#include "platform/gtk/settings_dialog.h"
#include "platform/system/system.h"

int main(int argc, char** argv) {
    // The preview draws with GLX into the window GTK gives it.
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(&argc, &argv)) {
        platform::log("Couldn't open the X display");
        return 1;
    }
    lunabrelle::gtk::SettingsDialog dialog;
    dialog.on_closed = gtk_main_quit;
    if (!dialog.open()) return 1;
    gtk_main();
    return 0;
}
