#pragma once

#include "state/window_placement.h"
#include "ui/picture_window.h"

#include <QSize>

namespace tarvelo {
struct ProgramState;
struct TimerState;
} // namespace tarvelo

namespace tarvelo::ui {

class LogicTimer;

// A window the main menu opens for an activity (a session, the game, the
// statistics, the editor): over the background picture, at the shared
// position with its own maximized flag. It leaves once, by leave() or by the
// close box, storing its placement as it goes.
class ActivityWindow : public PictureWindow
{
    Q_OBJECT

public:
    ActivityWindow(ProgramState& state, const settings::BooleanKey& maximizedKey,
                   QWidget* parent = nullptr);

    // Shows the window in front, with the keys.
    virtual void open();
    // Back to the menu (an option, Escape): stopping(false) runs, the
    // placement is stored as left, the window hides and leftToMenu follows.
    void leave();
    bool hasLeft() const { return m_left; }

signals:
    // After the window has stored its placement and hidden itself (queued,
    // so the menu may delete the window).
    void leftToMenu();

protected:
    // At the shared position with `preferred` size, maximized when it was
    // left so.
    void place(QSize preferred);
    // Follows the logic's timer state; a window that has left runs no timer.
    void follow(LogicTimer& timer, const TimerState& state) const;

    // Whether the close box may close the window; asked before it leaves.
    virtual bool mayClose() { return true; }
    // What the window stops as it leaves, before its placement is stored:
    // its timers, its logic's run.
    virtual void stopping(bool closed) { (void)closed; }
    // After the close box has stored the placement: back to the menu, unless
    // closing the window ends the program.
    virtual void closed() { tellMenu(); }
    void tellMenu();

    void closeEvent(QCloseEvent* event) override;

private:
    PlacementStore m_placement;
    bool m_left = false;
};

} // namespace tarvelo::ui
