#pragma once

#include <memory>
#include <string>

namespace tarvelo {

class Dialogs;
class MainWindow;

// Runs the start-up checks against the data in `appFolder`; returns the main
// window to show, or null when the program must end.
std::unique_ptr<MainWindow> StartApplication(const std::string& appFolder, Dialogs& dialogs);

} // namespace tarvelo
