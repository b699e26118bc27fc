#pragma once

#include <string>

#include "platform/bitmap.h"

namespace seastrip {

// Writes the bitmap as a 24-bit PNG, whole or not at all; false, with one
// line naming the file and the reason in `error`, when it cannot be written.
bool WritePng(const std::string& path, const Bitmap& bitmap, std::string& error);

}  // namespace seastrip
