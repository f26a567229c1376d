#pragma once

#include "session/typing_session.h"
#include "ui/activity_window.h"
#include "ui/qt_beeper.h"
#include "ui/qt_dialogs.h"
#include "ui/xkb_keyboards.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QEvent;
class QFrame;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tarvelo {

class Beeper;
class Dialogs;
class LessonHelpWindow;
struct ProgramState;

namespace ui {
class ClickableLabel;
class FocusBox;
class KeyboardView;
class LogicTimer;
class OptionFrame;
class SpeedBars;
class TypingLineView;
} // namespace ui

// The lesson, practice and drill session: the typing lines, the six options,
// the statistics panel and the on-screen keyboard, for the current user and
// mode; in drills also the open letters' speeds beside the typing lines.
class SessionWindow : public ui::ActivityWindow
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
        SystemKeyboards* keyboards = nullptr; // the system's layouts (libxkbcommon)
    };

    explicit SessionWindow(ProgramState& state, QWidget* parent = nullptr);
    SessionWindow(ProgramState& state, Services services, QWidget* parent = nullptr);
    ~SessionWindow() override;

protected:
    void stopping(bool closed) override;
    void closed() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QLayout* buildHeader();
    QLayout* buildOptionColumn();
    QWidget* buildStatsPanel();
    QWidget* buildTypingLines();
    QWidget* buildDrillPanel();
    void buildKeyboard();
    QLayout* buildFooter();
    void buildTimers();
    void placeWindow();
    void load();

    void keyDown(int key);
    void keyTyped(int code);
    // Applies the session's reply to an input: refresh, held writes,
    // messages, leaving.
    void apply(const SessionReply& reply);
    void tell(const std::vector<SessionMessage>& messages);
    void askTargetSpeed();
    void askDedication();
    void openKeyEdit(int key);
    bool keyEditEvent(QEvent* event);
    void typeIntoKeyEdit(int code);
    void afterKeyEdit();
    void placeKeyEdit();
    void afterLayoutChange(bool changed);

    void refresh();
    void refreshOptions();
    void refreshLines();
    void refreshDrill();
    void refreshKeyboard();
    void refreshCaptions();
    // What a screen reader is told: the option or the typing area that
    // stands for the focus, the next key after each keystroke and at the
    // start of each line.
    void refreshReader();
    void syncTimers();
    static void setText(QLabel* label, const QString& text);

    ProgramState& m_state;
    ui::QtDialogs m_ownDialogs;
    ui::QtBeeper m_ownBeeper;
    ui::XkbKeyboards m_ownKeyboards;
    Dialogs& m_dialogs;
    std::function<void()> m_endProgram;
    TypingSession m_session;
    LessonHelpWindow* m_helpWindow = nullptr;

    QLabel* m_titleLabel = nullptr;
    QLabel* m_modeLabel = nullptr;
    QLabel* m_infoLabel = nullptr;
    QLabel* m_saveNotice = nullptr;
    std::array<ui::OptionFrame*, SessionOptions::kOptionCount> m_optionFrames{};
    QLabel* m_llerrors = nullptr;
    QLabel* m_llpercent = nullptr;
    QLabel* m_llwpm = nullptr;
    QLabel* m_lterrors = nullptr;
    QLabel* m_ltpercent = nullptr;
    QLabel* m_ltwpm = nullptr;
    QLabel* m_lsentnum = nullptr;
    QLabel* m_lTimeSpent = nullptr;
    QFrame* m_focusShape = nullptr;
    bool m_focusShapeShown = true;
    ui::TypingLineView* m_expectedLine = nullptr;
    ui::TypingLineView* m_typedLine = nullptr;
    QWidget* m_drillPanel = nullptr;
    ui::ClickableLabel* m_drillTarget = nullptr;
    ui::SpeedBars* m_drillBars = nullptr;
    QLabel* m_drillChange = nullptr;
    std::string m_shownExpected;
    ui::KeyboardView* m_keyboard = nullptr;
    QLineEdit* m_keyEdit = nullptr;
    QPushButton* m_resetKeys = nullptr;
    QPushButton* m_matchKeyboard = nullptr;
    ui::ClickableLabel* m_dedicationLabel = nullptr;
    ui::FocusBox* m_focusBox = nullptr;

    std::optional<int> m_readerTyped;
    std::optional<SessionOption> m_readerOption;
    std::string m_readerLine;
    std::int32_t m_readerErrors = 0;

    ui::LogicTimer* m_statsTimer = nullptr;
    ui::LogicTimer* m_caretTimer = nullptr;
    ui::LogicTimer* m_flashTimer = nullptr;
    // Writes a line end's history row once the keystroke has been shown.
    QTimer* m_lineWriteTimer = nullptr;
};

} // namespace tarvelo
