#pragma once

namespace tarvelo {

class Dialogs;
class ProfileStore;

// The checks before the main menu opens. Returns false when the data files are
// missing (after telling the user); warns once, and goes on, when the
// settings file cannot be written.
bool RunStartupChecks(const ProfileStore& profile, Dialogs& dialogs);

} // namespace tarvelo
