#pragma once

#include <string>

#include "platform/bitmap.h"

namespace seastrip {

// Writes the bitmap as a 24-bit PNG; false when the file cannot be written.
bool WritePng(const std::string& path, const Bitmap& bitmap);

}  // namespace seastrip
