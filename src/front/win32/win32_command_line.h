#pragma once

// The Windows program's command line. Its options keep the spelling Windows
// users know, "/monitor N" and "/reserve" (or "-monitor N", in any case); anything
// else is a mistake, refused as on Linux. Free of windows.h, so that it is
// tested on any system.

#include <string>
#include <vector>

namespace seastrip {

struct Win32CommandLine {
    int monitor = -1;   // 0-based in the system's order; -1, the primary
    bool reserve = false;  // keep the strip's row free of windows, as a taskbar's
    std::string error;  // a mistake, as one line; empty when all is well
};

// Reads the arguments after the program's name, in UTF-8.
Win32CommandLine ParseWin32CommandLine(const std::vector<std::string>& arguments);

}  // namespace seastrip
