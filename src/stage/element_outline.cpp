#include "stage/element_outline.h"

#include <algorithm>

namespace seastrip {

ElementOutline ElementOutline::FromRects(const std::vector<RegionRectPx>& rects)
{
    // Gather the clipped runs row by row; rectangles may overlap or come in any
    // order, so each row is sorted and merged afterwards.
    int rows = 0;
    for (const RegionRectPx& r : rects) {
        rows = std::max(rows, std::clamp(r.bottom, 0, kMaxElementPixels));
    }
    std::vector<std::vector<PixelSpan>> perRow(static_cast<size_t>(rows));
    for (const RegionRectPx& r : rects) {
        const int x0 = std::clamp(r.left, 0, kMaxElementPixels);
        const int x1 = std::clamp(r.right, 0, kMaxElementPixels);
        const int y0 = std::clamp(r.top, 0, kMaxElementPixels);
        const int y1 = std::clamp(r.bottom, 0, kMaxElementPixels);
        if (x1 <= x0) {
            continue;
        }
        for (int y = y0; y < y1; ++y) {
            perRow[static_cast<size_t>(y)].push_back(PixelSpan{x0, x1});
        }
    }

    ElementOutline outline;
    outline.rowStart_.reserve(perRow.size() + 1);
    int minX = kMaxElementPixels, maxX = 0, minY = -1, maxY = 0;
    for (size_t y = 0; y < perRow.size(); ++y) {
        outline.rowStart_.push_back(static_cast<uint32_t>(outline.spans_.size()));
        std::vector<PixelSpan>& row = perRow[y];
        if (row.empty()) {
            continue;
        }
        std::sort(row.begin(), row.end(), [](const PixelSpan& a, const PixelSpan& b) { return a.x0 < b.x0; });
        PixelSpan current = row.front();
        for (size_t i = 1; i < row.size(); ++i) {
            if (row[i].x0 <= current.x1) {
                current.x1 = std::max(current.x1, row[i].x1);
            } else {
                outline.spans_.push_back(current);
                current = row[i];
            }
        }
        outline.spans_.push_back(current);
        minX = std::min(minX, row.front().x0);
        maxX = std::max(maxX, outline.spans_.back().x1);
        if (minY < 0) {
            minY = static_cast<int>(y);
        }
        maxY = static_cast<int>(y) + 1;
    }
    outline.rowStart_.push_back(static_cast<uint32_t>(outline.spans_.size()));
    if (minY >= 0) {
        outline.bounds_ = PixelRect{minX, minY, maxX - minX, maxY - minY};
    }
    return outline;
}

std::span<const PixelSpan> ElementOutline::Row(int y) const
{
    if (y < 0 || static_cast<size_t>(y) + 1 >= rowStart_.size()) {
        return {};
    }
    const uint32_t begin = rowStart_[static_cast<size_t>(y)];
    const uint32_t end = rowStart_[static_cast<size_t>(y) + 1];
    return std::span<const PixelSpan>(spans_).subspan(begin, end - begin);
}

bool ElementOutline::Contains(int x, int y) const
{
    const std::span<const PixelSpan> runs = RunsFrom(Row(y), x);
    return !runs.empty() && runs.front().x0 <= x;
}

std::span<const PixelSpan> RunsFrom(std::span<const PixelSpan> row, int x)
{
    const auto it = std::partition_point(row.begin(), row.end(), [x](const PixelSpan& s) { return s.x1 <= x; });
    return row.subspan(static_cast<size_t>(it - row.begin()));
}

}  // namespace seastrip
