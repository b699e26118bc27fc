#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/program.h"
#include "stage/element_outline.h"
#include "front/headless/headless_platform.h"
#include "front/headless/simulated_timers.h"

namespace seastrip {

class StageElement;

// The rules the running program keeps whatever the clock, the menu and the
// screen do, checked from outside through the shared state and the stage.
// It remembers what it saw on the previous check, so it also catches moves
// that no single state can show (a cloud that jumps, a tile that moves).
class InvariantChecker {
public:
    // Takes the program right after its start.
    InvariantChecker(HeadlessPlatform& platform, const Program& program);

    // After each timer tick. Returns the first broken rule, or nothing.
    std::optional<std::string> AfterTick(SimulatedTimers::Tick tick);
    // After a scene command, which lays out and paints outside the ticks,
    // and after a sound command, which leaves the strip alone.
    std::optional<std::string> AfterSceneChoice();
    std::optional<std::string> AfterSoundChoice();
    // Right after the start, before any tick.
    std::optional<std::string> AfterStart();

    // How often the outlines that never change (palm, star tiles) and the
    // middle wave tiles are compared, in checks; the other moving ones are
    // compared on every check.
    void SetStaticOutlineInterval(int checks) { staticInterval_ = checks < 1 ? 1 : checks; }

private:
    enum class Moment { Start, Main, Nami, SceneChoice, SoundChoice };
    std::optional<std::string> Check(Moment moment);
    std::optional<std::string> CheckState() const;
    std::optional<std::string> CheckMarks() const;
    std::optional<std::string> CheckCounts() const;
    std::optional<std::string> CheckTiles() const;
    std::optional<std::string> CheckPlaces() const;
    std::optional<std::string> CheckLook() const;
    std::optional<std::string> CheckClouds(bool driftTick);
    std::optional<std::string> CheckWaves(bool everyOutline) const;
    std::optional<std::string> CheckStarAndWalker(Moment moment) const;
    std::optional<std::string> CheckOutlines(bool withStatic) const;

    // Whether an element shows exactly slot `slot`'s outline (or, for -1, no
    // outline at all: the whole rectangle).
    bool HasOutline(const Element& element, int slot) const;
    // Whether the cloud's span lies clear of the sun's, by the drift rule.
    bool ClearOfSun(float left, float width) const;

    HeadlessPlatform& platform_;
    const Program& p_;
    std::array<ElementOutline, kRegionSlots> outlines_;

    int elementCount_ = 0;
    int waveCount_ = 0;
    int starCount_ = 0;
    std::vector<std::pair<float, float>> tilePlaces_;  // waves then stars: left, top
    std::array<float, 3> cloudLeft_{};
    std::array<bool, 3> cloudOverlapAtLoad_{};
    bool cloudsAnimated_ = false;
    int waveOutline_ = -1;  // the last wave frame applied, -1 before the first
    bool wavesShown_ = false;
    int32_t shownBefore_ = -1;  // SceneShown at the previous check
    int32_t laidOut_ = 0;   // the scene the elements were last laid out for
    int32_t painted_ = 0;   // the scene the sky was last painted for
    long checks_ = 0;
    int staticInterval_ = 64;
};

// Whether an element shows exactly these runs per row (clipped to its size);
// null stands for no outline, the whole rectangle.
bool ShowsOutline(const StageElement& element, const ElementOutline* outline);

}  // namespace seastrip
