#include "app/application.h"

#include "menu/main_window.h"
#include "menu/startup.h"
#include "profile/profile_store.h"

namespace tarvelo {

std::unique_ptr<MainWindow> StartApplication(const std::string& appFolder, Dialogs& dialogs)
{
    const ProfileStore profile(appFolder);
    if (!RunStartupChecks(profile, dialogs))
        return nullptr;
    return std::make_unique<MainWindow>();
}

} // namespace tarvelo
