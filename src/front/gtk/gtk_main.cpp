// The desktop program: the strip on an X11 or Wayland desktop through GTK 3.
#include <gtk/gtk.h>

#include <cstdio>
#include <memory>

#include "front/gtk/gtk_backend.h"
#include "front/gtk/gtk_platform.h"
#include "state/program.h"
#include "shell/start_program.h"

int main(int argc, char** argv)
{
    // The backend is chosen before GTK opens a display; GTK's own options
    // (such as --display) are honoured, anything else is refused.
    seastrip::CommandLine options;
    if (auto status = seastrip::PrepareDisplay(argc, argv, options)) return *status;
    if (!gtk_init_check(&argc, &argv)) {
        std::fputs("seastrip: cannot open the display (is DISPLAY set?)\n", stderr);
        return 1;
    }
    if (auto status = seastrip::RefuseLeftoverArguments(argc, argv)) return *status;
    g_set_application_name("Seastrip");
    auto platform = std::make_unique<seastrip::GtkPlatform>();
    auto program = std::make_unique<seastrip::Program>(*platform);
    platform->Attach(*program);
    seastrip::StartProgram(*program);
    gtk_main();
    return 0;
}
