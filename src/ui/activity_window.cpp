#include "ui/activity_window.h"

#include "state/program_state.h"
#include "state/timer_state.h"
#include "ui/logic_timer.h"
#include "ui/window_placement.h"

#include <QCloseEvent>

namespace tarvelo::ui {

ActivityWindow::ActivityWindow(ProgramState& state, const settings::BooleanKey& maximizedKey,
                               QWidget* parent)
    : PictureWindow(state.appFolder, parent), m_placement(state, maximizedKey)
{}

void ActivityWindow::open()
{
    show();
    raise();
    activateWindow();
}

void ActivityWindow::place(QSize preferred)
{
    PlaceWindow(*this, m_placement.State(), preferred, m_placement.OpensMaximized());
}

void ActivityWindow::follow(LogicTimer& timer, const TimerState& state) const
{
    timer.follow(m_left ? TimerState{} : state);
}

void ActivityWindow::leave()
{
    if (m_left)
        return;
    m_left = true;
    stopping(false);
    m_placement.StoreOnExit(PlacementOf(*this));
    hide();
    tellMenu();
}

void ActivityWindow::tellMenu()
{
    QMetaObject::invokeMethod(
        this, [this] { emit leftToMenu(); }, Qt::QueuedConnection);
}

void ActivityWindow::closeEvent(QCloseEvent* event)
{
    if (m_left) {
        event->accept();
        return;
    }
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    m_left = true;
    stopping(true);
    m_placement.StoreOnClose(PlacementOf(*this));
    closed();
}

} // namespace tarvelo::ui
