#include <windows.h>

#include <memory>

#include "front/win32/win32_platform.h"
#include "state/program.h"
#include "shell/start_program.h"

// The program reads no command line.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    seastrip::Win32Platform platform(instance);
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
