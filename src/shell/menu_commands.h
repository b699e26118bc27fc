#pragma once

#include "state/program.h"

namespace seastrip {

// The popup menu's commands.
void SceneItemChosen(Program& program, int index);  // mhiscore(0..4)
void SoundItemChosen(Program& program, int index);  // msound(0..1)
void VersionChosen(Program& program);
void ExitChosen(Program& program);

// Runs whichever command the user chose from the menu; nothing for None.
void RunMenuChoice(Program& program, MenuChoice choice);

// The menu's captions, UTF-8, for the fronts that build it.
namespace menu_text {
inline constexpr const char* kScene = "シーン";
inline constexpr const char* kSceneItems[5] = {"自動", "朝", "昼", "夕", "夜"};
inline constexpr const char* kSound = "波の音";
inline constexpr const char* kSoundItems[2] = {"あり", "なし"};
inline constexpr const char* kVersion = "バージョン情報";
inline constexpr const char* kExit = "終了";
}  // namespace menu_text

}  // namespace seastrip
