// Loads the options sheet from a GtkBuilder interface file: objects named
// after the view's fields ("configSheet", the nine controls, "saveButton",
// "restoreButton", "cancelButton", "visitButton", and optionally "preview" and
// "message") are connected to the view, and the handlers the file names
// ("showtimeChange", "saveClick", ...) call the view's action methods.
#pragma once

#include <string>

#include "host/config_sheet.h"
#include "platform/gtk/config_sheet.h"

namespace lunabrelle::gtk {

class GtkSheetLoader : public SheetLoader {
public:
    // Reads folder + "/" + name. False when the file cannot be read or parsed,
    // or lacks one of the required objects or has it of the wrong kind; then
    // nothing of it is left behind.
    bool loadInterface(const std::string& name, quorvixlunabrelle& owner) override;

    std::string folder;              // where the interface file lies, no trailing '/'
    GtkConfigSheet* sheet = nullptr;  // the last sheet loaded; owned by its view
};

}  // namespace lunabrelle::gtk
