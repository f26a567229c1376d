#pragma once

#include "history/history_clock.h"
#include "history/shared_history.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "state/complete_totals.h"
#include "state/current_user.h"
#include "state/game_averages.h"
#include "state/letter_tallies.h"

#include <string>

namespace tarvelo {

// What the windows of one run share: the settings file, the current user,
// the keyboard layout, the letter tallies and the figures loaded for the
// activity in progress.
struct ProgramState
{
    explicit ProgramState(std::string folder)
        : appFolder(std::move(folder)), profile(appFolder), history(appFolder, clock)
    {}

    std::string appFolder;
    ProfileStore profile;
    CurrentUser user;
    KeyboardLayout layout;
    LetterTallies tallies;
    CompleteTotals totals;
    GameAverages gameAverages;
    // The shared window position, in twips.
    int WindowTop = settings::kTop.fallback;
    int WindowLeft = settings::kLeft.fallback;
    // --high-contrast: every user's windows in the high-contrast look.
    bool highContrastAlways = false;
    // What the history's runs and games are timed by.
    SystemUtcClock clock;
    // The run history, opened on first use.
    SharedHistory history;
};

} // namespace tarvelo
