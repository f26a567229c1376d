#include "ui/style.h"

#include "state/palette.h"
#include "ui/colours.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <optional>

namespace tarvelo::ui {
namespace {

const QColor kHeadingColour(0x20, 0x30, 0x50);
const QColor kPanelColour(255, 255, 255, 215);
const QColor kFocusColour(0x20, 0x60, 0xC0);

bool g_highContrast = false;
// The application's palette before the high-contrast one replaced it.
std::optional<QPalette> g_standardPalette;

QPalette HighContrastPalette()
{
    namespace hc = palette::high_contrast;
    const QColor ground = FromBgr(hc::kGround);
    const QColor text = FromBgr(hc::kText);
    QPalette colours(text, ground);
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button,
                            QPalette::AlternateBase, QPalette::ToolTipBase, QPalette::Light})
        colours.setColor(role, ground);
    for (const auto role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText,
          QPalette::BrightText, QPalette::Dark, QPalette::Shadow, QPalette::Mid})
        colours.setColor(role, text);
    colours.setColor(QPalette::Highlight, text);
    colours.setColor(QPalette::HighlightedText, ground);
    colours.setColor(QPalette::Link, FromBgr(hc::kHoverBorder));
    // Greyed text as the logic's greyed captions show.
    const QColor greyed = FromBgr(hc::Text(palette::kGreyCaption, hc::kGround));
    for (const auto role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText})
        colours.setColor(QPalette::Disabled, role, greyed);
    return colours;
}

} // namespace

void MakeHeading(QLabel* label, double scale)
{
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, GroundText(kHeadingColour));
    label->setPalette(palette);
}

void MakePanel(QWidget* widget)
{
    // Scoped to the object name, so the panel's children keep their own look.
    // In high contrast, a black outline marks the panel on the white ground.
    const QString look = HighContrast()
                             ? QString("background: white; border: 1px solid black;")
                             : QString("background: %1;").arg(kPanelColour.name(QColor::HexArgb));
    widget->setStyleSheet(
        QString("#%1 { %2 padding: 6px; border-radius: 4px; }").arg(widget->objectName(), look));
}

void ShowFocusFrame(QWidget* frame, bool shown)
{
    const QColor colour = HighContrast() ? Qt::black : kFocusColour;
    frame->setStyleSheet(QString("#%1 { border: %2px solid %3; }")
                             .arg(frame->objectName())
                             .arg(BorderWidth())
                             .arg(shown ? colour.name() : QString("transparent")));
}

int BorderWidth()
{
    return HighContrast() ? 3 : 2;
}

bool HighContrast()
{
    return g_highContrast;
}

void SetHighContrast(bool on)
{
    if (on == g_highContrast)
        return;
    g_highContrast = on;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    if (on) {
        g_standardPalette = QApplication::palette();
        QApplication::setPalette(HighContrastPalette());
    } else if (g_standardPalette) {
        QApplication::setPalette(*g_standardPalette);
    }
}

QColor ShownFill(std::int32_t fill)
{
    return FromBgr(g_highContrast ? palette::high_contrast::Fill(fill) : fill);
}

QColor ShownBorder(std::int32_t border)
{
    return FromBgr(g_highContrast ? palette::high_contrast::Border(border) : border);
}

QColor ShownText(std::int32_t text)
{
    namespace hc = palette::high_contrast;
    return FromBgr(g_highContrast ? hc::Text(text, hc::kGround) : text);
}

QColor GroundText(QColor standard)
{
    return g_highContrast ? FromBgr(palette::high_contrast::kText) : standard;
}

} // namespace tarvelo::ui
