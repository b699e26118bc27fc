#include "live_modes.h"

#include <windows.h>
#include <shellapi.h>
#include <wtsapi32.h>

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "front/win32/win32_platform.h"
#include "front/win32/win32_scale.h"
#include "object_count.h"
#include "shell/menu_commands.h"
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

bool SetWorkBottom(int bottom, UINT announce = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE, int left = 0)
{
    RECT work{left, 0, GetSystemMetrics(SM_CXSCREEN), bottom};
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
        } else if (std::sscanf(line, "side %d", &value) == 1) {
            // A taskbar at the left, as wide as the value, the bottom free.
            const bool set = SetWorkBottom(GetSystemMetrics(SM_CYSCREEN), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE, value);
            Say(set ? "side %ld set" : "side %ld refused", value);
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

namespace {

void PumpFor(DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

int g_failures = 0;
void Check(bool held, const char* what, const char* notice)
{
    std::printf("%s: %s: %s\n", held ? "ok" : "FAIL", notice, what);
    std::fflush(stdout);
    if (!held) ++g_failures;
}

// The console display's state as the power notice carries it: 0 off, 1 on.
void SendDisplayState(HWND window, DWORD state)
{
    static const GUID kConsoleDisplayState = {
        0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
    alignas(POWERBROADCAST_SETTING) unsigned char buffer[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
    auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer);
    setting->PowerSetting = kConsoleDisplayState;
    setting->DataLength = sizeof(DWORD);
    std::memcpy(setting->Data, &state, sizeof(DWORD));
    SendMessageW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(setting));
}

void SendLock(HWND window, bool locked)
{
    SendMessageW(window, WM_WTSSESSION_CHANGE, locked ? WTS_SESSION_LOCK : WTS_SESSION_UNLOCK, 0);
}

HWND g_cover = nullptr;
// A window over the whole screen in the foreground, and the shell's word.
void Cover(HWND window, bool on)
{
    if (on) {
        g_cover = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"cover", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(g_cover);
    } else {
        DestroyWindow(g_cover);
    }
    SendMessageW(window, Win32Visibility::kAppBarMessage, ABN_FULLSCREENAPP, on ? TRUE : FALSE);
}

}  // namespace

int RunUnseen()
{
    Win32Platform platform(GetModuleHandleW(nullptr));
    auto program = std::make_unique<Program>(platform);
    platform.Attach(*program);
    StartProgram(*program);
    PumpFor(1000);
    const HWND notices = platform.VisibilityWindow();
    struct Notice {
        const char* what;
        bool sound;
        void (*send)(HWND, bool unseen);
    };
    const Notice cases[] = {
        {"session locked", false, SendLock},
        {"display off", false, [](HWND w, bool unseen) { SendDisplayState(w, unseen ? 0 : 1); }},
        {"full-screen window", false, Cover},
        {"session locked, sound on", true, SendLock},
    };
    for (const Notice& notice : cases) {
        SoundItemChosen(*program, notice.sound ? 0 : 1);
        const DWORD unseenMs = notice.sound ? 7000 : 1500;
        notice.send(notices, true);
        const int step = program->WaveStep;
        const ULONGLONG left = GetTickCount64();
        PumpFor(unseenMs);
        if (notice.sound) {
            Check(program->WaveStep != step, "the wave sound's beat wakes the program while unseen", notice.what);
        } else {
            Check(program->WaveStep == step, "no tick while unseen", notice.what);
        }
        notice.send(notices, false);
        const long ticks = static_cast<long>(GetTickCount64() - left) / 110;
        const long off = ((program->WaveStep - step - ticks) % 60 + 60) % 60;
        Check(off <= 3 || off >= 57, "the waves stand on their old beat on return", notice.what);
        Check(program->SceneShown == program->SceneNow, "the scene is shown at once on return", notice.what);
        const int back = program->WaveStep;
        PumpFor(500);
        Check(program->WaveStep != back, "the ticks run again", notice.what);
    }
    return g_failures == 0 ? 0 : 1;
}

int HoldUnseen(int seconds)
{
    Win32Platform platform(GetModuleHandleW(nullptr));
    auto program = std::make_unique<Program>(platform);
    platform.Attach(*program);
    StartProgram(*program);
    SoundItemChosen(*program, 1);
    Say("seen");
    PumpFor(static_cast<DWORD>(seconds) * 1000);
    SendLock(platform.VisibilityWindow(), true);
    Say("unseen");
    PumpFor(static_cast<DWORD>(seconds) * 1000);
    SendLock(platform.VisibilityWindow(), false);
    Say("back");
    PumpFor(1000);
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

int PrintFreeBottom()
{
    // A toolbar of its own, registered after the strip's, asking for a row
    // on the bottom edge: the shell moves it above every row taken before.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uCallbackMessage = WM_APP;
    if (!window || !SHAppBarMessage(ABM_NEW, &data)) return 1;
    const int height = GetSystemMetrics(SM_CYSCREEN);
    data.uEdge = ABE_BOTTOM;
    data.rc = RECT{0, height - 10, GetSystemMetrics(SM_CXSCREEN), height};
    SHAppBarMessage(ABM_QUERYPOS, &data);
    std::printf("free bottom %ld\n", static_cast<long>(data.rc.bottom));
    SHAppBarMessage(ABM_REMOVE, &data);
    DestroyWindow(window);
    return 0;
}

}  // namespace seastrip
