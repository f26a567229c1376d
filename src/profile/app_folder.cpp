#include "profile/app_folder.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "profile/value_text.h"

namespace tarvelo {
namespace {

// File names may be given with a leading separator of either kind.
bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

} // namespace

std::string NormaliseFolder(std::string_view folder)
{
    std::string result;
    result.reserve(folder.size() + 1);
    for (char c : folder) {
        if (c == '/' && !result.empty() && result.back() == '/')
            continue;
        result.push_back(c);
    }
    if (result.empty() || result.back() != '/')
        result.push_back('/');
    return result;
}

std::string DataFilePath(std::string_view folder, std::string_view name)
{
    while (!name.empty() && IsSeparator(name.front()))
        name.remove_prefix(1);
    return NormaliseFolder(folder) + std::string(name);
}

bool DataFilesPresent(const ProfileStore& profile)
{
    const std::string lastUser =
        profile.ReadProfile(settings::kUsers, settings::kLastUser.name, settings::kMissingMarker);
    return valuetext::ParseLong(lastUser) != -999;
}

std::string MissingDataFilesMessage()
{
    return "Program cannot find data files! You must reinstall Tarvelo from installation file. "
           "If you have lost the installation file, I have made it available for download at:" +
           std::string(33, ' ') + std::string(kWebSiteAddress);
}

} // namespace tarvelo
