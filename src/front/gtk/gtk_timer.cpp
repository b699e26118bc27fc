#include "front/gtk/gtk_timer.h"

#include <utility>

#include "shell/timers.h"

namespace seastrip {

GtkTimerForm::~GtkTimerForm() { Stop(); }

void GtkTimerForm::Start(std::function<void()> mainTick, std::function<void()> namiTick)
{
    Stop();
    mainTick_ = std::move(mainTick);
    namiTick_ = std::move(namiTick);
    mainSource_ = g_timeout_add(kTimerMainIntervalMs, OnMainTimer, this);
    namiSource_ = g_timeout_add(kTimerNamiIntervalMs, OnNamiTimer, this);
}

// Each source is removed by its own id: both go, whichever tick asks. The
// tick functions stay, since one of them may be the caller.
void GtkTimerForm::Stop()
{
    if (mainSource_ != 0) g_source_remove(mainSource_);
    if (namiSource_ != 0) g_source_remove(namiSource_);
    mainSource_ = 0;
    namiSource_ = 0;
}

gboolean GtkTimerForm::OnMainTimer(gpointer self)
{
    static_cast<GtkTimerForm*>(self)->mainTick_();
    return G_SOURCE_CONTINUE;
}

gboolean GtkTimerForm::OnNamiTimer(gpointer self)
{
    static_cast<GtkTimerForm*>(self)->namiTick_();
    return G_SOURCE_CONTINUE;
}

}  // namespace seastrip
