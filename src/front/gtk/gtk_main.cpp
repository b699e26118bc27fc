// The desktop program: the strip on an X11 or Wayland desktop through GTK 3.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "front/gtk/gtk_backend.h"
#include "front/gtk/gtk_command_line.h"
#include "front/gtk/gtk_fonts.h"
#include "front/gtk/gtk_instance.h"
#include "front/gtk/gtk_message.h"
#include "front/gtk/gtk_platform.h"
#include "shell/start_program.h"
#include "state/program.h"

int main(int argc, char** argv)
{
    // The strip never draws with GL; probing for it would load the GL
    // drivers (and a whole compiler with them) into a program that costs
    // next to nothing otherwise. A user's own choice stands.
    setenv("GDK_GL", "disable", 0);

    // The command line is read and the backend chosen before GTK opens a
    // display; GTK's own options (such as --display) are honoured, anything
    // else is refused.
    seastrip::CommandLine options;
    if (auto status = seastrip::ReadCommandLine(argc, argv, options)) return *status;
    const seastrip::Backend backend = seastrip::ApplyBackendChoice(options.backend);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "seastrip: %s\n", seastrip::NoDisplayMessage(backend, std::getenv("GDK_BACKEND")).c_str());
        return 1;
    }
    if (auto status = seastrip::RefuseLeftoverArguments(argc, argv)) return *status;
    seastrip::EndOnLostDisplay();

    const std::string display = seastrip::SessionName(gdk_display_get_default());
    seastrip::GtkInstance instance;
    if (!instance.Claim(display)) {
        std::fprintf(stderr, "seastrip: a strip is already running on the display %s\n", display.c_str());
        return 0;
    }

    seastrip::WarnWithoutJapaneseFont();
    g_set_application_name("Seastrip");
    auto platform = std::make_unique<seastrip::GtkPlatform>(options.monitor, options.reserve);
    auto program = std::make_unique<seastrip::Program>(*platform);
    platform->Attach(*program);
    seastrip::StartProgram(*program);
    gtk_main();
    return 0;
}
