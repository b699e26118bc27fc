#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/element.h"
#include "platform/element_design.h"
#include "platform/twips.h"
#include "stage/region_record.h"
#include "stage/stage.h"

namespace seastrip::testing {

// A region record in the platform's layout, with the header fields open to
// tampering so malformed records can be built.
inline std::vector<uint8_t> RegionRecordBytes(const std::vector<RegionRectPx>& rects, uint32_t dwSize = 32, uint32_t iType = 1)
{
    std::vector<uint8_t> bytes(32 + 16 * rects.size());
    auto put = [&](size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); };
    put(0, dwSize);
    put(4, iType);
    put(8, static_cast<uint32_t>(rects.size()));
    put(12, static_cast<uint32_t>(16 * rects.size()));
    for (size_t i = 0; i < rects.size(); ++i) {
        const uint32_t edges[4] = {static_cast<uint32_t>(rects[i].left), static_cast<uint32_t>(rects[i].top),
                                   static_cast<uint32_t>(rects[i].right), static_cast<uint32_t>(rects[i].bottom)};
        std::memcpy(&bytes[32 + 16 * i], edges, 16);
    }
    return bytes;
}

// Shapes an element to the union of the rectangles, through a record.
inline RegionResult Shape(Element& element, const std::vector<RegionRectPx>& rects, uint32_t iType = 1)
{
    const std::vector<uint8_t> record = RegionRecordBytes(rects, 32, iType);
    return element.ApplyRegionData(record.data(), static_cast<uint32_t>(record.size()));
}

// An element's design from its rectangle in pixels at the usual factor.
inline ElementDesign Design(int x, int y, int w, int h, Colour fill = {}, bool persistent = false, bool visible = true)
{
    const float t = kTwipsPerPixel;
    return ElementDesign{"picTest", 0, x * t, y * t, w * t, h * t, fill, nullptr, persistent, visible};
}

// Sizes the stage's strip in pixels and paints it one colour.
inline void LayStrip(Stage& stage, int w, int h, Colour fill = {})
{
    stage.Strip().SetWidth(w * kTwipsPerPixel);
    stage.Strip().SetHeight(h * kTwipsPerPixel);
    stage.Strip().SetFillColour(fill);
}

// An element's left, top, width and height in twips.
inline std::vector<float> Box(const Element& e) { return {e.Left(), e.Top(), e.Width(), e.Height()}; }

// Whether two elements are the same size and hold the same pixels; the
// first row that differs is named, with how many pixels.
inline ::testing::AssertionResult SameImage(const Element& got, const Element& want)
{
    const int width = PixelsFromTwips(want.Width(), kTwipsPerPixel);
    const int height = PixelsFromTwips(want.Height(), kTwipsPerPixel);
    if (PixelsFromTwips(got.Width(), kTwipsPerPixel) != width || PixelsFromTwips(got.Height(), kTwipsPerPixel) != height)
        return ::testing::AssertionFailure() << "the sizes differ";
    for (int y = 0; y < height; ++y) {
        int differ = 0;
        for (int x = 0; x < width; ++x) differ += got.ReadPoint(x, y) != want.ReadPoint(x, y) ? 1 : 0;
        if (differ > 0) return ::testing::AssertionFailure() << differ << " pixels differ in row " << y;
    }
    return ::testing::AssertionSuccess();
}

// What one point must give: a colour (or kNoPixel) read, or the element a
// press there reaches (nullptr: the strip itself).
struct PointIs {
    constexpr PointIs(int x, int y, Colour c) : x(x), y(y), want(c.Packed()) {}
    constexpr PointIs(int x, int y, int32_t raw) : x(x), y(y), want(raw) {}
    PointIs(int x, int y, const Element* hit) : x(x), y(y), want(reinterpret_cast<intptr_t>(hit)) {}
    int x, y;
    intptr_t want;
};

// Every point of a table that gives another answer, named, so that one check
// covers the table.
inline ::testing::AssertionResult PointsGive(const std::function<intptr_t(int, int)>& give,
                                             std::initializer_list<PointIs> points)
{
    std::string wrong;
    for (const PointIs& p : points) {
        if (give(p.x, p.y) != p.want) wrong += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    }
    if (wrong.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "wrong at" << wrong;
}
inline ::testing::AssertionResult Reads(const Element& e, std::initializer_list<PointIs> points)
{
    return PointsGive([&](int x, int y) { return e.ReadPoint(x, y); }, points);
}
inline ::testing::AssertionResult Shows(const Bitmap& frame, std::initializer_list<PointIs> points)
{
    return PointsGive([&](int x, int y) { return frame.At(x, y).Packed(); }, points);
}
inline ::testing::AssertionResult Hits(const Stage& stage, std::initializer_list<PointIs> points)
{
    return PointsGive([&](int x, int y) { return reinterpret_cast<intptr_t>(stage.HitTest(x, y)); }, points);
}

}  // namespace seastrip::testing
