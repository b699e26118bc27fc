#pragma once

#include "regions/region_table.h"
#include "state/program.h"

namespace seastrip {

// The two region failures, each shown in a message box before the program ends.
inline constexpr const char* kRegionCreateFailed = "リージョンデータの読み込みに失敗しました。";
inline constexpr const char* kRegionSetFailed = "ウィンドウの整形に失敗しました。";

// Gives the element the outline stored in slot `number` of the region table.
void ApplyRegion(Program& program, int32_t number, Element& element);

}  // namespace seastrip
