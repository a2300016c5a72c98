// The settings dialog's tests run in one GTK process on an Xvfb of their own.
#include <gdk/gdk.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "x11/xvfb.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    lunabrelle::x11::XvfbServer server;
    std::string why;
    if (!server.start(1024, 768, &why)) {
        std::fprintf(stderr, "FAIL: %s\n", why.c_str());
        return 1;
    }
    setenv("DISPLAY", server.name.c_str(), 1);
    // No session services in a test: no accessibility bus, no dconf.
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr)) {
        std::fprintf(stderr, "FAIL: GTK cannot open %s\n", server.name.c_str());
        return 1;
    }
    return RUN_ALL_TESTS();
}
