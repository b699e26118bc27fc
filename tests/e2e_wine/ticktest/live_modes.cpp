#include "live_modes.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "front/win32/win32_platform.h"
#include "front/win32/win32_scale.h"
#include "object_count.h"
#include "shell/start_program.h"
#include "shell/timers.h"
#include "state/program.h"

namespace seastrip {
namespace {

Program* g_program = nullptr;
// A window of the program's thread that runs the churn there.
HWND g_churner = nullptr;

void RunMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void CALLBACK SpoilRegions(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    // A header that claims no size is one the system refuses to build from.
    for (RegionRecord& record : g_program->RegionTable) record.header.dwSize = 0;
    std::printf("regions spoiled\n");
    std::fflush(stdout);
}

bool SetWorkBottom(int bottom, UINT announce = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
{
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), bottom};
    return SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, announce) != FALSE;
}

void Say(const char* format, long a = 0, long b = 0)
{
    std::printf(format, a, b);
    std::printf("\n");
    std::fflush(stdout);
}

void Churn(int count)
{
    RECT first{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &first, 0);
    // A first round lets the window system make the objects it keeps for a
    // window that moves (its painting cache), once.
    for (int i = 0; i < count; ++i) SetWorkBottom(first.bottom - 20 - (i % 2) * 40);
    const GuiObjectCounts before = CountGuiObjects();
    for (int i = 0; i < count; ++i) SetWorkBottom(first.bottom - 20 - (i % 2) * 40);
    SetWorkBottom(first.bottom);
    const GuiObjectCounts after = CountGuiObjects();
    Say("churn before: gdi=%ld user=%ld", before.gdi, before.user);
    Say("churn after: gdi=%ld user=%ld", after.gdi, after.user);
}

LRESULT CALLBACK ChurnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP) return DefWindowProcW(window, message, wParam, lParam);
    Churn(static_cast<int>(wParam));
    return 0;
}

DWORD WINAPI ReadCommands(LPVOID strip)
{
    char line[128];
    while (std::fgets(line, sizeof(line), stdin)) {
        int value = 0;
        if (std::sscanf(line, "work %d", &value) == 1) {
            Say(SetWorkBottom(value) ? "work %ld set" : "work %ld refused", value);
        } else if (std::sscanf(line, "quiet %d", &value) == 1) {
            Say(SetWorkBottom(value, 0) ? "quiet %ld set" : "quiet %ld refused", value);
        } else if (std::strncmp(line, "taskbar", 7) == 0) {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_NORMAL, 2000,
                                &result);
            Say("taskbar announced");
        } else if (std::sscanf(line, "churn %d", &value) == 1) {
            // Done on the program's own thread, so that no tick runs in
            // between and makes a first-time object that is no leak.
            SendMessageW(g_churner, WM_APP, static_cast<WPARAM>(value), 0);
        } else if (std::strncmp(line, "quit", 4) == 0) {
            break;
        }
    }
    PostMessageW(static_cast<HWND>(strip), WM_CLOSE, 0, 0);
    return 0;
}

}  // namespace

int RunFailingRegions(int afterMs)
{
    Win32Platform platform(GetModuleHandleW(nullptr));
    auto program = std::make_unique<Program>(platform);
    g_program = program.get();
    platform.Attach(*program);
    StartProgram(*program);
    SetTimer(nullptr, 0, static_cast<UINT>(afterMs), SpoilRegions);
    RunMessageLoop();
    return 0;
}

int RunDesktopCommands()
{
    Win32Platform platform(GetModuleHandleW(nullptr));
    auto program = std::make_unique<Program>(platform);
    platform.Attach(*program);
    StartProgram(*program);
    WNDCLASSEXW churnerClass{};
    churnerClass.cbSize = sizeof(churnerClass);
    churnerClass.lpfnWndProc = ChurnerProc;
    churnerClass.hInstance = GetModuleHandleW(nullptr);
    churnerClass.lpszClassName = L"SeastripChurner";
    RegisterClassExW(&churnerClass);
    g_churner = CreateWindowExW(0, L"SeastripChurner", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                churnerClass.hInstance, nullptr);
    if (!g_churner) return 1;
    Say("ready");
    HANDLE reader = CreateThread(nullptr, 0, ReadCommands, platform.StripWindow(), 0, nullptr);
    if (!reader) return 1;
    RunMessageLoop();
    return 0;
}

int RunFloor()
{
    WNDCLASSEXW floorClass{};
    floorClass.cbSize = sizeof(floorClass);
    floorClass.lpfnWndProc = DefWindowProcW;
    floorClass.hInstance = GetModuleHandleW(nullptr);
    floorClass.lpszClassName = L"SeastripFloor";
    if (!RegisterClassExW(&floorClass)) return 1;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HDC screen = GetDC(nullptr);
    const int height = 28 * ScaleForDpi(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"SeastripFloor", L"Floor", WS_POPUP, work.left,
                                  work.bottom - height, work.right - work.left, height, nullptr, nullptr,
                                  floorClass.hInstance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    // Timer messages without a procedure are handed to the window's, which
    // does nothing with them.
    if (!SetTimer(window, 1, kTimerMainIntervalMs, nullptr) || !SetTimer(window, 2, kTimerNamiIntervalMs, nullptr))
        return 1;
    RunMessageLoop();
    return 0;
}

int PrintForeground()
{
    wchar_t title[256] = {};
    if (HWND window = GetForegroundWindow()) GetWindowTextW(window, title, 256);
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof(utf8), nullptr, nullptr);
    std::printf("%s\n", utf8);
    return 0;
}

}  // namespace seastrip
