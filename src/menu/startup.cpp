#include "menu/startup.h"

#include "material/practice_text.h"
#include "platform/dialogs.h"
#include "profile/app_folder.h"
#include "profile/code_page.h"
#include "profile/data_file.h"

#include <cstring>

namespace tarvelo {
namespace {

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('/') + 1);
}

// Why the settings file gave no users, in the user's words.
std::string UnreadableSettingsMessage(const ProfileStore& profile)
{
    const std::string name = "The settings file \"" + codepage::FromUtf8(profile.FilePath()) + "\"";
    switch (profile.FileStatus()) {
    case ReadStatus::Missing:
        return MissingSettingsMessage(FolderOf(profile.FilePath()), true);
    case ReadStatus::TooLarge:
        return name + " is larger than " + std::to_string(ProfileStore::kMaxFileBytes >> 20) +
               " MB, more than Tarvelo reads. The file has been left as it is.";
    case ReadStatus::Unreadable:
        return name +
               " could not be read: " + codepage::FromUtf8(std::strerror(profile.FileError())) +
               ". The file has been left as it is.";
    case ReadStatus::Ok:
        break;
    }
    // A file that is there but holds no users was damaged, not lost:
    // reinstalling would not help, and replacing it would lose the users.
    return DamagedSettingsMessage(profile.FilePath());
}

} // namespace

std::string DamagedSettingsMessage(const std::string& path)
{
    return "The settings file \"" + codepage::FromUtf8(path) +
           "\" is damaged: Tarvelo cannot read its users from it. The file has been left as it "
           "is. Put back a copy from a backup, or move the file away to start afresh with the "
           "settings of a new installation.";
}

StartupResult RunStartupChecks(const ProfileStore& profile, Dialogs& dialogs)
{
    if (!DataFilesPresent(profile)) {
        dialogs.ShowMessage(UnreadableSettingsMessage(profile), "Error", MessageIcon::Critical);
        return {};
    }
    // What interrupted writes of earlier runs left behind; a copy that is
    // writing right now holds the lock and keeps its own.
    RemoveLeftoverTemporaries(profile.FilePath());
    RemoveLeftoverTemporaries(DataFilePath(FolderOf(profile.FilePath()), PracticeText::kFileName));
    StartupResult result{true, std::nullopt};
    if (const auto problem = profile.SaveProblem()) {
        dialogs.ShowMessage(CannotSaveMessage(*problem), "Warning", MessageIcon::Exclamation);
        result.toldCannotSave = problem->reason;
    }
    return result;
}

} // namespace tarvelo
