#include "front/gtk/gtk_menu.h"

#include <gtk/gtk.h>

#include "shell/menu_commands.h"

namespace seastrip {
namespace {

// One opening of the menu: the items and what the user chose among them.
struct OpenMenu {
    GtkWidget* sceneItems[kSceneItemCount] = {};
    GtkWidget* soundItems[kSoundItemCount] = {};
    GtkWidget* versionItem = nullptr;
    GtkWidget* exitItem = nullptr;
    MenuChoice chosen;
};

GtkWidget* AddSubmenu(GtkWidget* menu, const char* caption)
{
    GtkWidget* item = gtk_menu_item_new_with_label(caption);
    GtkWidget* submenu = gtk_menu_new();
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), submenu);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    return submenu;
}

// The marks are set before any handler is connected: setting a radio item
// activates it.
void AddRadioItems(GtkWidget* submenu, const char* const* captions, const bool* marks, int count, GtkWidget** items)
{
    GSList* group = nullptr;
    for (int i = 0; i < count; ++i) {
        items[i] = gtk_radio_menu_item_new_with_label(group, captions[i]);
        group = gtk_radio_menu_item_get_group(GTK_RADIO_MENU_ITEM(items[i]));
        gtk_menu_shell_append(GTK_MENU_SHELL(submenu), items[i]);
    }
    // Marking one item takes the mark off the others in its group.
    for (int i = 0; i < count; ++i) {
        if (marks[i]) gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(items[i]), TRUE);
    }
}

void OnItemActivate(GtkMenuItem* menuItem, gpointer data)
{
    auto* menu = static_cast<OpenMenu*>(data);
    GtkWidget* item = GTK_WIDGET(menuItem);
    // Choosing a radio item also activates the one that loses the mark; only
    // the item that ends up marked is the user's choice. Choosing the marked
    // item again counts as a choice too.
    if (GTK_IS_CHECK_MENU_ITEM(item) && !gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item))) return;
    for (int i = 0; i < kSceneItemCount; ++i) {
        if (item == menu->sceneItems[i]) menu->chosen = {MenuCommand::Scene, i};
    }
    for (int i = 0; i < kSoundItemCount; ++i) {
        if (item == menu->soundItems[i]) menu->chosen = {MenuCommand::Sound, i};
    }
    if (item == menu->versionItem) menu->chosen = {MenuCommand::Version, 0};
    if (item == menu->exitItem) menu->chosen = {MenuCommand::Exit, 0};
}

GtkWidget* BuildMenu(OpenMenu& open, const MenuMarks& marks)
{
    GtkWidget* menu = gtk_menu_new();
    g_object_ref_sink(menu);
    AddRadioItems(AddSubmenu(menu, menu_text::kScene), menu_text::kSceneItems, marks.Scene().data(),
                  kSceneItemCount, open.sceneItems);
    AddRadioItems(AddSubmenu(menu, menu_text::kSound), menu_text::kSoundItems, marks.Sound().data(),
                  kSoundItemCount, open.soundItems);
    open.versionItem = gtk_menu_item_new_with_label(menu_text::kVersion);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), open.versionItem);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
    open.exitItem = gtk_menu_item_new_with_label(menu_text::kExit);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), open.exitItem);

    for (GtkWidget* item : open.sceneItems) g_signal_connect(item, "activate", G_CALLBACK(OnItemActivate), &open);
    for (GtkWidget* item : open.soundItems) g_signal_connect(item, "activate", G_CALLBACK(OnItemActivate), &open);
    g_signal_connect(open.versionItem, "activate", G_CALLBACK(OnItemActivate), &open);
    g_signal_connect(open.exitItem, "activate", G_CALLBACK(OnItemActivate), &open);
    gtk_widget_show_all(menu);
    return menu;
}

void QuitLoop(GtkMenuShell*, gpointer loop) { g_main_loop_quit(static_cast<GMainLoop*>(loop)); }

}  // namespace

// Built afresh for every opening from the program's marks, and destroyed
// when it closes. Returns the choice when the menu has closed, as the press
// that opened it expects.
MenuChoice OpenStripMenu(const MenuMarks& marks)
{
    OpenMenu open;
    GtkWidget* menu = BuildMenu(open, marks);
    GdkEvent* trigger = gtk_get_current_event();
    gtk_menu_popup_at_pointer(GTK_MENU(menu), trigger);
    if (trigger) gdk_event_free(trigger);
    // Without a pointer grab GTK does not show the menu; then there is
    // nothing to wait for.
    if (gtk_widget_get_visible(menu)) {
        GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
        const gulong handler = g_signal_connect(menu, "deactivate", G_CALLBACK(QuitLoop), loop);
        g_main_loop_run(loop);
        g_signal_handler_disconnect(menu, handler);
        g_main_loop_unref(loop);
    }
    // The menu deactivates and then activates the chosen item in one event's
    // handling, which the loop finishes before it returns: the choice is in.
    gtk_widget_destroy(menu);
    g_object_unref(menu);
    return open.chosen;
}

}  // namespace seastrip
