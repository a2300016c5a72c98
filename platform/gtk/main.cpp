// lunabrelle-settings: the saver's options with a live preview.
#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "platform/gtk/settings_dialog.h"
#include "platform/system/system.h"

namespace {

const char kUsage[] =
    "Usage: lunabrelle-settings [--display NAME] [GTK options]\n"
    "Chooses the clock, the calendar and the frame-rate display of the Lunabrelle\n"
    "screen saver, with a live preview. Save writes the settings file\n"
    "($XDG_CONFIG_HOME/quorvix_lunabrelle.cfg, by default under ~/.config).\n"
    "\n"
    "  --display NAME  the X display to use (default $DISPLAY)\n"
    "  --help          this text\n"
    "  --version       the program's version\n"
    "\n"
    "Exit status: 0 closed (saved or cancelled); 1 no display, or the dialog\n"
    "cannot be shown; 2 a bad command line.\n";

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
    // Answered before GTK starts: they need no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("lunabrelle-settings %s\n", platform::version());
            return 0;
        }
    }
    // The preview draws with GLX into the window GTK gives it.
    gdk_set_allowed_backends("x11");
    // GTK's own options (--display and the rest) are taken before the display
    // is opened, so a bad command line is told as one with or without a display.
    GOptionContext* options = g_option_context_new(nullptr);
    g_option_context_set_help_enabled(options, FALSE);
    g_option_context_add_group(options, gtk_get_option_group(FALSE));
    GError* error = nullptr;
    const bool parsed = g_option_context_parse(options, &argc, &argv, &error);
    g_option_context_free(options);
    if (!parsed) {
        std::fprintf(stderr, "lunabrelle-settings: %s\n%s", error->message, kUsage);
        g_error_free(error);
        return 2;
    }
    if (argc > 1) {
        std::fprintf(stderr, "lunabrelle-settings: unknown argument \"%s\"\n%s", argv[1], kUsage);
        return 2;
    }
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
