#include "front/win32/win32_message.h"

#include "front/win32/win32_text.h"

namespace seastrip {
namespace {

constexpr wchar_t kTitle[] = L"Seastrip";

}  // namespace

void ShowFailureAndEnd(HWND owner, const std::string& text)
{
    // Without an owner the box would be a window of its own, and the strip
    // would go on taking presses behind it.
    MessageBoxW(owner, Widen(text).c_str(), kTitle, MB_OK | (owner ? 0 : MB_TASKMODAL));
    EndProgram(1);
}

void EndWithSystemError(const std::string& what)
{
    const DWORD error = GetLastError();
    const std::string text = "Seastrip cannot start: " + what + " (system error " + std::to_string(error) + ").";
    WriteErrorLine(text);
    MessageBoxW(nullptr, Widen(text).c_str(), kTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    EndProgram(1);
}

void WriteErrorLine(const std::string& line)
{
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void EndProgram(int status) { ExitProcess(static_cast<UINT>(status)); }

}  // namespace seastrip
