/* The floor for the desktop front's cost: a borderless GTK 3 window the size
 * of the strip, with timers at the same two intervals that do nothing. */
#include <gtk/gtk.h>

static gboolean Nothing(gpointer data)
{
    (void)data;
    return G_SOURCE_CONTINUE;
}

int main(int argc, char** argv)
{
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window), TRUE);
    gtk_window_set_default_size(GTK_WINDOW(window), 1920, 28);
    gtk_window_move(GTK_WINDOW(window), 0, 1080 - 28);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
    gtk_widget_show_all(window);
    g_timeout_add(250, Nothing, NULL);
    g_timeout_add(110, Nothing, NULL);
    gtk_main();
    return 0;
}
