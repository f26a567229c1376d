#pragma once

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
        : appFolder(std::move(folder)), profile(appFolder), history(appFolder)
    {}

    std::string appFolder;
    ProfileStore profile;
    CurrentUser user;
    KeyboardLayout layout;
    LetterTallies tallies;
    CompleteTotals totals;
    GameAverages gameAverages;
    // The shared window position, in twips.
    int WindowTop = 1035;
    int WindowLeft = 1995;
    // --high-contrast: every user's windows in the high-contrast look.
    bool highContrastAlways = false;
    // The run history, opened on first use.
    SharedHistory history;
};

} // namespace tarvelo
