#pragma once

#include "state/window_placement.h"

#include <QPoint>
#include <QSize>

class QWidget;

namespace tarvelo::ui {

// Every window of an activity, and the menu, opens at the shared position,
// kept on screen, with `preferred` size (shrunk to fit the screen; invalid:
// the size it has), maximized when it was left maximized.
void PlaceWindow(QWidget& window, const ProgramState& state, QSize preferred = {},
                 bool maximized = false);

// A window that belongs to another (a modal one, the guidance) opens over
// `owner`'s top-left corner moved by `offset`, kept on screen.
void PlaceOver(QWidget& window, const QWidget& owner, QPoint offset = {});
// A window that asks something of its owner's user (a name, a donation)
// opens centred over `owner`'s window, or the screen without one, kept on
// screen.
void CentreOver(QWidget& window, const QWidget* owner);

// Gives `window` the `preferred` size where its screen's available area
// holds it with its frame; on a smaller screen as much as the area holds,
// never less than what its layout needs.
void ResizeWithin(QWidget& window, QSize preferred);

// Where the window is, as the logic stores it: the position it opened for
// until the user moves it (not what keeping it on screen made of it).
WindowPlacement PlacementOf(const QWidget& window);

} // namespace tarvelo::ui
