#pragma once

#include "ui/picture_window.h"

#include <memory>

namespace tarvelo {

class Beeper;
class Dialogs;
class LessonGuide;
struct ProgramState;

// The lesson and practice session: the typing lines, the six options, the
// statistics panel and the on-screen keyboard.
class SessionWindow : public ui::PictureWindow
{
    Q_OBJECT

public:
    explicit SessionWindow(ProgramState& state, QWidget* parent = nullptr);
    // For tests: the dialogs, the beeper and the lesson guide to use (null
    // keeps the window's own).
    SessionWindow(ProgramState& state, Dialogs* dialogs, Beeper* beeper, LessonGuide* guide,
                  QWidget* parent = nullptr);
    ~SessionWindow() override;

signals:
    // After ExitToMenu has stored its values; the menu shows itself and
    // deletes this window.
    void leftToMenu();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarvelo
