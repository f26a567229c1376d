#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tarvelo::ui {
namespace {

double LogicalDpi(const QWidget* widget)
{
    const QScreen* screen =
        widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

QPoint TwipsToPixels(int left, int top, const QWidget* widget)
{
    const double perTwip = LogicalDpi(widget) / 1440.0;
    return {static_cast<int>(std::lround(left * perTwip)),
            static_cast<int>(std::lround(top * perTwip))};
}

QPoint PixelsToTwips(QPoint pixels, const QWidget* widget)
{
    const double twipsPerPixel = 1440.0 / LogicalDpi(widget);
    return {static_cast<int>(std::nearbyint(pixels.x() * twipsPerPixel)),
            static_cast<int>(std::nearbyint(pixels.y() * twipsPerPixel))};
}

QPoint PlaceAtTwips(QWidget* window, int left, int top)
{
    const QPoint wanted = TwipsToPixels(left, top, window);
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    QPoint placed = wanted;
    if (screen) {
        const QRect area = screen->availableGeometry();
        const QSize size = window->frameGeometry().size();
        placed.setX(std::clamp(wanted.x(), area.left(),
                               std::max(area.left(), area.right() + 1 - size.width())));
        placed.setY(std::clamp(wanted.y(), area.top(),
                               std::max(area.top(), area.bottom() + 1 - size.height())));
    }
    window->move(placed);
    return placed;
}

} // namespace tarvelo::ui
