#pragma once

#include "platform/name_dialog.h"

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace tarvelo {

class Dialogs;

// A name as the code page can hold it: characters the code page has are
// kept, letters of other Latin alphabets lose their accents (ł, ő, ș, ğ
// become l, o, s, g), stray combining accents are dropped. nullopt when any
// other character (Greek, Chinese, emoji, symbols) is left.
std::optional<std::string> NameInCodePage(const QString& entered);

// The modal name dialog "NewUser" over the background picture. OK with a
// name the code page cannot hold is refused with a message and the dialog
// stays open. OK with a name that loses accents puts the name as it will be
// stored into the box and says so; a second OK keeps it.
class NewUserDialog : public QDialog, public NameDialog
{
    Q_OBJECT

public:
    static constexpr std::string_view kRefusal =
        "The name can only hold letters of Western European languages, digits and the usual "
        "punctuation. Letters of other Latin alphabets are kept without their accents; other "
        "characters cannot be stored. Please change the name.";
    static constexpr std::string_view kConverted =
        "Some letters of the name cannot be stored with their accents. The name now reads as it "
        "will be stored: press OK to keep it, or change it.";

    NewUserDialog(const std::string& appFolder, Dialogs& dialogs, QWidget* parent = nullptr);

    std::optional<std::string> AskName(std::string_view currentName) override;

private:
    void acceptName();

    Dialogs& m_dialogs;
    QLineEdit* m_edit;
    std::string m_name;
};

} // namespace tarvelo
