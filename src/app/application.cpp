#include "app/application.h"

#include "state/program_state.h"
#include "menu/startup.h"
#include "platform/dialogs.h"
#include "profile/profile_store.h"

namespace tarvelo {

std::unique_ptr<MainWindow> StartApplication(const std::string& appFolder, Dialogs& dialogs,
                                             MenuServices services)
{
    if (!RunStartupChecks(ProfileStore(appFolder), dialogs))
        return nullptr;
    auto window = std::make_unique<MainWindow>(appFolder, std::move(services));
    // A write that fails mid-session (a full disk, a lost permission) is told
    // once; the store keeps quiet about the same problem until a write works.
    window->state().profile.SetWriteErrorListener([&dialogs](const WriteError& error) {
        dialogs.ShowMessage(WriteErrorMessage(error), "Warning", MessageIcon::Exclamation);
    });
    return window;
}

} // namespace tarvelo
