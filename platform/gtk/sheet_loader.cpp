#include "platform/gtk/sheet_loader.h"

#include <memory>

#include "host/saver_view.h"

namespace lunabrelle::gtk {
namespace {

// A handler the interface file can name: the view comes as the handler's data.
template <void (quorvixlunabrelle::*Action)()>
void send(GtkWidget*, gpointer view) {
    (static_cast<quorvixlunabrelle*>(view)->*Action)();
}

void add_actions(GtkBuilder* builder) {
    struct Named {
        const char* name;
        GCallback callback;
    };
    const Named actions[] = {
        {"showtimeChange", G_CALLBACK(send<&quorvixlunabrelle::showtimeChange>)},
        {"clockstyleChangeDigital", G_CALLBACK(send<&quorvixlunabrelle::clockstyleChangeDigital>)},
        {"clockstyleChangeAnalog", G_CALLBACK(send<&quorvixlunabrelle::clockstyleChangeAnalog>)},
        {"showcalendarChange", G_CALLBACK(send<&quorvixlunabrelle::showcalendarChange>)},
        {"saveClick", G_CALLBACK(send<&quorvixlunabrelle::saveClick>)},
        {"restoreClick", G_CALLBACK(send<&quorvixlunabrelle::restoreClick>)},
        {"cancelClick", G_CALLBACK(send<&quorvixlunabrelle::cancelClick>)},
        {"visitClick", G_CALLBACK(send<&quorvixlunabrelle::visitClick>)},
    };
    for (const Named& action : actions) gtk_builder_add_callback_symbol(builder, action.name, action.callback);
}

// The object id of builder if it is of type, else null.
template <class T>
T* object(GtkBuilder* builder, const char* id, GType type) {
    GObject* found = gtk_builder_get_object(builder, id);
    if (found == nullptr || !G_TYPE_CHECK_INSTANCE_TYPE(found, type)) return nullptr;
    return reinterpret_cast<T*>(found);
}

bool bind(GtkSheetControl* control, GtkBuilder* builder, const char* id, void* owner) {
    control->button = object<GtkToggleButton>(builder, id, GTK_TYPE_TOGGLE_BUTTON);
    control->owner = owner;
    return control->button != nullptr;
}

}  // namespace

bool GtkSheetLoader::loadInterface(const std::string& name, quorvixlunabrelle& owner) {
    GtkBuilder* builder = gtk_builder_new();
    // Owns the builder and whatever windows it made, until the view takes it.
    auto loaded = std::make_unique<GtkConfigSheet>(builder);
    GError* error = nullptr;
    if (!gtk_builder_add_from_file(builder, (folder + "/" + name).c_str(), &error)) {
        g_error_free(error);
        return false;
    }
    loaded->window = object<GtkWindow>(builder, "configSheet", GTK_TYPE_WINDOW);
    loaded->preview = object<GtkWidget>(builder, "preview", GTK_TYPE_DRAWING_AREA);
    loaded->message = object<GtkLabel>(builder, "message", GTK_TYPE_LABEL);
    loaded->saveButton = object<GtkButton>(builder, "saveButton", GTK_TYPE_BUTTON);
    loaded->restoreButton = object<GtkButton>(builder, "restoreButton", GTK_TYPE_BUTTON);
    loaded->cancelButton = object<GtkButton>(builder, "cancelButton", GTK_TYPE_BUTTON);
    loaded->visitButton = object<GtkButton>(builder, "visitButton", GTK_TYPE_BUTTON);
    bool complete = loaded->window != nullptr && loaded->saveButton != nullptr &&
                    loaded->restoreButton != nullptr && loaded->cancelButton != nullptr &&
                    loaded->visitButton != nullptr;
    const struct {
        GtkSheetControl* control;
        const char* id;
    } controls[] = {
        {&loaded->showTime, "showTime"},
        {&loaded->clockStyleDigital, "clockStyleDigital"},
        {&loaded->clockStyleAnalog, "clockStyleAnalog"},
        {&loaded->timeFormat24h, "timeFormat24h"},
        {&loaded->timeFormat12h, "timeFormat12h"},
        {&loaded->clockSizeBig, "clockSizeBig"},
        {&loaded->clockSizeSmall, "clockSizeSmall"},
        {&loaded->showCalendar, "showCalendar"},
        {&loaded->firstDayMonday, "firstDayMonday"},
    };
    for (const auto& c : controls) complete = bind(c.control, builder, c.id, &owner) && complete;
    if (!complete) return false;
    add_actions(builder);
    gtk_builder_connect_signals(builder, &owner);

    sheet = loaded.release();
    attach_sheet(owner, sheet);
    return true;
}

}  // namespace lunabrelle::gtk
