#include "ui/qt_dialogs.h"

#include "ui/text_codec.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <chrono>

namespace tarvelo::ui {
namespace {

// Swallows the key events meant for `box` (or its buttons) until the guard
// time has passed since it was made.
class KeyGuard : public QObject
{
public:
    KeyGuard(QWidget& box, const QtDialogs::Clock& clock)
        : m_box(box), m_clock(clock), m_until(clock() + QtDialogs::kKeyGuardMs)
    {
        qApp->installEventFilter(this);
    }
    ~KeyGuard() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
            break;
        default:
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool forBox = widget && (widget == &m_box || m_box.isAncestorOf(widget));
        return forBox && m_clock() < m_until;
    }

private:
    QWidget& m_box;
    const QtDialogs::Clock& m_clock;
    std::int64_t m_until;
};

std::int64_t SteadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

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

QtDialogs::QtDialogs(QWidget* parent, Clock clock)
    : m_parent(parent), m_clock(clock ? std::move(clock) : Clock(SteadyMilliseconds))
{}

void QtDialogs::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    QMessageBox box(ToQtIcon(icon), ToQString(title), ToQString(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText); // texts carry user names: never markup
    const KeyGuard guard(box, m_clock);
    box.exec();
}

bool QtDialogs::AskYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                         DefaultAnswer defaultAnswer)
{
    QMessageBox box(ToQtIcon(icon), ToQString(title), ToQString(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    const KeyGuard guard(box, m_clock);
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

QString QtDialogs::AskSaveFile(const QString& title, const QString& suggested,
                               const QString& filter)
{
    return QFileDialog::getSaveFileName(m_parent, title, suggested, filter);
}

} // namespace tarvelo::ui
