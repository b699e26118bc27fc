#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "stage_helpers.h"
#include "stage/region_record.h"

namespace seastrip {
namespace {

using testing::RegionRecordBytes;

TEST(RegionRecordTest, AcceptsValidRecordsDropsEmptyRectanglesAndRejectsMalformedOnes)
{
    std::vector<RegionRectPx> rects;
    const auto record = RegionRecordBytes({{1, 1, 3, 2}, {-4, 0, 321, 27}, {5, 5, 5, 9}, {2, 3, 4, 3}});
    ASSERT_TRUE(ParseRegionRecord(record.data(), static_cast<uint32_t>(record.size()), rects));
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[1].left, -4);
    EXPECT_EQ(rects[1].right, 321);
    EXPECT_EQ(rects[1].bottom, 27);

    // No rectangles at all is a valid, empty outline; bytes past the count are not read.
    auto empty = RegionRecordBytes({});
    EXPECT_TRUE(ParseRegionRecord(empty.data(), 32, rects));
    EXPECT_TRUE(rects.empty());
    auto padded = RegionRecordBytes({{0, 0, 2, 2}, {0, 0, 9, 9}});
    std::memset(padded.data() + 8, 1, 1);  // nCount 1 of the two stored
    ASSERT_TRUE(ParseRegionRecord(padded.data(), 48, rects));
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].right, 2);

    EXPECT_FALSE(ParseRegionRecord(nullptr, 64, rects));
    auto huge = RegionRecordBytes({{0, 0, 4, 4}});
    const uint32_t count = 0x10000000u;
    std::memcpy(huge.data() + 8, &count, 4);
    const auto good = RegionRecordBytes({{0, 0, 4, 4}, {1, 4, 3, 6}});
    const std::pair<const char*, std::vector<uint8_t>> malformed[] = {
        {"shorter than a header", {good.begin(), good.begin() + 31}},
        {"too short for nCount", {good.begin(), good.end() - 1}},
        {"a wrong header size", RegionRecordBytes({{0, 0, 4, 4}}, 36)},
        {"a wrong type", RegionRecordBytes({{0, 0, 4, 4}}, 32, 2)},
        {"a count whose byte size would wrap round 32 bits", huge},
    };
    for (const auto& [what, bytes] : malformed)
        EXPECT_FALSE(ParseRegionRecord(bytes.data(), static_cast<uint32_t>(bytes.size()), rects)) << what;
}

}  // namespace
}  // namespace seastrip
