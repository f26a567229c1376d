#pragma once

#include "history/run_mode.h"
#include "profile/settings_keys.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelo {

// Names may hold 255 characters; a window title shows at most this many,
// the last being the ellipsis.
inline constexpr std::size_t kTitleNameLength = 40;

// `name` as window titles show it: a longer one cut, ending with "…" (0x85
// in the code page).
inline std::string TitleName(std::string_view name)
{
    if (name.size() <= kTitleNameLength)
        return std::string(name);
    return std::string(name.substr(0, kTitleNameLength - 1)) + '\x85';
}

// The user whose box is selected, shared by every window of an activity.
struct CurrentUser
{
    static constexpr int kQuitBox = settings::kUserCount; // the box after the users

    int UserSlot = 0;     // 0..7, or kQuitBox on the menu's Quit box
    std::string UserName; // empty when no box is entered
    std::string UserSection = settings::UserSection(0);
    std::int32_t SessionNumber = 0; // "sessionnumber" as read when the activity started
    // Drills are typed as practice is, on lines of their own.
    RunMode TypeMode = RunMode::Lesson;

    // "typemode" keeps 1 for lessons and 0 for practice and drills; any
    // other number reads as practice.
    static RunMode TypeModeFromStore(std::int32_t stored)
    {
        return stored == 1 ? RunMode::Lesson : RunMode::Practice;
    }
    std::int32_t TypeModeToStore() const { return TypeMode == RunMode::Lesson ? 1 : 0; }

    void SelectSlot(int slot)
    {
        UserSlot = slot;
        UserSection = settings::UserSection(slot);
    }
    // Practice or drills: free typing, not the lessons.
    bool Practising() const { return TypeMode != RunMode::Lesson; }
    bool Drilling() const { return TypeMode == RunMode::Drill; }
};

} // namespace tarvelo
