#include "front/win32/win32_settings.h"

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

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolders(const std::string& folder)
{
    const int result = SHCreateDirectoryExW(nullptr, Widen(folder).c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
}

// The user's roaming application data folder "Seastrip", not created here;
// empty where the system has no such folder.
std::string FallbackFolder()
{
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return std::string();
    return Narrow(std::wstring(appData) + L"\\Seastrip");
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

SettingsPlace MakeSettingsPlace()
{
    return SettingsPlace(ExecutableFolder(), FallbackFolder(), ExecutableBaseName() + ".ini", '\\',
                         SettingsPlace::Files{FileExists, MakeFolders});
}

}  // namespace seastrip
