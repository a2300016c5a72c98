// lunabrelle-settings: the saver's options with a live preview.
#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>

#include "platform/gtk/settings_dialog.h"
#include "platform/system/system.h"

namespace {

// A signal to end (logout, Ctrl-C) is a Cancel: nothing is written, and the
// preview's world is drained and freed on the way out.
gboolean on_end_signal(gpointer dialog) {
    auto* d = static_cast<lunabrelle::gtk::SettingsDialog*>(dialog);
    d->view.cancelClick();
    d->close();
    return G_SOURCE_CONTINUE;
}

}  // namespace

int main(int argc, char** argv) {
    // The preview draws with GLX into the window GTK gives it.
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(&argc, &argv)) {
        platform::log("Couldn't open the X display");
        return 1;
    }
    lunabrelle::gtk::SettingsDialog dialog;
    dialog.on_closed = gtk_main_quit;
    // Caught from before the window shows: a signal then still cancels.
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) g_unix_signal_add(signal, on_end_signal, &dialog);
    if (!dialog.open()) return 1;
    gtk_main();
    return 0;
}
