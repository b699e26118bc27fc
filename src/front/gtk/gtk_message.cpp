#include "front/gtk/gtk_message.h"

#include <gtk/gtk.h>
#include <unistd.h>

#include <cstdio>

namespace seastrip {

void ShowFailureMessage(const std::string& text)
{
    GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER, GTK_BUTTONS_OK, "%s",
                                            text.c_str());
    gtk_window_set_title(GTK_WINDOW(box), "seastrip");
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
}

void EndProgram(int status)
{
    std::fflush(nullptr);
    _exit(status);
}

}  // namespace seastrip
