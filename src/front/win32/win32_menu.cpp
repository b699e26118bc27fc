#include "front/win32/win32_menu.h"

#include <string>

#include "front/win32/win32_text.h"
#include "shell/menu_commands.h"

namespace seastrip {
namespace {

constexpr UINT kSceneFirstId = 100;
constexpr UINT kSoundFirstId = 200;
constexpr UINT kVersionId = 300;
constexpr UINT kExitId = 301;

void AppendItem(HMENU menu, UINT id, const char* caption, bool radio, bool checked)
{
    const std::wstring text = Widen(caption);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
    item.fType = MFT_STRING | (radio ? MFT_RADIOCHECK : 0);
    item.fState = checked ? MFS_CHECKED : MFS_UNCHECKED;
    item.wID = id;
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item);
}

void AppendSubmenu(HMENU menu, HMENU submenu, const char* caption)
{
    const std::wstring text = Widen(caption);
    AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
}

MenuChoice ChoiceOf(UINT id)
{
    if (id >= kSceneFirstId && id < kSceneFirstId + 5) return {MenuCommand::Scene, static_cast<int>(id - kSceneFirstId)};
    if (id >= kSoundFirstId && id < kSoundFirstId + 2) return {MenuCommand::Sound, static_cast<int>(id - kSoundFirstId)};
    if (id == kVersionId) return {MenuCommand::Version, 0};
    if (id == kExitId) return {MenuCommand::Exit, 0};
    return {};
}

}  // namespace

MenuChoice TrackStripMenu(HWND owner, const MenuMarks& marks)
{
    // Built afresh for every opening from the program's check marks, and
    // destroyed with its submenus when it closes.
    HMENU scene = CreatePopupMenu();
    for (int i = 0; i < kSceneItemCount; ++i)
        AppendItem(scene, kSceneFirstId + i, menu_text::kSceneItems[i], true, marks.IsChecked(MenuGroup::Scene, i));
    HMENU sound = CreatePopupMenu();
    for (int i = 0; i < kSoundItemCount; ++i)
        AppendItem(sound, kSoundFirstId + i, menu_text::kSoundItems[i], true, marks.IsChecked(MenuGroup::Sound, i));
    HMENU popup = CreatePopupMenu();
    AppendSubmenu(popup, scene, menu_text::kScene);
    AppendSubmenu(popup, sound, menu_text::kSound);
    AppendItem(popup, kVersionId, menu_text::kVersion, false, false);
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendItem(popup, kExitId, menu_text::kExit, false, false);

    POINT at{};
    GetCursorPos(&at);
    // The owner must be the foreground window, or the menu would not close
    // when the user clicks elsewhere; the caller gives it back afterwards.
    SetForegroundWindow(owner);
    const UINT id = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    DestroyMenu(popup);
    return ChoiceOf(id);
}

void RestoreForeground(HWND previous, HWND strip)
{
    if (previous && previous != strip && IsWindow(previous) && GetForegroundWindow() != previous)
        SetForegroundWindow(previous);
}

}  // namespace seastrip
