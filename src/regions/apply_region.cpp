#include "regions/apply_region.h"

namespace seastrip {

void ApplyRegion(Program& program, int32_t number, Element& element)
{
    const RegionRecord& record = program.RegionTable.at(static_cast<size_t>(number));
    // Only the header and the rectangles in use are handed over.
    const uint32_t bytes = record.header.dwSize + record.header.nRgnSize;
    const RegionResult result = element.ApplyRegionData(reinterpret_cast<const uint8_t*>(&record), bytes);
    if (result == RegionResult::CreateFailed) {
        program.platform.ShowMessageAndExit(kRegionCreateFailed);
    } else if (result == RegionResult::SetFailed) {
        program.platform.ShowMessageAndExit(kRegionSetFailed);
    }
}

}  // namespace seastrip
