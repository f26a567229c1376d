#include "windows/editor/language_help_window.h"

#include "editor/language_help.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace tarvelo {

LanguageHelpWindow::LanguageHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Language");
    setWindowTitle(ui::ToQString(kLanguageHelpTitle));
    auto* text = new QPlainTextEdit(this);
    text->setObjectName("txtHelp");
    text->setReadOnly(true);
    text->setPlainText(ui::ToQString(LanguageHelpText()).replace("\r\n", "\n"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(text);
    ui::ResizeWithin(*this, QSize(420, 480));
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
}

void LanguageHelpWindow::showBeside(const QWidget& beside)
{
    const QRect frame = beside.frameGeometry();
    const QScreen* screen = beside.screen() ? beside.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    int x = frame.right() + 8;
    if (x + width() > available.right())
        x = std::max(available.left(), frame.left() - width() - 8);
    move(x, std::clamp(frame.top(), available.top(),
                       std::max(available.top(), available.bottom() - height())));
    show();
    raise();
}

} // namespace tarvelo
