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

    // Starts both timers: mainTick every 250 ms, namiTick every 110 ms.
    void Start(std::function<void()> mainTick, std::function<void()> namiTick);
    // Stops both timers; no tick is delivered afterwards, even when called
    // from inside a tick.
    void Stop();

private:
    static gboolean OnMainTimer(gpointer self);
    static gboolean OnNamiTimer(gpointer self);

    guint mainSource_ = 0;
    guint namiSource_ = 0;
    std::function<void()> mainTick_;
    std::function<void()> namiTick_;
};

}  // namespace seastrip
