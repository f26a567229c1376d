#pragma once

#include "profile/settings_keys.h"

#include <cstdint>
#include <string>

namespace tarvelo {

// The user whose box is selected, shared by every window of an activity.
struct CurrentUser
{
    static constexpr int kQuitBox = settings::kUserCount; // the box after the users

    int UserSlot = 0;     // 0..7, or kQuitBox on the menu's Quit box
    std::string UserName; // empty when no box is entered
    std::string UserSection = settings::UserSection(0);
    std::int32_t SessionNumber = 0; // "sessionnumber" as read when the activity started
    std::int16_t TypeMode = 1;      // 1 = lessons, 0 = practice

    static constexpr std::int16_t kLessons = 1;
    static constexpr std::int16_t kPractice = 0;

    void SelectSlot(int slot)
    {
        UserSlot = slot;
        UserSection = settings::UserSection(slot);
    }
    bool Practising() const { return TypeMode == kPractice; }
};

} // namespace tarvelo
