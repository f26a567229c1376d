#pragma once

#include <QMargins>
#include <QPoint>

class QWidget;

// The shared window position is kept in twips (1440 to the inch, 15 to a
// pixel at 96 dpi); windows convert with their screen's logical dpi.
namespace tarvelo::ui {

QPoint TwipsToPixels(int left, int top, const QWidget* widget);
// Rounded to whole twips, halves to even.
QPoint PixelsToTwips(QPoint pixels, const QWidget* widget);

// Whether the window system lets a program place its windows and tells
// their position. Wayland does neither: windows open where the compositor
// puts them, and no position it reports is stored.
bool CanPlaceWindows();

// Moves `window`'s frame to the shared position (in twips), kept on the
// screen that holds it, or the primary screen, so a stale position never
// hides it; a hidden window whose frame the window system forgot is placed
// by the frame it last had. Returns where the frame went, in pixels. Where
// windows cannot be placed, leaves the window and returns the position as
// if it had gone there.
QPoint PlaceAtTwips(QWidget* window, int left, int top);

// The window manager's frame around the last window whose frame was known
// (none before the first): what a window not yet shown will get.
QMargins KnownFrameMargins();

} // namespace tarvelo::ui
