#include "front/win32/win32_monitor.h"

#include <windows.h>

namespace seastrip {
namespace {

PixelBox BoxOf(const RECT& r) { return PixelBox{r.left, r.top, r.right, r.bottom}; }

struct Search {
    int wanted = 0;
    int seen = 0;
    HMONITOR found = nullptr;
};

BOOL CALLBACK CountMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    if (search->seen++ == search->wanted) {
        search->found = monitor;
        return FALSE;
    }
    return TRUE;
}

// GetDpiForMonitor arrived with Windows 8.1 in its own library; looked up at
// run time so that the program still starts where it is missing.
int MonitorDpi(HMONITOR monitor)
{
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpi = [] {
        HMODULE library = LoadLibraryW(L"shcore.dll");
        return library ? reinterpret_cast<GetDpiForMonitorFn>(
                             reinterpret_cast<void*>(GetProcAddress(library, "GetDpiForMonitor")))
                       : nullptr;
    }();
    UINT x = 0;
    UINT y = 0;
    if (getDpi && SUCCEEDED(getDpi(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && y > 0)
        return static_cast<int>(y);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

MonitorPlace FindMonitor(int index)
{
    Search search;
    search.wanted = index;
    if (index >= 0) EnumDisplayMonitors(nullptr, nullptr, CountMonitor, reinterpret_cast<LPARAM>(&search));
    HMONITOR monitor = search.found ? search.found : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);

    MonitorPlace place;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) {
        place.monitor = PixelBox{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        place.work = place.monitor;
        return place;
    }
    place.monitor = BoxOf(info.rcMonitor);
    place.work = BoxOf(info.rcWork);
    // The primary monitor's work area is the one the system parameter holds:
    // what a taskbar or a desktop tool sets through it.
    RECT work{};
    if ((info.dwFlags & MONITORINFOF_PRIMARY) && SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) &&
        work.right > work.left && work.bottom > work.top)
        place.work = BoxOf(work);
    place.dpi = MonitorDpi(monitor);
    return place;
}

}  // namespace seastrip
