#pragma once

#include "platform/name_dialog.h"
#include "ui/qt_dialogs.h"

#include <QObject>
#include <optional>
#include <string>

namespace tarvelo {

class NewUserDialog;

// The main menu's name dialog, built when a name is first asked for: building
// it (a picture window, an edit box, buttons, their fonts and sizes) was a
// good part of the start, and most runs never ask. Give it the main menu as
// parent once the menu exists: the dialog and its messages open over it.
class DeferredNameDialog : public QObject, public NameDialog
{
public:
    explicit DeferredNameDialog(std::string appFolder);

    std::optional<std::string> AskName(std::string_view currentName) override;

private:
    std::string m_appFolder;
    std::optional<ui::QtDialogs> m_dialogs;
    NewUserDialog* m_dialog = nullptr;
};

} // namespace tarvelo
