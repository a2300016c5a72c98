// The options sheet as GTK shows it: the window built from the interface file
// "config", with the view's nine controls, its four buttons, the area of the
// live preview and a line for error messages.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "host/config_sheet.h"
#include "platform/gtk/sheet_control.h"

namespace lunabrelle::gtk {

class GtkConfigSheet : public ConfigSheet {
public:
    // Takes over builder's reference; the widgets are the builder's objects.
    explicit GtkConfigSheet(GtkBuilder* builder);
    // Destroys every window the builder made, and everything in them.
    ~GtkConfigSheet() override;
    GtkConfigSheet(const GtkConfigSheet&) = delete;
    GtkConfigSheet& operator=(const GtkConfigSheet&) = delete;

    // Clears the error line. The window stays: whoever shows the sheet decides
    // whether it closes or opens again.
    void endSheet() override;
    // Shows message on the error line.
    void showError(const std::string& message) override;

    GtkBuilder* builder;
    GtkWindow* window = nullptr;
    GtkWidget* preview = nullptr;  // a GtkDrawingArea, or null when the file has none
    GtkLabel* message = nullptr;   // null when the file has none
    GtkButton* saveButton = nullptr;
    GtkButton* restoreButton = nullptr;
    GtkButton* cancelButton = nullptr;
    GtkButton* visitButton = nullptr;
    GtkSheetControl showTime, clockStyleDigital, clockStyleAnalog, timeFormat24h, timeFormat12h,
        clockSizeBig, clockSizeSmall, showCalendar, firstDayMonday;
};

}  // namespace lunabrelle::gtk
