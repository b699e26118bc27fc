#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <memory>

#include "front/win32/win32_instance.h"
#include "front/win32/win32_message.h"
#include "front/win32/win32_platform.h"
#include "shell/start_program.h"
#include "state/program.h"

namespace {

// "/monitor N" (or "-monitor N"): the strip's monitor, 0-based in the
// system's order. Anything else on the command line is ignored.
int MonitorArgument()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return -1;
    int monitor = -1;
    for (int i = 1; i + 1 < count; ++i) {
        const wchar_t* name = arguments[i];
        if ((name[0] == L'/' || name[0] == L'-') && _wcsicmp(name + 1, L"monitor") == 0) {
            wchar_t* end = nullptr;
            const long value = std::wcstol(arguments[i + 1], &end, 10);
            if (end != arguments[i + 1] && *end == L'\0' && value >= 0 && value < 1000) monitor = static_cast<int>(value);
        }
    }
    LocalFree(arguments);
    return monitor;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    seastrip::SingleInstance single;
    if (!single.Claim()) {
        seastrip::WriteErrorLine("seastrip: a strip is already running in this session");
        return 0;
    }
    seastrip::Win32Platform platform(instance, MonitorArgument());
    // The program's state is large (the region table alone is 80 KB).
    auto program = std::make_unique<seastrip::Program>(platform);
    platform.Attach(*program);
    seastrip::StartProgram(*program);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
