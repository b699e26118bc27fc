#include "front/gtk/gtk_timer.h"

#include <utility>

#include "shell/timers.h"

namespace seastrip {

GtkTimerForm::~GtkTimerForm() { Stop(); }

void GtkTimerForm::Start(std::function<void()> mainTick, std::function<void()> namiTick, int firstNamiMs)
{
    Stop();
    mainTick_ = std::move(mainTick);
    namiTick_ = std::move(namiTick);
    mainSource_ = g_timeout_add(kTimerMainIntervalMs, OnMainTimer, this);
    if (firstNamiMs < 0 || firstNamiMs == kTimerNamiIntervalMs) {
        namiSource_ = g_timeout_add(kTimerNamiIntervalMs, OnNamiTimer, this);
    } else {
        namiSource_ = g_timeout_add(static_cast<guint>(firstNamiMs), OnFirstNami, this);
    }
}

int GtkTimerForm::ToNextNamiMs() const
{
    GSource* source = namiSource_ ? g_main_context_find_source_by_id(nullptr, namiSource_) : nullptr;
    const gint64 ready = source ? g_source_get_ready_time(source) : -1;
    if (ready < 0) return kTimerNamiIntervalMs;
    const gint64 left = (ready - g_get_monotonic_time()) / 1000;
    return left < 0 ? 0 : left > kTimerNamiIntervalMs ? kTimerNamiIntervalMs : static_cast<int>(left);
}

void GtkTimerForm::WakeOnce(int ms, std::function<void()> wake)
{
    if (wakeSource_ != 0) g_source_remove(wakeSource_);
    wake_ = std::move(wake);
    wakeSource_ = g_timeout_add(static_cast<guint>(ms < 0 ? 0 : ms), OnWake, this);
}

// Each source is removed by its own id: both go, whichever tick asks. The
// tick functions stay, since one of them may be the caller.
void GtkTimerForm::Stop()
{
    if (mainSource_ != 0) g_source_remove(mainSource_);
    if (namiSource_ != 0) g_source_remove(namiSource_);
    if (wakeSource_ != 0) g_source_remove(wakeSource_);
    mainSource_ = 0;
    namiSource_ = 0;
    wakeSource_ = 0;
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

// The first tick after a pause lands on the old beat; the rest follow at
// the interval.
gboolean GtkTimerForm::OnFirstNami(gpointer self)
{
    auto* form = static_cast<GtkTimerForm*>(self);
    form->namiSource_ = g_timeout_add(kTimerNamiIntervalMs, OnNamiTimer, form);
    form->namiTick_();
    return G_SOURCE_REMOVE;
}

gboolean GtkTimerForm::OnWake(gpointer self)
{
    auto* form = static_cast<GtkTimerForm*>(self);
    form->wakeSource_ = 0;
    // The call may ask for the next wakeup, replacing the function it runs in.
    std::function<void()> wake = std::move(form->wake_);
    wake();
    return G_SOURCE_REMOVE;
}

}  // namespace seastrip
