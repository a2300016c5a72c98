// A control of the options sheet bound to a GTK toggle button (check box or
// radio button): on is active, enabled is sensitive. Values set by the view
// do not send the button's "toggled" handlers that belong to the view, as a
// value set by the program sends no action on other desktops either.
#pragma once

#include <gtk/gtk.h>

#include "host/sheet_control.h"

namespace lunabrelle::gtk {

class GtkSheetControl : public SheetControl {
public:
    float floatValue() const override;
    // Any value other than 0 turns the button on. A radio button cannot be
    // turned off by itself: its group turns it off when another member is
    // turned on, so the sheet sets each pair as a pair.
    void setFloatValue(float value) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;

    GtkToggleButton* button = nullptr;  // owned by the sheet's window
    void* owner = nullptr;              // the data of the handlers that are kept quiet
};

}  // namespace lunabrelle::gtk
