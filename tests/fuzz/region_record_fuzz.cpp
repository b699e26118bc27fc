// Region records from anywhere: the parser and the stage must take any bytes,
// an element must show exactly the pixels its parsed rectangles cover, and
// composing must stay inside the frame.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "stage/region_record.h"
#include "stage/stage.h"
#include "stage/stage_element.h"

using namespace seastrip;

namespace {

[[noreturn]] void Broken(const char* what)
{
    std::fprintf(stderr, "region record property broken: %s\n", what);
    std::abort();
}

constexpr int kElementW = 40;
constexpr int kElementH = 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<RegionRectPx> rects;
    const bool parsed = ParseRegionRecord(data, static_cast<uint32_t>(size), rects);
    if (!parsed && !rects.empty()) Broken("a refused record left rectangles behind");
    for (const RegionRectPx& r : rects) {
        if (r.right <= r.left || r.bottom <= r.top) Broken("an empty rectangle was kept");
    }

    Stage stage(64, 200);
    ElementDesign design;
    design.name = "picFuzz";
    design.left = 75;  // 5 pixels in
    design.top = 60;   // 4 pixels down
    design.width = kElementW * 15.0f;
    design.height = kElementH * 15.0f;
    design.fill = Colour{255, 0, 0};
    design.persistentImage = true;
    Element& strip = stage.Strip();
    strip.SetWidth(64 * 15.0f);
    strip.SetHeight(28 * 15.0f);
    Element& element = stage.CreateElement(design);
    stage.Compose();

    const RegionResult result = element.ApplyRegionData(data, static_cast<uint32_t>(size));
    if ((result == RegionResult::Ok) != parsed) Broken("the stage and the parser disagree on a record");

    const Bitmap& frame = stage.Compose();
    const PixelRect changed = stage.ChangedRect();
    const bool outside = changed.x < 0 || changed.y < 0 || changed.x + changed.w > frame.width ||
                         changed.y + changed.h > frame.height;
    if (!changed.Empty() && outside) {
        Broken("the changed area reaches outside the frame");
    }
    if (!parsed) return 0;

    const auto& shaped = static_cast<const StageElement&>(element);
    for (int y = 0; y < kElementH; ++y) {
        for (int x = 0; x < kElementW; ++x) {
            const bool covered = std::any_of(rects.begin(), rects.end(), [&](const RegionRectPx& r) {
                return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            });
            if (shaped.OutlineContains(x, y) != covered) Broken("the outline differs from the rectangles");
            if (y + 4 >= frame.height || x + 5 >= frame.width) continue;
            const bool red = frame.At(x + 5, y + 4) == Colour{255, 0, 0};
            if (covered != red) Broken(covered ? "a covered pixel is not shown" : "a pixel outside the outline shows");
        }
    }
    return 0;
}
