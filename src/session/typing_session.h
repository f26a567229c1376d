#pragma once

#include "material/lesson_catalogue.h"
#include "material/lesson_guide.h"
#include "material/practice_text.h"
#include "platform/dialogs.h"
#include "platform/navigation_key.h"
#include "session/drill_lines.h"
#include "session/key_editor.h"
#include "session/material_files.h"
#include "session/material_lines.h"
#include "session/run_recorder.h"
#include "session/session_options.h"
#include "session/typing_engine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

class Beeper;
class SystemKeyboards;
class UtcClock;
struct ProgramState;

// What the session uses from the platform. The session asks its questions
// through `dialogs`; what it only tells comes back in a SessionReply, for the
// window to show when it is ready.
struct SessionPlatform
{
    Dialogs& dialogs;
    Beeper& beeper;
    SystemKeyboards& keyboards; // for "Match My Keyboard"
    const UtcClock& clock;      // the times of the history's runs
    std::uint64_t drillSeed = 0;
};

// A message box the window shows.
struct SessionMessage
{
    std::string text;
    std::string_view title;
    MessageIcon icon = MessageIcon::None;
};

// What the window does after the session took an input: refresh unless the
// input was ignored, write the held line-end rows once the keystroke is
// shown, tell the messages in order, then leave for the menu if asked.
struct SessionReply
{
    bool taken = true; // false: ignored (the window has left, or no such input now)
    bool writeHeld = false;
    bool leave = false;
    std::vector<SessionMessage> messages;
};

// The lesson, practice or drill session of the current user behind the
// session window: the practice text and lessons it types from, the typing
// engine, the history of its runs, the six options, the key edit box, its
// data files and its window placement. It runs the window's start and every
// input, and returns what the window must show instead of showing it.
class TypingSession
{
public:
    static constexpr std::string_view kLessonMode = "Lesson Mode";
    static constexpr std::string_view kPracticeMode = "Practice Mode";
    static constexpr std::string_view kDrillMode = "Drill Mode";
    static constexpr std::string_view kTitlePrefix = "Tarvelo - Welcome ";

    static constexpr std::string_view kFirstUseTitle = "Tarvelo - Relatively Important Message";
    static constexpr std::string_view kFirstUseText =
        "As this is your first time here, I would like to make a strong recommendation. \r\r"
        "Firstly, never use the Intelligent Detection. It is NOT standard, and therefore "
        "probably evil. Secondly, I recommend allowing backspacing while you take the lessons, "
        "but in Practice (Where you type full sentences) I think that backspace is better "
        "disabled. ";

    static constexpr std::string_view kMessageTitle = "Tarvelo";
    static constexpr std::string_view kNoSentences =
        "The practice text has no sentences to type. Open 'Edit Typing Text' from the main "
        "menu to add some.";
    static constexpr std::string_view kNoDrillLetters =
        "The practice text has no letters to drill. Open 'Edit Typing Text' from the main "
        "menu to add some.";
    static constexpr std::string_view kNoLessonLines =
        "The lessons file has no drill lines to type.";

    static constexpr std::string_view kDedicationPrompt = "Password?";
    static constexpr std::string_view kDedicationAnswer = "quartzfeatherlumens";
    static constexpr std::string_view kDedicationTitle = "My Dear Amarel";
    static constexpr std::string_view kDedicationText =
        "   Thank you for everything, Amarel. Thank you for letting me care for you, and thank "
        "you for caring for me.";

    TypingSession(ProgramState& state, SessionPlatform platform);
    // Writes what is still held.
    ~TypingSession();
    TypingSession(const TypingSession&) = delete;
    TypingSession& operator=(const TypingSession&) = delete;

    // The lesson introductions; none until set.
    void SetGuide(LessonGuide* guide) { m_guide.target = guide; }
    bool HasGuide() const { return m_guide.target != nullptr; }

    // The window opens: the options, the practice text, the lessons and in
    // drill mode the drills are read and the key captions set. Returns the
    // messages of the start: the first-use advice, missing or unreadable
    // files, the history's trouble.
    std::vector<SessionMessage> Start();

