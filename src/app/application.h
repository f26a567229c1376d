#pragma once

#include "windows/menu/main_window.h"

#include <memory>
#include <string>
#include <vector>

namespace tarvelo {

class Dialogs;

// Runs the start-up checks against the data in `appFolder`, telling the user
// through `dialogs` what fails; returns the main menu, started and placed at
// the shared window position, or null when the program must end. `dialogs`
// also tells of failed writes later on, so it must outlive the window. The
// game and the editor open the audio module from the first of
// `audioModulePaths` that exists (none: they play no sound).
std::unique_ptr<MainWindow> StartApplication(const std::string& appFolder, Dialogs& dialogs,
                                             MenuServices services = {},
                                             std::vector<std::string> audioModulePaths = {});

} // namespace tarvelo
