#include "app/application.h"

#include "menu/startup.h"
#include "profile/profile_store.h"

namespace tarvelo {

std::unique_ptr<MainWindow> StartApplication(const std::string& appFolder, Dialogs& dialogs,
                                             MenuServices services)
{
    if (!RunStartupChecks(ProfileStore(appFolder), dialogs))
        return nullptr;
    return std::make_unique<MainWindow>(appFolder, std::move(services));
}

} // namespace tarvelo
