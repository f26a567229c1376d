#include "menu/startup.h"

#include "platform/dialogs.h"
#include "profile/app_folder.h"
#include "profile/code_page.h"
#include "profile/data_file.h"
#include "profile/profile_store.h"

namespace tarvelo {

bool RunStartupChecks(const ProfileStore& profile, Dialogs& dialogs)
{
    if (!DataFilesPresent(profile)) {
        dialogs.ShowMessage(MissingDataFilesMessage(), "Error", MessageIcon::Critical);
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
