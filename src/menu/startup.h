#pragma once

#include "profile/profile_store.h"

#include <optional>
#include <string>

namespace tarvelo {

class Dialogs;

struct StartupResult
{
    bool proceed = false;
    // What the user was warned of already: the settings file cannot be saved.
    std::optional<WriteError::Reason> toldCannotSave;
};

// The checks before the main menu opens. Does not proceed when the settings
// file is missing, unreadable or damaged (after telling the user); warns
// once, and proceeds, when it cannot be saved. Removes what interrupted
// writes of earlier runs left beside the settings file and the practice text.
StartupResult RunStartupChecks(const ProfileStore& profile, Dialogs& dialogs);

// The error for a settings file at `path` that exists but holds no users.
std::string DamagedSettingsMessage(const std::string& path);

} // namespace tarvelo
