#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
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

} // namespace tarvelo::ui
