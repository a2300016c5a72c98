#include "platform/gtk/config_sheet.h"

namespace lunabrelle::gtk {

GtkConfigSheet::GtkConfigSheet(GtkBuilder* builder) : builder(builder) {}

GtkConfigSheet::~GtkConfigSheet() {
    // Toplevel windows live until they are destroyed, whoever holds them.
    GSList* objects = gtk_builder_get_objects(builder);
    for (GSList* o = objects; o != nullptr; o = o->next)
        if (GTK_IS_WINDOW(o->data)) gtk_widget_destroy(GTK_WIDGET(o->data));
    g_slist_free(objects);
    g_object_unref(builder);
}

void GtkConfigSheet::endSheet() {
    if (message == nullptr) return;
    gtk_label_set_text(message, "");
    gtk_widget_hide(GTK_WIDGET(message));
}

void GtkConfigSheet::showError(const std::string& text) {
    if (message == nullptr) return;
    gtk_label_set_text(message, text.c_str());
    gtk_widget_show(GTK_WIDGET(message));
}

}  // namespace lunabrelle::gtk
