#include "profile/app_folder.h"

#include "profile/code_page.h"
#include "profile/data_file.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "profile/value_text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace tarvelo {
namespace {

// File names may be given with a leading separator of either kind.
bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

// Sounds and pictures may outgrow the limit meant for text data files.
constexpr std::size_t kMaxSeedFileBytes = 256u * 1024u * 1024u;

// The error of the last failed call, or a generic one when it left none.
int LastError()
{
    return errno != 0 ? errno : EIO;
}

// mkdir -p: every missing folder on the way is made private to the user, as
// the XDG base directories ask.
bool MakeFolders(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info
    {};
    if (::stat(folder.c_str(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}

// The regular, visible files of `folder`, sorted; nullopt when it cannot be read.
std::optional<std::vector<std::string>> RegularFiles(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return std::nullopt;
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name.front() == '.')
            continue;
        if (FileExists(folder + name))
            names.push_back(name);
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        errno = readError;
        return std::nullopt;
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool Exists(const std::string& path)
{
    struct stat info
    {};
    return ::lstat(path.c_str(), &info) == 0;
}

// True when `path` is a regular file holding exactly `bytes`.
bool HoldsBytes(const std::string& path, const std::string& bytes)
{
    struct stat info
    {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) != bytes.size())
        return false;
    const FileContents current = ReadDataFile(path, kMaxSeedFileBytes);
    return current.status == ReadStatus::Ok && current.bytes == bytes;
}

std::string SystemText(std::string_view bytes)
{
    return codepage::FromUtf8(bytes);
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
           // A line of its own: message boxes would wrap a run of spaces
           // into the address.
           std::string("\n\n") + std::string(kWebSiteAddress);
}

std::string MissingSettingsMessage(const std::string& folder, bool reinstallHelps)
{
    const std::string detail = "The settings file \"" + std::string(ProfileStore::kFileName) +
                               "\" is missing from the folder \"" + SystemText(folder) + "\".";
    return reinstallHelps ? MissingDataFilesMessage() + "\n\n" + detail : detail;
}

std::optional<std::string> FolderArgument(std::span<const std::string> arguments)
{
    static constexpr std::string_view kOption = "--folder";
    std::optional<std::string> value;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--")
            break;
        if (argument == kOption) {
            if (i + 1 < arguments.size())
                value = arguments[++i];
        } else if (argument.starts_with(kOption) && argument[kOption.size()] == '=') {
            value = std::string(argument.substr(kOption.size() + 1));
        }
    }
    return value;
}

FolderChoice ChooseAppFolder(const FolderEnvironment& environment)
{
    if (environment.chosenFolder && !environment.chosenFolder->empty())
        return {FolderMode::Chosen, NormaliseFolder(*environment.chosenFolder)};
    if (!environment.executableFolder.empty() &&
        FileExists(DataFilePath(environment.executableFolder, ProfileStore::kFileName)))
        return {FolderMode::Portable, NormaliseFolder(environment.executableFolder)};

    // XDG: a relative XDG_DATA_HOME is invalid and ignored.
    std::string base;
    if (!environment.xdgDataHome.empty() && environment.xdgDataHome.front() == '/')
        base = environment.xdgDataHome;
    else if (!environment.home.empty())
        base = NormaliseFolder(environment.home) + ".local/share";
    if (base.empty())
        return {FolderMode::Installed, {}};
    return {FolderMode::Installed, NormaliseFolder(DataFilePath(base, "tarvelo"))};
}

std::optional<SeedFailure> SeedAppFolder(const std::string& dataFolder,
                                         const std::string& appFolder,
                                         std::span<const std::string_view> userFiles)
{
    const std::string source = NormaliseFolder(dataFolder);
    const std::string target = NormaliseFolder(appFolder);
    errno = 0;
    if (!MakeFolders(target))
        return SeedFailure{SeedStep::CreateFolder, target, {}, LastError()};
    // Without an installed data folder (an unpacked copy run with --folder)
    // there is nothing to bring; the data-file check judges what is there.
    if (dataFolder.empty())
        return std::nullopt;
    errno = 0;
    const auto names = RegularFiles(source);
    if (!names && errno == ENOENT)
        return std::nullopt;
    if (!names)
        return SeedFailure{SeedStep::ReadInstalled, source, {}, LastError()};

    for (const std::string& name : *names) {
        const std::string to = target + name;
        const bool userFile =
            std::find(userFiles.begin(), userFiles.end(), name) != userFiles.end();
        if (userFile && Exists(to))
            continue;
        errno = 0;
        const FileContents shipped = ReadDataFile(source + name, kMaxSeedFileBytes);
        if (shipped.status != ReadStatus::Ok) {
            const int error = shipped.status == ReadStatus::TooLarge ? EFBIG : LastError();
            return SeedFailure{SeedStep::ReadInstalled, source, name, error};
        }
        if (!userFile && HoldsBytes(to, shipped.bytes))
            continue;
        errno = 0;
        if (!WriteFileAtomically(to, shipped.bytes))
            return SeedFailure{SeedStep::Copy, target, name, LastError()};
    }
    return std::nullopt;
}

std::string SeedFailureMessage(const SeedFailure& failure)
{
    const std::string folder = SystemText(failure.folder);
    const std::string file = SystemText(failure.file);
    const std::string reason = SystemText(std::strerror(failure.error));
    std::string detail;
    switch (failure.step) {
    case SeedStep::FindFolder:
        detail = "Tarvelo could not find a folder for your progress: neither XDG_DATA_HOME nor "
                 "HOME is set. Start it with --folder DIR.";
        break;
    case SeedStep::CreateFolder:
        detail = "Tarvelo could not create the folder \"" + folder + "\": " + reason + ".";
        break;
    case SeedStep::ReadInstalled:
        detail = "Tarvelo could not read its installed data files in \"" + folder + "\"" +
                 (file.empty() ? "" : " (\"" + file + "\")") + ": " + reason + ".";
        break;
    case SeedStep::Copy:
        detail = "Tarvelo could not copy \"" + file + "\" into the folder \"" + folder +
                 "\": " + reason + ".";
        break;
    }
    if (failure.step == SeedStep::ReadInstalled)
        return MissingDataFilesMessage() + "\n\n" + detail;
    return detail;
}

namespace {

// Start-up's answer when the settings file is nowhere to be had: the folder
// named is where the user would look for it.
std::optional<std::string> SettingsFileNowhere(const FolderEnvironment& environment,
                                               const FolderChoice& choice)
{
    const auto holdsSettings = [](const std::string& folder) {
        return !folder.empty() && FileExists(DataFilePath(folder, ProfileStore::kFileName));
    };
    if (holdsSettings(choice.folder) || holdsSettings(environment.installedDataFolder))
        return std::nullopt;
    if (choice.mode == FolderMode::Chosen)
        return MissingSettingsMessage(choice.folder, false);
    struct stat info
    {};
    const bool installed = !environment.installedDataFolder.empty() &&
                           ::stat(environment.installedDataFolder.c_str(), &info) == 0;
    // Without an installation this is a portable copy that lost its file.
    if (!installed && !environment.executableFolder.empty())
        return MissingSettingsMessage(NormaliseFolder(environment.executableFolder), true);
    return MissingSettingsMessage(
        installed ? NormaliseFolder(environment.installedDataFolder) : choice.folder, true);
}

} // namespace

PreparedFolder PrepareAppFolder(const FolderEnvironment& environment,
                                std::span<const std::string_view> userFiles)
{
    const FolderChoice choice = ChooseAppFolder(environment);
    if (choice.folder.empty())
        return {{}, SeedFailureMessage({SeedStep::FindFolder, {}, {}, ENOENT})};
    if (choice.mode == FolderMode::Portable)
        return {choice.folder, std::nullopt};
    if (auto nowhere = SettingsFileNowhere(environment, choice))
        return {choice.folder, std::move(nowhere)};
    if (const auto failure =
            SeedAppFolder(environment.installedDataFolder, choice.folder, userFiles))
        return {choice.folder, SeedFailureMessage(*failure)};
    return {choice.folder, std::nullopt};
}

} // namespace tarvelo
