#include "ui/window_placement.h"

#include "state/program_state.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tarvelo::ui {

void PlaceWindow(QWidget& window, const ProgramState& state, QSize preferred, bool maximized)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    window.resize(preferred.boundedTo(available.size() * 9 / 10));
    // The stored corner, kept on screen; also where a maximized window
    // returns to.
    PlaceAtTwips(&window, state.WindowLeft, state.WindowTop);
    if (maximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

WindowPlacement PlacementOf(const QWidget& window)
{
    // The frame's top-left: what PlaceAtTwips restores.
    const QPoint twips = PixelsToTwips(window.frameGeometry().topLeft(), &window);
    return {window.isMaximized(), window.isMinimized(), twips.x(), twips.y()};
}

} // namespace tarvelo::ui
