#include "menu/startup.h"

#include "platform/dialogs.h"
#include "profile/app_folder.h"
#include "profile/code_page.h"
#include "profile/data_file.h"
#include "profile/profile_store.h"

namespace tarvelo {

std::string DamagedSettingsMessage(const std::string& path)
{
    return "The settings file \"" + codepage::FromUtf8(path) +
           "\" is damaged: Tarvelo cannot read its users from it. The file has been left as it "
           "is. Put back a copy from a backup, or move the file away to start afresh with the "
           "settings of a new installation.";
}

bool RunStartupChecks(const ProfileStore& profile, Dialogs& dialogs)
{
    if (!DataFilesPresent(profile)) {
        // A file that is there but holds no users was damaged, not lost:
        // reinstalling would not help, and replacing it would lose the users.
        const std::string text = FileExists(profile.FilePath())
                                     ? DamagedSettingsMessage(profile.FilePath())
                                     : MissingDataFilesMessage();
        dialogs.ShowMessage(text, "Error", MessageIcon::Critical);
        return false;
    }
    // What interrupted writes of earlier runs left behind; a copy that is
    // writing right now holds the lock and keeps its own.
    RemoveLeftoverTemporaries(profile.FilePath());
    if (!profile.CanSave()) {
        dialogs.ShowMessage("Your progress cannot be saved: the settings file \"" +
                                codepage::FromUtf8(profile.FilePath()) +
                                "\" cannot be written. Check that the file and its folder may "
                                "be written to. Tarvelo goes on, but what changes now will be "
                                "lost when it closes.",
                            "Warning", MessageIcon::Exclamation);
    }
    return true;
}

} // namespace tarvelo
