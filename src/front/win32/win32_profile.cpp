#include "front/win32/win32_profile.h"

#include <windows.h>
#include <shlobj.h>

#include "front/win32/win32_text.h"

namespace seastrip {
namespace {

std::wstring ExecutablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

size_t LastSeparator(const std::wstring& path) { return path.find_last_of(L"\\/"); }

// Whether a new file can be made in the folder: a probe that deletes itself.
bool FolderIsWritable(const std::wstring& folder)
{
    std::wstring probe = folder;
    if (!probe.empty() && probe.back() != L'\\') probe += L'\\';
    probe += L"~seastrip-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

std::string ReadProfileValue(const std::string& section, const std::string& key, const std::string& path)
{
    // 511 characters: at most 510 of the value and the terminating zero.
    wchar_t buffer[512] = {};
    GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), L"", buffer, 511, Widen(path).c_str());
    return Narrow(buffer);
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& path)
{
    return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                                      Widen(path).c_str()) != FALSE;
}

std::string ExecutableFolder()
{
    std::wstring path = ExecutablePath();
    const size_t separator = LastSeparator(path);
    if (separator == std::wstring::npos) return ".";
    // A drive's root keeps its backslash ("C:\"); any other folder loses it.
    path.resize(separator > 0 && path[separator - 1] == L':' ? separator + 1 : separator);
    return Narrow(path);
}

std::string ExecutableBaseName()
{
    std::wstring name = ExecutablePath();
    const size_t separator = LastSeparator(name);
    if (separator != std::wstring::npos) name.erase(0, separator + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return Narrow(name);
}

std::string ChooseSettingsFolder()
{
    const std::string beside = ExecutableFolder();
    if (FolderIsWritable(Widen(beside))) return beside;
    // An installed copy (under Program Files) cannot write beside itself;
    // without this every choice would be lost silently.
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData))) return beside;
    std::wstring folder = std::wstring(appData) + L"\\Seastrip";
    CreateDirectoryW(folder.c_str(), nullptr);
    return Narrow(folder);
}

}  // namespace seastrip
