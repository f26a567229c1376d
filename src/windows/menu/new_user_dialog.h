#pragma once

#include "platform/name_dialog.h"
#include "ui/modal_picture_window.h"

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

// `entered` with every letter that NameInCodePage would strip of its accents
// already stripped; characters it would refuse are kept, for OK to refuse.
QString NameAsStored(const QString& entered);

// The modal name dialog "NewUser" over the background picture. Its box shows
// a name as it will be stored while it is typed. OK with a name the code page
// cannot hold is refused with a message and the dialog stays open.
class NewUserDialog : public ui::ModalPictureWindow, public NameDialog
{
    Q_OBJECT

public:
    static constexpr std::string_view kRefusal =
        "The name can only hold letters of Western European languages, digits and the usual "
        "punctuation. Letters of other Latin alphabets are kept without their accents; other "
        "characters cannot be stored. Please change the name.";

    NewUserDialog(const std::string& appFolder, Dialogs& dialogs, QWidget* parent = nullptr);

    std::optional<std::string> AskName(std::string_view currentName) override;

private:
    void acceptName();

    Dialogs& m_dialogs;
    QLineEdit* m_edit;
    std::optional<std::string> m_name;
};

} // namespace tarvelo