    // A key event of the window with its own timestamp (see RunRecorder).
    void KeyPressed(std::uint64_t eventMs, bool typesNothing);
    // A key-down of the focus box, before its character reaches TypeKey.
    SessionReply KeyDown(NavigationKey key);
    // A typed character; Escape works as an option key only.
    SessionReply TypeKey(int code);
    // The mouse button goes down on an option.
    SessionReply Press(SessionOption option);
    // A click on the expected or the typed line: Begin, when stopped.
    SessionReply PressTypingLine();
    // The line-end rows held for the keystroke's repaint are written.
    SessionReply WriteHeld();

    void HoverOption(SessionOption option) { m_options.HoverOption(option); }
    void HoverBackground() { m_options.HoverBackground(); }
    void HoverKey(int key) { m_options.HoverKey(key); }
    void StatsTick() { m_engine.StatsTick(); }
    void CaretTick() { m_engine.CaretTick(); }
    void FlashTick() { m_options.FlashTick(); }

    // In drills: asks for the target speed of the next lines.
    SessionReply ChooseTargetSpeed();
    // The pass phrase at the dedication label.
    SessionReply AskDedication();

    // The key edit box: opening it on a key that takes no symbol is refused.
    bool OpenKeyEdit(int key) { return m_keyEditor.Open(key); }
    // Closes an open box unchanged; false when it was not open.
    bool CloseKeyEdit();
    void KeyEditDown(KeyEditor::Modifiers modifiers) { m_keyEditor.KeyDown(modifiers); }
    void KeyEditUp(KeyEditor::Modifiers modifiers) { m_keyEditor.KeyUp(modifiers); }
    // A character for the open box (kOutsideCodePage: refused with a
    // message); not taken for a code the box does not use.
    SessionReply TypeIntoKeyEdit(int code);
    // Backspace or Delete in the box: the key loses its symbols.
    void ClearKeyEdit();
    // "Reset Keys" and "Match My Keyboard": true when the keys changed.
    bool ResetKeys();
    bool MatchKeyboard();
    // Whether the arrow keys may choose a key to edit now, and which key
    // the choice starts at (the next key to type, if any).
    bool KeyChoiceOpen() const;
    std::optional<int> FirstKeyToChoose() const;

    // Leaving for the main menu ends the run; false when the window has
    // already left. The window stores its own placement.
    bool LeaveForMenu();
    // The close box ends the program: the run so far is kept. False when the
    // window has already left.
    bool CloseProgram();
    bool Left() const { return m_left; }

    bool Drilling() const;
    std::string_view ModeLabel() const;
    std::string WindowTitle() const;
    // What stays on show while the settings file cannot be written; empty
    // once a write has worked again.
    std::string SaveNotice() const;

    const TypingEngine& Engine() const { return m_engine; }
    const SessionOptions& Options() const { return m_options; }
    const DrillLines& Drills() const { return m_drills; }
    const KeyEditor& KeyEdit() const { return m_keyEditor; }

private:
    // The guide the material lines see, set once the window has one.
    class GuideForwarder : public LessonGuide
    {
    public:
        void IntroduceLesson(LessonCatalogue& catalogue) override
        {
            if (target)
                target->IntroduceLesson(catalogue);
        }
        LessonGuide* target = nullptr;
    };

    enum class Outcome
    {
        None,
        Leave,
        NothingToType,
    };

    Outcome Activate();
    Outcome AfterEngine();
    // After a change of the keys: a running line marks its next key again.
    void KeysChanged();
    static SessionReply Ignored();
    // The reply to an input that was taken, with the history's notice.
    SessionReply Reply(Outcome outcome = Outcome::None);
    void AddHistoryNotice(std::vector<SessionMessage>& messages);
    std::string_view NothingToTypeMessage() const;

    ProgramState& m_state;
    Dialogs& m_dialogs;
    SystemKeyboards& m_keyboards;
    GuideForwarder m_guide;
    PracticeText m_practice;
    LessonCatalogue m_lessons;
    MaterialLines m_lines;
    DrillLines m_drills;
    TypingEngine m_engine;
    RunRecorder m_recorder;
    SessionOptions m_options;
    KeyEditor m_keyEditor;
    MaterialFiles m_material;
    bool m_left = false;
};

} // namespace tarvelo
