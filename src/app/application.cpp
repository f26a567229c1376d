#include "app/application.h"

#include "app/deferred_name_dialog.h"
#include "game/system_sources.h"
#include "help/donation.h"
#include "help/outside_links.h"
#include "menu/startup.h"
#include "platform/dialogs.h"
#include "profile/profile_store.h"
#include "state/program_state.h"
#include "ui/program_sound.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_url_opener.h"
#include "windows/editor/editor_window.h"
#include "windows/game/game_window.h"
#include "windows/help/donation_window.h"

#include <QApplication>
#include <QTimer>
#include <chrono>

namespace tarvelo {
namespace {

constexpr std::chrono::milliseconds kDeferredRetry{500};

// What the menu's links and the donation request use, shared by the menu's
// services for as long as any of them lives.
struct Links
{
    explicit Links(const std::string& appFolder) : links(appFolder, opener, dialogs) {}

    ui::QtUrlOpener opener;
    ui::QtDialogs dialogs;
    SystemClock clock;
    OutsideLinks links;
};

void FillServices(MenuServices& services, const std::string& appFolder,
                  const std::vector<std::string>& audioModulePaths)
{
    const auto shared = std::make_shared<Links>(appFolder);
    if (!services.editorWindow)
        services.editorWindow = [audioModulePaths](ProgramState& state) {
            // The save sound comes long after the editor opens.
            ui::ProgramSound().StartLoading(audioModulePaths);
            EditorServices editor;
            editor.playSound = [](const std::string& wavePath) {
                ui::ProgramSound().PlayWave(wavePath);
            };
            return new EditorWindow(state, std::move(editor));
        };
    if (!services.openHelpPage)
        services.openHelpPage = [shared] { shared->links.OpenHelpPage(); };
    if (!services.openWebSite)
        services.openWebSite = [shared] { shared->links.OpenWebSite(); };
    if (!services.donationCheck)
        services.donationCheck = [shared](ProgramState& state, QWidget* activity) {
            if (!RunDonationCheck(state.profile, shared->clock))
                return;
            // A window of the activity's, so the system keeps it above it.
            auto* window =
                new DonationWindow([shared] { shared->links.OpenDonationPage(); }, activity);
            window->showOver(activity);
            if (window->isVisible())
                RecordDonationShown(state.profile);
        };
}

} // namespace

std::unique_ptr<MainWindow> StartApplication(const std::string& appFolder, Dialogs& dialogs,
                                             MenuServices services,
                                             std::vector<std::string> audioModulePaths)
{
    const StartupResult checked = RunStartupChecks(ProfileStore(appFolder), dialogs);
    if (!checked.proceed)
        return nullptr;
    FillServices(services, appFolder, audioModulePaths);
    // The name dialog waits until a name is asked for, then opens over the menu.
    std::unique_ptr<DeferredNameDialog> names;
    if (!services.nameDialog) {
        names = std::make_unique<DeferredNameDialog>(appFolder);
        services.nameDialog = names.get();
    }
    auto window = std::make_unique<MainWindow>(appFolder, std::move(services));
    if (names)
        names.release()->setParent(window.get());
    // Sound and music are loaded when a window that makes them opens, not at
    // the start: the game's first sound comes at "Begin", after the window.
    window->setGameWindowFactory([paths = std::move(audioModulePaths)](
                                     ProgramState& state, std::optional<ScoreTexts>& lastResult) {
        ui::ProgramSound().StartLoading(paths);
        return new GameWindow(state, lastResult);
    });
    ProfileStore& profile = window->state().profile;
    // A write that fails mid-session (a full disk, a lost permission) is told
    // once; the store keeps quiet about the same problem until a write works,
    // and about what the start-up check told already.
    if (checked.toldCannotSave)
        profile.NoteTold(*checked.toldCannotSave);
    profile.SetWriteErrorListener([&dialogs](const WriteError& error) {
        dialogs.ShowMessage(WriteErrorMessage(error), "Warning", MessageIcon::Exclamation);
    });
    // Writes kept while another copy held the file reach it once it is free.
    auto* retry = new QTimer(window.get());
    retry->setTimerType(Qt::PreciseTimer);
    QObject::connect(retry, &QTimer::timeout, window.get(), [&profile] {
        if (profile.HasDeferred())
            profile.SaveDeferred();
    });
    retry->start(kDeferredRetry);
    return window;
}

} // namespace tarvelo
