// The program's two ways to end: after a failure message, and at once.
#include <unistd.h>

#include <cstdio>

#include "front/gtk/gtk_platform.h"

namespace seastrip {

void GtkPlatform::ShowMessageAndExit(const std::string& text)
{
    // No tick may run behind the message: the program's state is broken.
    g_source_remove_by_user_data(this);
    GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER, GTK_BUTTONS_OK, "%s",
                                            text.c_str());
    gtk_window_set_title(GTK_WINDOW(box), "seastrip");
    gtk_dialog_run(GTK_DIALOG(box));
    std::fflush(nullptr);
    _exit(1);
}

// Nothing is saved and no window gets a closing event; the windows go with
// the display connection.
void GtkPlatform::ExitProgram()
{
    std::fflush(nullptr);
    _exit(0);
}

}  // namespace seastrip
