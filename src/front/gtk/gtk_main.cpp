// The desktop program: the strip on an X11 or Wayland desktop through GTK 3.
#include <gtk/gtk.h>

#include <cstdio>
#include <memory>

#include "front/gtk/gtk_instance.h"
#include "front/gtk/gtk_platform.h"
#include "shell/start_program.h"
#include "state/program.h"

int main(int argc, char** argv)
{
    // The program reads no command line of its own; GTK's options (such as
    // --display) are still honoured.
    if (!gtk_init_check(&argc, &argv)) {
        std::fputs("seastrip: cannot open the display (is DISPLAY set?)\n", stderr);
        return 1;
    }

    const char* display = gdk_display_get_name(gdk_display_get_default());
    seastrip::GtkInstance instance;
    if (!instance.Claim(display)) {
        std::fprintf(stderr, "seastrip: a strip is already running on the display %s\n", display);
        return 0;
    }

    g_set_application_name("Seastrip");
    auto platform = std::make_unique<seastrip::GtkPlatform>();
    auto program = std::make_unique<seastrip::Program>(*platform);
    platform->Attach(*program);
    seastrip::StartProgram(*program);
    gtk_main();
    return 0;
}
