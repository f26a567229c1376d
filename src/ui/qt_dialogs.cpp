#include "ui/qt_dialogs.h"

#include "ui/text_codec.h"

#include <QInputDialog>
#include <QMessageBox>

namespace tarvelo::ui {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtDialogs::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    QMessageBox box(ToQtIcon(icon), ToQString(title), ToQString(text), QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtDialogs::AskYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                         DefaultAnswer defaultAnswer)
{
    QMessageBox box(ToQtIcon(icon), ToQString(title), ToQString(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::AskText(std::string_view prompt, std::string_view title,
                                              std::string_view initial)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(m_parent, ToQString(title), ToQString(prompt),
                                               QLineEdit::Normal, ToQString(initial), &accepted);
    if (!accepted)
        return std::nullopt;
    return FromQString(text);
}

} // namespace tarvelo::ui
