#pragma once

#include <cstdint>

#include "shell/timers.h"
#include "state/program.h"

namespace seastrip {

// The program while nobody can see the strip: the screen blanked or switched
// off, the session locked, a full-screen window over it. The front stops its
// two timers and shows nothing; what can still be heard goes on, so with the
// wave sound on the front wakes the program at the start of each wave cycle
// to play it, on the beat the wave timer would have kept.
//
// On return the strip shows at once what a program that never stopped would
// show. The scene clock catches up on the computations it missed, each with
// the hour of the moment it would have run: a step is a few comparisons, so
// even a day's worth takes well under a millisecond, and the scene comes out
// exact (night at 20:00 after a screen switched off at 17:00, the end of a
// sunset that ran unseen, a fixed evening's mark moved on to night). The
// waves stand where their beat has brought them. The clouds, a shooting star
// in flight and the walker go on from where they stopped: their moves are
// random and nobody saw them, and replaying hours of them would make the
// return slow for nothing anyone could tell apart.
//
// Times are milliseconds of a monotonic clock of the front's.
class OutOfSight {
public:
    bool Active() const { return since_ >= 0; }

    // The strip can no longer be seen; `toNextWaveTickMs` is how long the
    // wave timer had left to its next tick.
    void Leave(Program& program, int64_t nowMs, int64_t toNextWaveTickMs = kTimerNamiIntervalMs);
    // How long from `nowMs` the front must wake the program: the start of
    // the next wave cycle while the sound is on, or -1 for no wakeup at all.
    int64_t ToNextWakeMs(const Program& program, int64_t nowMs) const;
    // The front's wakeup: the wave ticks due by now are counted, and the
    // sound is played once when a cycle started among them.
    void Wake(Program& program, int64_t nowMs);
    // The strip can be seen again: catches up and lays out and paints the
    // scene for now, ready for the front to show the whole strip. Returns how
    // long until the wave timer's next tick is due, to keep the beat.
    int64_t Return(Program& program, int64_t nowMs);

    // Scene computations a return catches up on at most: after a day's
    // worth the clock has passed every hour and the state no longer depends
    // on where it began.
    static constexpr int64_t kMostComputations = 24 * 3600 * 1000 / (2 * kTimerMainIntervalMs);

private:
    // Wave ticks due from the first missed one up to `nowMs`.
    int64_t WaveTicksDue(int64_t nowMs) const;

    int64_t since_ = -1;         // when the strip went out of sight
    int64_t firstWaveTickMs_ = 0;  // when the first missed wave tick was due
    int64_t waveTicksCounted_ = 0; // missed wave ticks already accounted for
    int16_t waveStepAtLeave_ = 0;
};

}  // namespace seastrip
