#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "front/win32/win32_command_line.h"
#include "front/win32/win32_instance.h"
#include "front/win32/win32_message.h"
#include "front/win32/win32_platform.h"
#include "front/win32/win32_text.h"
#include "shell/start_program.h"
#include "state/program.h"

namespace {

constexpr int kMistakeStatus = 2;

seastrip::Win32CommandLine ReadCommandLine()
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i) arguments.push_back(seastrip::Narrow(words[i]));
    if (words) LocalFree(words);
    return seastrip::ParseWin32CommandLine(arguments);
}

// A mistake on the command line goes to standard error when the program has
// one (started from a script or a console that keeps its output), so that a
// script is not held up by a box waiting for a click; started from a
// shortcut or Explorer it has none, and a message box is the only place the
// user sees it.
void ReportMistake(const std::string& mistake)
{
    const std::string line = "seastrip: " + mistake;
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error != nullptr && error != INVALID_HANDLE_VALUE) {
        seastrip::WriteErrorLine(line);
    } else {
        MessageBoxW(nullptr, seastrip::Widen(line).c_str(), L"Seastrip", MB_OK | MB_ICONERROR);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const seastrip::Win32CommandLine options = ReadCommandLine();
    if (!options.error.empty()) {
        ReportMistake(options.error);
        return kMistakeStatus;
    }
    seastrip::SingleInstance single;
    if (!single.Claim()) {
        seastrip::WriteErrorLine("seastrip: a strip is already running in this session");
        return 0;
    }
    seastrip::Win32Platform platform(instance, options.monitor, options.reserve);
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
