#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvelo {

class ProfileStore;

// The product's web site, named by the start-up error message.
inline constexpr std::string_view kWebSiteAddress = "https://www.tarvelo.example/";

// The folder the platform reports for the program, ending with exactly one
// separator and with doubled separators collapsed.
std::string NormaliseFolder(std::string_view folder);

// `folder` + `name`, with the separator between them single whatever either
// side brings.
std::string DataFilePath(std::string_view folder, std::string_view name);

// The data-file check of start-up: "lastuser" of "users" must be present.
bool DataFilesPresent(const ProfileStore& profile);

// The text of the box shown when the check fails.
std::string MissingDataFilesMessage();

// The error for a settings file missing from `folder`; it begins with the
// data-file check's message when reinstalling would bring the file back.
std::string MissingSettingsMessage(const std::string& folder, bool reinstallHelps);

// What start-up knows when it picks the application folder. Paths are the
// system's own bytes (any folder name works, UTF-8 or not); empty when unknown.
struct FolderEnvironment
{
    std::string executableFolder;
    // Where an installation keeps the pristine data files (<prefix>/share/tarvelo).
    std::string installedDataFolder;
    std::optional<std::string> chosenFolder; // --folder
    std::string xdgDataHome;
    std::string home;
};

// The value of the last "--folder DIR" or "--folder=DIR" among `arguments`
// (the program name excluded), read before a "--", as the system's bytes.
std::optional<std::string> FolderArgument(std::span<const std::string> arguments);

enum class FolderMode
{
    Portable,  // settings file beside the program: that folder, untouched
    Installed, // the user's own data folder, seeded from the installation
    Chosen,    // --folder, seeded the same way
};

struct FolderChoice
{
    FolderMode mode = FolderMode::Portable;
    std::string folder; // normalised; empty when no folder can be named
};

FolderChoice ChooseAppFolder(const FolderEnvironment& environment);

enum class SeedStep
{
    FindFolder,    // no folder could be named (no HOME, no XDG_DATA_HOME)
    CreateFolder,  // the application folder could not be made
    ReadInstalled, // the installed data folder could not be listed or read
    Copy,          // a file could not be written into the application folder
};

// Why seeding stopped: the step, the folder and file concerned (the file is
// empty for a folder step) and the system's error number.
struct SeedFailure
{
    SeedStep step = SeedStep::Copy;
    std::string folder;
    std::string file;
    int error = 0;
};

// Brings `appFolder` up to date with every regular file in `dataFolder`: a
// file absent there is copied; a file in `userFiles` is never overwritten once
// present; any other file is replaced when its contents differ, so an upgrade
// brings new lessons. Creates `appFolder` (mode 0700) when missing. A missing
// `dataFolder` brings nothing and is no failure.
std::optional<SeedFailure> SeedAppFolder(const std::string& dataFolder,
                                         const std::string& appFolder,
                                         std::span<const std::string_view> userFiles);

// The error naming the step, the folder and the file that failed; only an
// unreadable installation asks for a reinstall.
std::string SeedFailureMessage(const SeedFailure& failure);

struct PreparedFolder
{
    std::string folder;                   // the application folder
    std::optional<std::string> errorText; // set when start-up must stop
};

// Chooses the application folder and seeds it when the mode asks for it.
// When neither that folder nor the installation holds the settings file,
// start-up must stop, and nothing is created anywhere.
PreparedFolder PrepareAppFolder(const FolderEnvironment& environment,
                                std::span<const std::string_view> userFiles);

} // namespace tarvelo
