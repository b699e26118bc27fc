// The timer form: two GLib timeouts on the main loop, so every tick runs on
// the one user-interface thread between other events. A tick that comes due
// while a handler is busy runs once, late; ticks never pile up.
#include "front/gtk/gtk_platform.h"
#include "state/program.h"
#include "shell/timers.h"

namespace seastrip {
namespace {

gboolean OnTimerMain(gpointer data)
{
    auto* platform = static_cast<GtkPlatform*>(data);
    TimerMainTick(platform->Attached());
    platform->Refresh();
    return G_SOURCE_CONTINUE;
}

gboolean OnTimerNami(gpointer data)
{
    auto* platform = static_cast<GtkPlatform*>(data);
    TimerNamiTick(platform->Attached());
    platform->Refresh();
    return G_SOURCE_CONTINUE;
}

}  // namespace

void GtkPlatform::StartTimers()
{
    if (!program_) return;
    g_timeout_add(kTimerMainIntervalMs, OnTimerMain, this);
    g_timeout_add(kTimerNamiIntervalMs, OnTimerNami, this);
}

}  // namespace seastrip
