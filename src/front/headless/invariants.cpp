#include "front/headless/invariants.h"

#include <algorithm>
#include <span>

#include "regions/region_table.h"
#include "scene/scene_layout.h"
#include "state/rounding.h"
#include "state/scene_values.h"
#include "stage/stage_element.h"

namespace seastrip {
namespace {

using Failure = std::optional<std::string>;

// An element array member by the index the program knows it by (copies
// made at load carry their first member's design index on the stage).
std::string Named(const char* array, int index) { return std::string(array) + "(" + std::to_string(index) + ")"; }

ElementOutline OutlineOfSlot(const RegionRecord& record)
{
    std::vector<RegionRectPx> rects;
    const uint32_t bytes = record.header.dwSize + record.header.nRgnSize;
    ParseRegionRecord(reinterpret_cast<const uint8_t*>(&record), bytes, rects);
    return ElementOutline::FromRects(rects);
}

bool InRange(long value, long low, long high) { return value >= low && value <= high; }

}  // namespace

bool ShowsOutline(const StageElement& element, const ElementOutline* outline)
{
    const int w = element.PixelWidth();
    const int h = element.PixelHeight();
    for (int y = 0; y < h; ++y) {
        std::span<const PixelSpan> expected;
        PixelSpan whole{0, w};
        if (outline) {
            expected = outline->Row(y);
        } else if (w > 0) {
            expected = std::span<const PixelSpan>(&whole, 1);
        }
        size_t next = 0;
        bool same = true;
        element.ForEachShownRun(y, 0, w, [&](int a, int b) {
            if (!same) return;
            if (next >= expected.size() || expected[next].x0 != a || std::min(expected[next].x1, w) != b) {
                same = false;
                return;
            }
            ++next;
        });
        // Runs that start beyond the element's width are clipped away.
        const bool restClipped = next == expected.size() || expected[next].x0 >= w;
        if (!same || !restClipped) return false;
    }
    return true;
}

InvariantChecker::InvariantChecker(HeadlessPlatform& platform, const Program& program)
    : platform_(platform), p_(program)
{
    for (int slot = 0; slot < kRegionSlots; ++slot) outlines_[slot] = OutlineOfSlot(program.RegionTable[slot]);
    elementCount_ = platform.GetStage().ElementCount();
    waveCount_ = program.picNami.Count();
    starCount_ = program.picHoshi.Count();
    for (int i = 0; i < waveCount_; ++i) tilePlaces_.emplace_back(program.picNami(i).Left(), program.picNami(i).Top());
    for (int i = 0; i < starCount_; ++i) {
        tilePlaces_.emplace_back(program.picHoshi(i).Left(), program.picHoshi(i).Top());
    }
    for (int i = 0; i < 3 && program.picKUMO.Has(i); ++i) {
        const Element& cloud = program.picKUMO(i);
        cloudLeft_[i] = cloud.Left();
        cloudOverlapAtLoad_[i] = !ClearOfSun(cloud.Left(), cloud.Width());
    }
    laidOut_ = program.SceneNow;
    painted_ = program.SceneNow;
    shownBefore_ = program.SceneShown;
}

Failure InvariantChecker::AfterStart()
{
    if (auto f = CheckTiles()) return f;
    return Check(Moment::Start);
}

Failure InvariantChecker::AfterTick(SimulatedTimers::Tick tick)
{
    return Check(tick == SimulatedTimers::Tick::Main ? Moment::Main : Moment::Nami);
}

Failure InvariantChecker::AfterSceneChoice() { return Check(Moment::SceneChoice); }

Failure InvariantChecker::AfterSoundChoice() { return Check(Moment::SoundChoice); }

Failure InvariantChecker::Check(Moment moment)
{
    bool driftTick = false;
    switch (moment) {
    case Moment::Main:
        if (p_.MainPhase == 1) {
            // The compute half ran: the clouds moved on, and the elements were
            // laid out when the scene differed from the one shown.
            cloudsAnimated_ = true;
            driftTick = p_.CloudFrame == 0;
            if (shownBefore_ != p_.SceneNow) laidOut_ = p_.SceneNow;
        } else {
            if (p_.SceneShown != p_.SceneNow) return "the paint half left SceneShown behind SceneNow";
            if (shownBefore_ != p_.SceneNow) painted_ = p_.SceneNow;
        }
        break;
    case Moment::SceneChoice:
        laidOut_ = p_.SceneNow;
        painted_ = p_.SceneNow;
        break;
    case Moment::Nami: {
        const int16_t frame = p_.WaveFrames[static_cast<size_t>((p_.WaveStep + 59) % 60)];
        wavesShown_ = frame != -1;
        if (frame != -1) waveOutline_ = frame;
        break;
    }
    case Moment::Start:
    case Moment::SoundChoice:
        break;
    }
    shownBefore_ = p_.SceneShown;
    ++checks_;
    const bool withStatic = checks_ % staticInterval_ == 1 || moment == Moment::Start;

    if (auto f = CheckState()) return f;
    if (auto f = CheckMarks()) return f;
    if (auto f = CheckCounts()) return f;
    if (withStatic) {
        if (auto f = CheckPlaces()) return f;
    }
    if (auto f = CheckLook()) return f;
    if (auto f = CheckClouds(driftTick)) return f;
    if (auto f = CheckWaves(withStatic)) return f;
    if (auto f = CheckStarAndWalker(moment)) return f;
    return CheckOutlines(withStatic);
}

Failure InvariantChecker::CheckState() const
{
    if (!InRange(p_.SceneNow, 0, 479)) return "SceneNow " + std::to_string(p_.SceneNow) + " is outside 0..479";
    if (!InRange(p_.SceneShown, -1, 479)) return "SceneShown " + std::to_string(p_.SceneShown) + " is out of range";
    if (!InRange(p_.MainPhase, 0, 1)) return "MainPhase " + std::to_string(p_.MainPhase) + " is not 0 or 1";
    if (!InRange(p_.WaveStep, 0, 59)) return "WaveStep " + std::to_string(p_.WaveStep) + " is outside 0..59";
    if (!InRange(p_.CloudFrame, 0, 2)) return "CloudFrame " + std::to_string(p_.CloudFrame) + " is outside 0..2";
    if (!InRange(p_.GlitterStep, 0, 2)) return "GlitterStep " + std::to_string(p_.GlitterStep) + " is outside 0..2";
    if (!InRange(p_.StarStep, 0, 10)) return "StarStep " + std::to_string(p_.StarStep) + " is outside 0..10";
    if (!InRange(p_.WalkerSteps, 0, 29)) return "WalkerSteps " + std::to_string(p_.WalkerSteps) + " is outside 0..29";
    if (!InRange(p_.WalkerDirection, -1, 1)) return "WalkerDirection " + std::to_string(p_.WalkerDirection);
    return std::nullopt;
}

Failure InvariantChecker::CheckMarks() const
{
    int scene = 0;
    for (int i = 0; i < kSceneItemCount; ++i) scene += platform_.IsChecked(MenuGroup::Scene, i) ? 1 : 0;
    int sound = 0;
    for (int i = 0; i < kSoundItemCount; ++i) sound += platform_.IsChecked(MenuGroup::Sound, i) ? 1 : 0;
    if (scene != 1) return std::to_string(scene) + " check marks in the scene group";
    if (sound != 1) return std::to_string(sound) + " check marks in the sound group";
    return std::nullopt;
}

Failure InvariantChecker::CheckCounts() const
{
    if (platform_.GetStage().ElementCount() != elementCount_) {
        return "the stage holds " + std::to_string(platform_.GetStage().ElementCount()) + " elements, " +
               std::to_string(elementCount_) + " after the start";
    }
    if (p_.picNami.Count() != waveCount_ || p_.picHoshi.Count() != starCount_ || p_.picKUMO.Count() != 3) {
        return "an element array changed its member count";
    }
    return std::nullopt;
}

Failure InvariantChecker::CheckTiles() const
{
    const float tpp = platform_.TwipsPerPixelX();
    const float screen = platform_.ScreenWidth();
    auto covers = [&](const ElementArray& tiles, int count, float firstLeft, const char* what) -> Failure {
        if (tiles(0).Left() != firstLeft) return std::string(what) + " start at the wrong place";
        for (int i = 1; i < count; ++i) {
            if (tiles(i).Left() != tiles(i - 1).Left() + tiles(0).Width()) return std::string(what) + " leave a gap";
        }
        if (!(tiles(count - 1).Left() > screen)) return std::string(what) + " stop short of the right edge";
        return std::nullopt;
    };
    if (auto f = covers(p_.picNami, waveCount_, 10 * tpp, "the wave tiles")) return f;
    return covers(p_.picHoshi, starCount_, 0, "the star tiles");
}

Failure InvariantChecker::CheckPlaces() const
{
    size_t k = 0;
    for (int i = 0; i < waveCount_; ++i, ++k) {
        const Element& e = p_.picNami(i);
        if (tilePlaces_[k] != std::make_pair(e.Left(), e.Top())) return Named("picNami", i) + " moved";
    }
    for (int i = 0; i < starCount_; ++i, ++k) {
        const Element& e = p_.picHoshi(i);
        if (tilePlaces_[k] != std::make_pair(e.Left(), e.Top())) return Named("picHoshi", i) + " moved";
    }
    return std::nullopt;
}

Failure InvariantChecker::CheckLook() const
{
    const bool starsExpected = StarLevelFor(laidOut_) >= 0;
    const Colour waveColour = WaveColourFor(laidOut_);
    for (int i = 0; i < waveCount_; ++i) {
        if (!(p_.picNami(i).FillColour() == waveColour)) return Named("picNami", i) + " has the wrong colour";
    }
    for (int i = 0; i < starCount_; ++i) {
        const Element& tile = p_.picHoshi(i);
        if (tile.Visible() != starsExpected) {
            return Named("picHoshi", i) + (starsExpected ? " is hidden" : " shows") + " in scene " +
                   std::to_string(laidOut_);
        }
        if (starsExpected) {
            const auto level = static_cast<uint8_t>(StarLevelFor(laidOut_));
            if (!(tile.FillColour() == Colour{level, level, level})) {
                return Named("picHoshi", i) + " has the wrong grey";
            }
        }
    }
    const bool glitterExpected = laidOut_ > 0 && laidOut_ < 250;
    if (p_.picSUN(1).Visible() != glitterExpected) {
        return "the sun glitter is " + std::string(glitterExpected ? "hidden" : "shown") + " in scene " +
               std::to_string(laidOut_);
    }
    if (p_.picYASHI(0).GetPicture() != p_.picYASHI(PalmSourceFor(laidOut_)).GetPicture()) {
        return "the palm shows the wrong picture for scene " + std::to_string(laidOut_);
    }
    const bool sunExpected = IsSunset(painted_);
    if (p_.picSUN3->Visible() != sunExpected) {
        return "the setting sun is " + std::string(sunExpected ? "hidden" : "shown") + " in scene " +
               std::to_string(painted_);
    }
    const Bitmap& sky = *p_.picBG->GetPicture();
    for (int y : {0, 27}) {
        if (p_.frmBG->ReadPoint(0, y) != sky.At(painted_, y).Packed()) {
            return "the strip does not show sky column " + std::to_string(painted_) + " in row " + std::to_string(y) +
                   " (it shows " + std::to_string(p_.frmBG->ReadPoint(0, y)) + ", the sky has " +
                   std::to_string(sky.At(painted_, y).Packed()) + ")";
        }
    }
    return std::nullopt;
}

bool InvariantChecker::ClearOfSun(float left, float width) const
{
    const float sunLeft = p_.picSUN3->Left();
    const float sunRight = sunLeft + p_.picSUN3->Width();
    return sunRight < left || left + width < sunLeft;
}

Failure InvariantChecker::CheckClouds(bool driftTick)
{
    const float tpp = platform_.TwipsPerPixelX();
    for (int i = 0; i < 3; ++i) {
        const Element& cloud = p_.picKUMO(i);
        const float before = cloudLeft_[i];
        const float now = cloud.Left();
        cloudLeft_[i] = now;
        if (now != before) {
            if (!driftTick) return Named("picKUMO", i) + " moved outside a drift step";
            bool allowed = false;
            for (int offset = -2; offset <= 1; ++offset) {
                allowed = allowed || now - before == static_cast<float>(RoundHalfEven(offset * tpp));
            }
            if (!allowed) {
                return Named("picKUMO", i) + " drifted by " + std::to_string((now - before) / tpp) + " pixels";
            }
            if (!ClearOfSun(before, cloud.Width())) {
                return Named("picKUMO", i) + " moved although it overlapped the sun";
            }
        }
        if (!ClearOfSun(now, cloud.Width()) && !cloudOverlapAtLoad_[i]) {
            return Named("picKUMO", i) + " drifted onto the sun's span";
        }
        const int slot = cloudsAnimated_ ? region::kCloudFirst + (p_.CloudFrame + 2) % 3 : region::kCloudFirst;
        if (!HasOutline(cloud, slot)) return Named("picKUMO", i) + " does not show outline " + std::to_string(slot);
    }
    return std::nullopt;
}

Failure InvariantChecker::CheckWaves(bool everyOutline) const
{
    for (int i = 0; i < waveCount_; ++i) {
        const Element& tile = p_.picNami(i);
        if (tile.Visible() != wavesShown_) {
            return Named("picNami", i) + (wavesShown_ ? " is hidden during a wave" : " shows in a pause");
        }
        // Every tile gets the same frame in the same loop, so between full
        // comparisons the two ends of the row stand for it.
        const bool compared = everyOutline || i == 0 || i == waveCount_ - 1;
        if (compared && !HasOutline(tile, waveOutline_)) {
            return Named("picNami", i) + " does not show wave frame " + std::to_string(waveOutline_);
        }
    }
    return std::nullopt;
}

Failure InvariantChecker::CheckStarAndWalker(Moment moment) const
{
    const Element& star = p_.picSUN(2);
    if (star.Visible() != (p_.StarStep != 0)) return "the shooting star's visibility does not match StarStep";
    if (star.Visible()) {
        bool placed = false;
        for (int m = 0; m < 10; ++m) {
            const double place = static_cast<double>(m) * platform_.ScreenWidth();
            placed = placed || star.Left() == static_cast<float>(RoundHalfEven(place) / 10);
        }
        if (!placed || star.Top() != 0) return "the shooting star is not at a tenth of the screen";
    }
    const Element& walker = p_.picSUN(3);
    if (p_.WalkerSteps > 0 && !walker.Visible()) return "the walker walks while hidden";
    if (walker.Visible()) {
        const float rightmost = platform_.ScreenWidth() - walker.Width();
        if (walker.Left() < 0 || walker.Left() > rightmost) return "the walker stands off the screen";
        if (walker.Top() != 24 * platform_.TwipsPerPixelY()) return "the walker left the beach";
        if (moment == Moment::Nami && p_.SceneNow != 0) {
            return "the walker shows in scene " + std::to_string(p_.SceneNow);
        }
    }
    return std::nullopt;
}

Failure InvariantChecker::CheckOutlines(bool withStatic) const
{
    const Element& star = p_.picSUN(2);
    if (!HasOutline(star, -1) && !HasOutline(star, 24) && !HasOutline(star, 25) && !HasOutline(star, 26)) {
        return "the shooting star shows an outline that is not a streak";
    }
    if (!HasOutline(p_.picSUN(3), -1) && !HasOutline(p_.picSUN(3), region::kWalker)) {
        return "the walker shows an outline that is not the walker's";
    }
    const Element& glitter = p_.picSUN(1);
    if (!HasOutline(glitter, -1) && !HasOutline(glitter, 21) && !HasOutline(glitter, 22) &&
        !HasOutline(glitter, 23)) {
        return "the sun glitter shows an outline that is not a glitter frame";
    }
    if (!withStatic) return std::nullopt;
    if (!HasOutline(p_.picYASHI(0), region::kPalm)) return "the palm lost its outline";
    for (int i = 0; i < starCount_; ++i) {
        if (!HasOutline(p_.picHoshi(i), region::kStars)) return Named("picHoshi", i) + " lost the star field";
    }
    return std::nullopt;
}

bool InvariantChecker::HasOutline(const Element& element, int slot) const
{
    const auto* staged = dynamic_cast<const StageElement*>(&element);
    if (!staged) return false;
    return ShowsOutline(*staged, slot < 0 ? nullptr : &outlines_[static_cast<size_t>(slot)]);
}

}  // namespace seastrip
