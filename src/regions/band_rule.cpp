#include "regions/band_rule.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

namespace seastrip {

namespace {

using Span = std::pair<int32_t, int32_t>;  // first, last pixel, inclusive

// The maximal runs of every non-empty scan line, keyed by line.
std::map<int32_t, std::vector<Span>> LineRuns(std::span<const PixelRun> runs)
{
    std::map<int32_t, std::vector<Span>> lines;
    for (const PixelRun& run : runs) {
        if (run.last >= run.first) {
            lines[run.row].emplace_back(run.first, run.last);
        }
    }
    for (auto& [row, spans] : lines) {
        std::sort(spans.begin(), spans.end());
        std::vector<Span> merged;
        for (const Span& s : spans) {
            // Touching or overlapping pieces are one run of the line.
            if (!merged.empty() && s.first <= merged.back().second + 1) {
                merged.back().second = std::max(merged.back().second, s.second);
            } else {
                merged.push_back(s);
            }
        }
        spans = std::move(merged);
    }
    return lines;
}

}  // namespace

std::vector<RegionRect> BandRects(std::span<const PixelRun> runs)
{
    std::vector<RegionRect> rects;
    const std::vector<Span>* bandRuns = nullptr;
    int32_t lastRow = 0;
    size_t bandStart = 0;

    const auto lines = LineRuns(runs);
    for (const auto& [row, spans] : lines) {
        if (bandRuns != nullptr && row == lastRow + 1 && spans == *bandRuns) {
            // The same runs directly below: the band grows by one line.
            for (size_t i = bandStart; i < rects.size(); ++i) {
                rects[i].bottom = row + 1;
            }
        } else {
            bandStart = rects.size();
            bandRuns = &spans;
            for (const Span& s : spans) {
                rects.push_back(RegionRect{s.first, row, s.second + 1, row + 1});
            }
        }
        lastRow = row;
    }
    return rects;
}

void FillRegionRecord(std::span<const RegionRect> rects, RegionRecord& record)
{
    if (rects.size() > static_cast<size_t>(kRegionRectCapacity)) {
        throw std::length_error("shape has more rectangles than a region record holds");
    }
    record = RegionRecord{};
    const auto count = static_cast<uint32_t>(rects.size());
    record.header.dwSize = sizeof(RegionHeader);
    record.header.iType = 1;  // RDH_RECTANGLES
    record.header.nCount = count;
    record.header.nRgnSize = count * static_cast<uint32_t>(sizeof(RegionRect));
    // The bound always starts at the element's corner, even where no
    // rectangle touches row 0 or column 0.
    record.header.boundLeft = 0;
    record.header.boundTop = 0;
    for (uint32_t i = 0; i < count; ++i) {
        record.rects[i] = rects[i];
        record.header.boundRight = std::max(record.header.boundRight, rects[i].right);
        record.header.boundBottom = std::max(record.header.boundBottom, rects[i].bottom);
    }
}

}  // namespace seastrip
