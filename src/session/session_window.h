#pragma once

#include "ui/picture_window.h"

#include <functional>
#include <memory>

namespace tarvelo {

class Beeper;
class Dialogs;
class LessonGuide;
struct ProgramState;

// The lesson and practice session: the typing lines, the six options, the
// statistics panel and the on-screen keyboard, for the current user and mode.
class SessionWindow : public ui::PictureWindow
{
    Q_OBJECT

public:
    // What the window uses besides the program state; a null or empty member
    // keeps the window's own (Qt dialogs, the system beep, the lesson
    // guidance window, ending the application).
    struct Services
    {
        Dialogs* dialogs = nullptr;
        Beeper* beeper = nullptr;
        LessonGuide* guide = nullptr;
        std::function<void()> endProgram;
    };

    explicit SessionWindow(ProgramState& state, QWidget* parent = nullptr);
    SessionWindow(ProgramState& state, Services services, QWidget* parent = nullptr);
    ~SessionWindow() override;

signals:
    // After ExitToMenu has stored its values and hidden the window (queued, so
    // the receiver may delete the window); the menu shows itself.
    void leftToMenu();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarvelo
