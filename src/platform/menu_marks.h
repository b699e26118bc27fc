#pragma once

#include <array>
#include <cstddef>

namespace seastrip {

// The two check-mark groups of the popup menu: the scene choice (five items)
// and the wave sound switch (two items).
enum class MenuGroup { Scene, Sound };

constexpr int kSceneItemCount = 5;
constexpr int kSoundItemCount = 2;

// What the user chose from the popup menu: a scene or sound item by its
// index in the group, the version dialog, exit, or nothing (menu dismissed).
enum class MenuCommand { None, Scene, Sound, Version, Exit };
struct MenuChoice {
    MenuCommand command = MenuCommand::None;
    int index = 0;
    friend bool operator==(const MenuChoice&, const MenuChoice&) = default;
};

// The menu's check marks, as the program keeps them; a front's menu shows
// them when it opens. The menu is designed with "auto" and "sound on"
// checked. An index outside a group reads as unchecked and is not stored.
class MenuMarks {
public:
    bool IsChecked(MenuGroup group, int index) const
    {
        return group == MenuGroup::Scene ? Get(scene_, index) : Get(sound_, index);
    }
    void SetChecked(MenuGroup group, int index, bool checked)
    {
        if (group == MenuGroup::Scene) Set(scene_, index, checked);
        else Set(sound_, index, checked);
    }
    const std::array<bool, kSceneItemCount>& Scene() const { return scene_; }
    const std::array<bool, kSoundItemCount>& Sound() const { return sound_; }

private:
    template <size_t N>
    static bool Get(const std::array<bool, N>& marks, int index)
    {
        return index >= 0 && static_cast<size_t>(index) < N && marks[static_cast<size_t>(index)];
    }
    template <size_t N>
    static void Set(std::array<bool, N>& marks, int index, bool checked)
    {
        if (index >= 0 && static_cast<size_t>(index) < N) marks[static_cast<size_t>(index)] = checked;
    }

    std::array<bool, kSceneItemCount> scene_{true, false, false, false, false};
    std::array<bool, kSoundItemCount> sound_{true, false};
};

}  // namespace seastrip
