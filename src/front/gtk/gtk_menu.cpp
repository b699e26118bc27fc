// The popup menu: a real GtkMenu opened at the pointer. The check marks are
// kept by the platform; the radio items show them and report choices.
#include "front/gtk/gtk_platform.h"
#include "shell/menu_commands.h"
#include "state/program.h"

namespace seastrip {
namespace {

GtkWidget* AddSubmenu(GtkWidget* menu, const char* caption)
{
    GtkWidget* item = gtk_menu_item_new_with_label(caption);
    GtkWidget* submenu = gtk_menu_new();
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), submenu);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    return submenu;
}

void AddRadioItems(GtkWidget* submenu, const char* const* captions, int count, GtkWidget** items)
{
    GSList* group = nullptr;
    for (int i = 0; i < count; ++i) {
        items[i] = gtk_radio_menu_item_new_with_label(group, captions[i]);
        group = gtk_radio_menu_item_get_group(GTK_RADIO_MENU_ITEM(items[i]));
        gtk_menu_shell_append(GTK_MENU_SHELL(submenu), items[i]);
    }
}

void QuitLoop(GtkMenuShell*, gpointer loop) { g_main_loop_quit(static_cast<GMainLoop*>(loop)); }

}  // namespace

void GtkPlatform::BuildMenu()
{
    menu_ = gtk_menu_new();
    g_object_ref_sink(menu_);
    AddRadioItems(AddSubmenu(menu_, menu_text::kScene), menu_text::kSceneItems, kSceneItemCount, sceneItems_);
    AddRadioItems(AddSubmenu(menu_, menu_text::kSound), menu_text::kSoundItems, kSoundItemCount, soundItems_);
    versionItem_ = gtk_menu_item_new_with_label(menu_text::kVersion);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), versionItem_);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), gtk_separator_menu_item_new());
    exitItem_ = gtk_menu_item_new_with_label(menu_text::kExit);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), exitItem_);

    for (GtkWidget* item : sceneItems_) g_signal_connect(item, "activate", G_CALLBACK(OnMenuItemActivate), this);
    for (GtkWidget* item : soundItems_) g_signal_connect(item, "activate", G_CALLBACK(OnMenuItemActivate), this);
    g_signal_connect(versionItem_, "activate", G_CALLBACK(OnMenuItemActivate), this);
    g_signal_connect(exitItem_, "activate", G_CALLBACK(OnMenuItemActivate), this);
    gtk_widget_show_all(menu_);
}

// Setting a radio item activates it, so the handlers are held back while the
// items take the platform's marks.
void GtkPlatform::SyncMenuMarks()
{
    auto sync = [this](GtkWidget* const* items, int count, const auto& marks) {
        for (int i = 0; i < count; ++i) g_signal_handlers_block_by_func(items[i], (gpointer)OnMenuItemActivate, this);
        for (int i = 0; i < count; ++i) {
            if (marks[static_cast<size_t>(i)]) gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(items[i]), TRUE);
        }
        for (int i = 0; i < count; ++i) {
            if (!marks[static_cast<size_t>(i)]) gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(items[i]), FALSE);
        }
        for (int i = 0; i < count; ++i) {
            g_signal_handlers_unblock_by_func(items[i], (gpointer)OnMenuItemActivate, this);
        }
    };
    sync(sceneItems_, kSceneItemCount, Marks().Scene());
    sync(soundItems_, kSoundItemCount, Marks().Sound());
}

void GtkPlatform::OnMenuItemActivate(GtkMenuItem* item, gpointer self)
{
    static_cast<GtkPlatform*>(self)->MenuItemChosen(GTK_WIDGET(item));
}

void GtkPlatform::MenuItemChosen(GtkWidget* item)
{
    // Choosing a radio item also activates the one that loses the mark; only
    // the item that ends up marked is the user's choice. Choosing the marked
    // item again counts as a choice too.
    if (GTK_IS_CHECK_MENU_ITEM(item) && !gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item))) return;
    for (int i = 0; i < kSceneItemCount; ++i) {
        if (item == sceneItems_[i]) chosen_ = {MenuCommand::Scene, i};
    }
    for (int i = 0; i < kSoundItemCount; ++i) {
        if (item == soundItems_[i]) chosen_ = {MenuCommand::Sound, i};
    }
    if (item == versionItem_) chosen_ = {MenuCommand::Version, 0};
    if (item == exitItem_) chosen_ = {MenuCommand::Exit, 0};
}

// Returns the choice when the menu has closed, as the press that opened it
// expects.
MenuChoice GtkPlatform::OpenPopupMenu()
{
    chosen_ = {};
    SyncMenuMarks();
    GdkEvent* trigger = gtk_get_current_event();
    gtk_menu_popup_at_pointer(GTK_MENU(menu_), trigger);
    if (trigger) gdk_event_free(trigger);
    // Without a pointer grab GTK does not show the menu; then there is
    // nothing to wait for.
    if (!gtk_widget_get_visible(menu_)) return {};
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    const gulong handler = g_signal_connect(menu_, "deactivate", G_CALLBACK(QuitLoop), loop);
    g_main_loop_run(loop);
    g_signal_handler_disconnect(menu_, handler);
    g_main_loop_unref(loop);
    // The menu deactivates and then activates the chosen item in one event's
    // handling, which the loop finishes before it returns: the choice is in.
    return chosen_;
}

}  // namespace seastrip
