#include "platform/gtk/sheet_control.h"

#include <vector>

namespace lunabrelle::gtk {
namespace {

// The button and, for a radio button, the rest of its group, which toggle
// with it.
std::vector<GtkToggleButton*> toggling_with(GtkToggleButton* button) {
    if (!GTK_IS_RADIO_BUTTON(button)) return {button};
    std::vector<GtkToggleButton*> out;
    for (GSList* member = gtk_radio_button_get_group(GTK_RADIO_BUTTON(button)); member != nullptr;
         member = member->next)
        out.push_back(GTK_TOGGLE_BUTTON(member->data));
    return out;
}

}  // namespace

float GtkSheetControl::floatValue() const { return gtk_toggle_button_get_active(button) ? 1.0f : 0.0f; }

void GtkSheetControl::setFloatValue(float value) {
    const auto quiet = toggling_with(button);
    for (GtkToggleButton* b : quiet)
        g_signal_handlers_block_matched(b, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, owner);
    gtk_toggle_button_set_active(button, value != 0.0f);
    for (GtkToggleButton* b : quiet)
        g_signal_handlers_unblock_matched(b, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, owner);
}

bool GtkSheetControl::isEnabled() const { return gtk_widget_get_sensitive(GTK_WIDGET(button)); }

void GtkSheetControl::setEnabled(bool enabled) { gtk_widget_set_sensitive(GTK_WIDGET(button), enabled); }

}  // namespace lunabrelle::gtk
