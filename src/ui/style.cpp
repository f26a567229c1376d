#include "ui/style.h"

#include <QLabel>
#include <QWidget>

namespace tarvelo::ui {
namespace {

const QColor kHeadingColour(0x20, 0x30, 0x50);
const QColor kPanelColour(255, 255, 255, 215);
const QColor kFocusColour(0x20, 0x60, 0xC0);

} // namespace

void MakeHeading(QLabel* label, double scale)
{
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kHeadingColour);
    label->setPalette(palette);
}

void MakePanel(QWidget* widget)
{
    // Scoped to the object name, so the panel's children keep their own look.
    widget->setStyleSheet(QString("#%1 { background: %2; padding: 6px; border-radius: 4px; }")
                              .arg(widget->objectName(), kPanelColour.name(QColor::HexArgb)));
}

void ShowFocusFrame(QWidget* frame, bool shown)
{
    frame->setStyleSheet(
        QString("#%1 { border: 2px solid %2; }")
            .arg(frame->objectName(), shown ? kFocusColour.name() : QString("transparent")));
}

} // namespace tarvelo::ui
