#include "front/gtk/gtk_message.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif
#include <unistd.h>

#include <cstdio>

namespace seastrip {
namespace {

#ifdef GDK_WINDOWING_X11
// Xlib calls this when the connection breaks and ends the process itself if
// it returns, so it never does; GDK's own handler would end just as abruptly
// without saying why.
int OnLostDisplay(Display* display)
{
    std::fprintf(stderr, "seastrip: lost the connection to the display %s\n", DisplayString(display));
    EndProgram(1);
}
#endif

}  // namespace

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

void EndOnLostDisplay()
{
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_DISPLAY(gdk_display_get_default())) XSetIOErrorHandler(OnLostDisplay);
#endif
}

}  // namespace seastrip
