#include "regions/region_table.h"

#include "platform/element.h"
#include "regions/band_rule.h"
#include "regions/shape_rows.h"

namespace seastrip {

void LoadRegionTables(RegionTableBlock& table)
{
    // Start from an all-zero block so that the unused slot and every place
    // behind a shape are zero whatever the block held before.
    table = RegionTableBlock{};
    for (int number = 0; number < region::kFilledSlots; ++number) {
        FillRegionRecord(BandRects(ShapeRows(number)), table[static_cast<size_t>(number)]);
    }
}

void SizeWaveTile(Element& element)
{
    element.SetHeight(45.0f);
    element.SetWidth(4800.0f);
}

void SizeStarTile(Element& element)
{
    element.SetHeight(240.0f);
    element.SetWidth(4800.0f);
}

}  // namespace seastrip
