#pragma once

#include <string>

namespace tarvelo {

class Dialogs;
class ProfileStore;

// The checks before the main menu opens. Returns false when the data files are
// missing or the settings file is damaged (after telling the user); warns
// once, and goes on, when the settings file cannot be written.
bool RunStartupChecks(const ProfileStore& profile, Dialogs& dialogs);

// The error for a settings file at `path` that exists but holds no users.
std::string DamagedSettingsMessage(const std::string& path);

} // namespace tarvelo
