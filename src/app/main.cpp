#include "app/application.h"
#include "app/leave_on_signal.h"
#include "material/practice_text.h"
#include "profile/app_folder.h"
#include "profile/code_page.h"
#include "profile/profile_store.h"
#include "ui/after_first_paint.h"
#include "ui/audio_module.h"
#include "ui/qt_dialogs.h"
#include "windows/menu/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <array>
#include <climits>
#include <cstdlib>
#include <malloc.h>
#include <pwd.h>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

// The settings file and the practice text are the user's; everything else in
// the installed data folder is refreshed at start-up.
constexpr std::array<std::string_view, 2> kUserFiles = {tarvelo::ProfileStore::kFileName,
                                                        tarvelo::PracticeText::kFileName};

// The program's folder as the system's bytes: Qt's QString paths cannot carry
// a folder name that is not UTF-8.
std::string ExecutableFolder()
{
    std::array<char, PATH_MAX> path{};
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0)
        return {};
    const std::string_view exe(path.data(), static_cast<std::size_t>(length));
    return std::string(exe.substr(0, exe.find_last_of('/') + 1));
}

// Where the audio module may lie: beside the program (the build folder, a
// portable copy), then in the installed program's module folder.
std::vector<std::string> AudioModulePaths(const std::string& executableFolder)
{
    if (executableFolder.empty())
        return {};
    const std::string file = tarvelo::ui::kAudioModuleFile;
    return {executableFolder + file, executableFolder + TARVELO_MODULES_FROM_BIN + file};
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder()
{
    std::string home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    }
    return home;
}

// --help and --version answer on the terminal, also where no display is.
bool AsksForHelpOrVersion(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            break;
        if (argument == "-h" || argument == "-?" || argument == "--help" ||
            argument == "--help-all" || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

// Answers --help and --version and refuses unknown options (each ends the
// program); otherwise returns whether --high-contrast was given.
bool ParseCommandLine(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Typing tutor: lessons, practice on sentences of your own text, and a typing game.\n"
        "Progress is kept in Tarvelo.INI in the application folder: the program's own\n"
        "folder when Tarvelo.INI lies beside it, otherwise $XDG_DATA_HOME/tarvelo\n"
        "(~/.local/share/tarvelo).");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({"folder",
                      "Use DIR as the application folder; missing data files are copied "
                      "into it.",
                      "DIR"});
    parser.addOption({"high-contrast",
                      "Draw every window in high contrast, without the background picture, "
                      "whatever each user chose."});
    parser.process(app);
    return parser.isSet("high-contrast");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName("Tarvelo");
    QCoreApplication::setApplicationVersion(TARVELO_VERSION);
    if (AsksForHelpOrVersion(argc, argv)) {
        QCoreApplication terminal(argc, argv);
        ParseCommandLine(terminal);
    }

    QApplication app(argc, argv);
    tarvelo::MenuServices services;
    services.highContrastAlways = ParseCommandLine(app);
    // Lets the desktop match the windows with the launcher and its icon.
    QGuiApplication::setDesktopFileName("example.tarvelo.Tarvelo");

    // Qt has taken its own options out of argv; the rest is read as bytes.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::string executableFolder = ExecutableFolder();
    const tarvelo::FolderEnvironment environment{
        .executableFolder = executableFolder,
        .installedDataFolder =
            executableFolder.empty() ? "" : executableFolder + TARVELO_DATA_FROM_BIN,
        .chosenFolder = tarvelo::FolderArgument(arguments),
        .xdgDataHome = Environment("XDG_DATA_HOME"),
        .home = HomeFolder(),
    };

    tarvelo::ui::QtDialogs dialogs;
    const tarvelo::PreparedFolder prepared = tarvelo::PrepareAppFolder(environment, kUserFiles);
    if (prepared.errorText) {
        dialogs.ShowMessage(*prepared.errorText, "Error", tarvelo::MessageIcon::Critical);
        return 1;
    }
    const auto window = tarvelo::StartApplication(prepared.folder, dialogs, services,
                                                  AudioModulePaths(executableFolder));
    if (!window)
        return 1;
    QObject::connect(window.get(), &tarvelo::MainWindow::quitRequested, &app,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    window->show();
    // Finding the icon in the desktop's icon themes reads their indexes: a
    // good part of the start, which the menu's first picture need not wait for.
    tarvelo::ui::AfterFirstPaint(*window, [] {
        QApplication::setWindowIcon(QIcon::fromTheme("tarvelo"));
        // What the start freed (the font set-up, the layouts' trial sizes,
        // the picture's decoder) lies scattered in the heap: give its pages
        // back to the system rather than keep them resident.
        ::malloc_trim(0);
    });
    tarvelo::LeaveOnSignals();
    return QApplication::exec();
}
