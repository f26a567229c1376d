#pragma once

#include <QPoint>

class QWidget;

// The shared window position is kept in twips (1440 to the inch, 15 to a
// pixel at 96 dpi); windows convert with their screen's logical dpi.
namespace tarvelo::ui {

QPoint TwipsToPixels(int left, int top, const QWidget* widget);
// Rounded to whole twips, halves to even.
QPoint PixelsToTwips(QPoint pixels, const QWidget* widget);

} // namespace tarvelo::ui
