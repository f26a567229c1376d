#include "ui/qt_dialogs.h"

#include "ui/text_codec.h"

#include <QInputDialog>
#include <QLabel>
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
    box.setTextFormat(Qt::PlainText); // texts carry user names: never markup
    box.exec();
}

bool QtDialogs::AskYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                         DefaultAnswer defaultAnswer)
{
    QMessageBox box(ToQtIcon(icon), ToQString(title), ToQString(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::AskText(std::string_view prompt, std::string_view title,
                                              std::string_view initial)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(ToQString(title));
    dialog.setLabelText(ToQString(prompt));
    dialog.setTextValue(ToQString(initial));
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FromQString(dialog.textValue());
}

std::optional<std::size_t> QtDialogs::AskChoice(std::string_view prompt, std::string_view title,
                                                const std::vector<std::string>& items,
                                                std::size_t current)
{
    QStringList names;
    for (const std::string& item : items)
        names.push_back(ToQString(item));
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(ToQString(title));
    dialog.setLabelText(ToQString(prompt));
    dialog.setComboBoxItems(names);
    dialog.setComboBoxEditable(false);
    if (current < items.size())
        dialog.setTextValue(names[static_cast<qsizetype>(current)]);
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const qsizetype picked = names.indexOf(dialog.textValue());
    if (picked < 0)
        return std::nullopt;
    return static_cast<std::size_t>(picked);
}

} // namespace tarvelo::ui
