#pragma once

#include <glib.h>

#include <functional>

namespace seastrip {

// The timer form: the two heartbeat timers as GLib timeouts on the main
// loop, so every tick runs on the one user-interface thread between other
// events. A tick that comes due while a handler is busy runs once, late;
// ticks never pile up.
class GtkTimerForm {
public:
    GtkTimerForm() = default;
    ~GtkTimerForm();
    GtkTimerForm(const GtkTimerForm&) = delete;
    GtkTimerForm& operator=(const GtkTimerForm&) = delete;

    // Starts both timers: mainTick every 250 ms, namiTick every 110 ms, its
    // first tick after `firstNamiMs` (to keep an earlier beat).
    void Start(std::function<void()> mainTick, std::function<void()> namiTick, int firstNamiMs = -1);
    // Stops both timers and a pending wakeup; no tick is delivered
    // afterwards, even when called from inside a tick.
    void Stop();
    bool Running() const { return mainSource_ != 0; }
    // How long the wave timer has left to its next tick.
    int ToNextNamiMs() const;
    // One call of `wake` after `ms`, while the timers stand still.
    void WakeOnce(int ms, std::function<void()> wake);

private:
    static gboolean OnMainTimer(gpointer self);
    static gboolean OnNamiTimer(gpointer self);
    static gboolean OnFirstNami(gpointer self);
    static gboolean OnWake(gpointer self);

    guint mainSource_ = 0;
    guint namiSource_ = 0;
    guint wakeSource_ = 0;
    std::function<void()> wake_;
    std::function<void()> mainTick_;
    std::function<void()> namiTick_;
};

}  // namespace seastrip
