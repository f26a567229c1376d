#include "history/run_history.h"
#include "history/shared_history.h"
#include "platform/system_keyboards.h"
#include "profile/key_codes.h"
#include "profile/settings_keys.h"
#include "session/typing_session.h"
#include "support/fake_platform.h"
#include "support/practice_state.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <memory>
#include <tuple>
#include <unistd.h>

namespace tarvelo::test {
namespace {

class NoKeyboards : public SystemKeyboards
{
public:
    std::optional<SystemLayoutName> Current() override { return std::nullopt; }
    std::vector<SystemLayoutEntry> Available() override { return {}; }
    std::optional<SystemKeys> KeysOf(const SystemLayoutName&) override { return std::nullopt; }
};

// An installation whose practice text has the sentences "abc " and "defg ";
// each Open() is a fresh start of the session window.
class TypingSessionTest : public ::testing::Test
{
protected:
    TypingSessionTest()
    {
        for (const char* name : {"Tarvelo.INI", "Tarvelo Lessons.txt", "Tarvelo Letters.txt",
                                 "Tarvelo Lessonhelp.txt"})
            folder.CopyShipped(name);
        folder.Write(PracticeText::kFileName, DataFileText({"abc", "defg"}));
    }

    TypingSession& Open(RunMode mode = RunMode::Practice)
    {
        session.reset();
        state = std::make_unique<ProgramState>(folder.Path());
        ReadyForPractice(*state);
        state->user.TypeMode = mode;
        state->user.SessionNumber = sessionNumber;
        session = std::make_unique<TypingSession>(
            *state, SessionPlatform{dialogs, beeper, keyboards, clock, 1});
        session->SetGuide(&guide);
        started = session->Start();
        return *session;
    }
    // A setting of user 0 for the next Open().
    void Write(std::string_view key, std::string_view value) const
    {
        ProfileStore(folder.Path()).WriteProfile("user0", key, value);
    }
    std::string Stored(std::string_view key) const
    {
        return state->profile.ReadProfile(state->user.UserSection, key, "<absent>");
    }
    void Type(std::string_view keys)
    {
        for (const char c : keys)
            session->TypeKey(static_cast<unsigned char>(c));
    }
    // Navigation keys in their enum's order: U D L R, E Enter, X Escape.
    // Whether the last one leaves the window.
    bool Keys(std::string_view keys)
    {
        bool leave = false;
        for (const char key : keys)
            leave = session->KeyDown(NavigationKey(std::string_view("UDLREX").find(key))).leave;
        return leave;
    }
    const TypingEngine& Engine() const { return session->Engine(); }
    const SessionOptions& Options() const { return session->Options(); }
    // The toggles in effect: B backspace, S sound, A detection.
    std::string Toggles() const
    {
        const TypingOptions& o = Engine().Options();
        return std::string(o.backspace ? "B" : "-") + (o.beepOnError ? "S" : "-") +
               (o.detection ? "A" : "-");
    }

    TempFolder folder;
    std::unique_ptr<ProgramState> state;
    ScriptedDialogs dialogs;
    CountingBeeper beeper;
    NoKeyboards keyboards;
    SteppedUtcClock clock;
    RecordingGuide guide;
    std::int16_t sessionNumber = 3;
    std::unique_ptr<TypingSession> session;
    std::vector<SessionMessage> started;
};

// Up and Down from Begin (U, D); the options visited, as digits.
TEST_F(TypingSessionTest, SelectionWrapsAndSkipsBackspaceUnderAi)
{
    for (const auto& [ai, keys, visits] :
         {std::tuple{"False", "UUDDDDD", "5450123"}, std::tuple{"True", "UUUDDD", "532350"}}) {
        SCOPED_TRACE(ai);
        Write("intelligent", ai);
        Open();
        std::string visited;
        for (const char* key = keys; *key; ++key) {
            Keys(std::string_view(key, 1));
            visited += std::to_string(static_cast<int>(Options().SelectedOption()));
        }
        EXPECT_EQ(visited, visits);
    }
}

// Then Stop, Escape, Left and Right, Begin with nothing left to type, and
// leaving, after which no key is taken.
TEST_F(TypingSessionTest, KeysWorkTheSelectedOptionExceptEnterOnTheLastPosition)
{
    Open();
    EXPECT_FALSE(Keys("E"));
    EXPECT_EQ(Options().Caption(SessionOption::Begin), "Next");
    Type("a");
    Keys("E"); // Next: the line is skipped
    EXPECT_EQ(Engine().ExpectedText(), "defg ");
    Type("defg");
    Keys("E");
    EXPECT_EQ(Engine().ExpectedText(), "defg ") << "Enter at the last position activates nothing";
    EXPECT_TRUE(session->TypeKey(keycode::kEnter).writeHeld) << "its key press ends the line";
    EXPECT_EQ(Engine().ExpectedText(), "abc ");
    Keys("DE"); // Stop
    EXPECT_FALSE(Engine().Running());
    EXPECT_FALSE(Keys("UEX")) << "Escape stops the run";
    EXPECT_FALSE(Engine().Running());
    EXPECT_FALSE(Keys("L")) << "not on Main Menu";
    EXPECT_TRUE(Keys("X"));
    EXPECT_TRUE(Keys("DDL")); // Main Menu
    EXPECT_TRUE(Keys("R"));

    folder.Write(PracticeText::kFileName, DataFileText({}));
    Open();
    const SessionReply nothing = session->KeyDown(NavigationKey::Enter);
    ASSERT_EQ(nothing.messages.size(), 1u);
    EXPECT_EQ(nothing.messages[0].text, TypingSession::kNoSentences);
    EXPECT_FALSE(Engine().Running());

    EXPECT_TRUE(session->LeaveForMenu());
    EXPECT_FALSE(session->LeaveForMenu());
    EXPECT_FALSE(session->KeyDown(NavigationKey::Enter).taken);
    EXPECT_FALSE(session->TypeKey('a').taken);
}

// The toggles are read at the start and stored when switched, Backspace under
// each mode's own key and default. AI on disables Backspace, which comes back
// from the mode's key when AI is turned off; switching AI stops a run.
TEST_F(TypingSessionTest, TogglesAreReadAndStoredAndAiDisablesBackspace)
{
    for (const bool practice : {true, false}) {
        SCOPED_TRACE(practice ? "practice" : "lessons");
        Open(practice ? RunMode::Practice : RunMode::Lesson);
        EXPECT_EQ(Engine().Options().backspace, !practice) << "default";
        session->Press(SessionOption::Backspace);
        EXPECT_EQ(Engine().Options().backspace, practice);
        EXPECT_EQ(Stored("backspacef"), "True");
        EXPECT_EQ(Stored("backspacel"), practice ? "<absent>" : "False");
    }
    Write("beeponerror", "False");
    Open();
    EXPECT_EQ(Toggles(), "B--");
    session->Press(SessionOption::Sound);
    session->PressTypingLine();
    Type("a");
    session->Press(SessionOption::Detection);
    EXPECT_FALSE(Engine().Running());
    EXPECT_EQ(Stored("beeponerror"), "True");
    EXPECT_EQ(Stored("intelligent"), "True");
    Open();
    EXPECT_EQ(Toggles(), "-SA");
    EXPECT_EQ(Options().Caption(SessionOption::Backspace), "Backspace On");
    EXPECT_NE(Options().CaptionColour(SessionOption::Backspace),
              Options().CaptionColour(SessionOption::Sound));
    const SessionOption selected = Options().SelectedOption();
    session->Press(SessionOption::Backspace);
    EXPECT_EQ(Options().SelectedOption(), selected) << "cannot be clicked";
    session->Press(SessionOption::Detection);
    EXPECT_EQ(Toggles(), "BS-");
    EXPECT_EQ(Options().Caption(SessionOption::Detection), "AI Off");
    EXPECT_EQ(Stored("intelligent"), "False");
}

// The first-use advice, missing lesson files, a practice text too large to
// read (which Begin tells again).
TEST_F(TypingSessionTest, StartReturnsWhatTheUserMustBeTold)
{
    Open();
    EXPECT_TRUE(started.empty());
    sessionNumber = 0;
    Open();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].title, TypingSession::kFirstUseTitle);
    sessionNumber = 3;

    ASSERT_EQ(::unlink(folder.File("Tarvelo Letters.txt").c_str()), 0);
    Open(RunMode::Lesson);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_NE(started[0].text.find("\"Tarvelo Letters.txt\""), std::string::npos);

    const std::string path = folder.File(PracticeText::kFileName);
    ASSERT_EQ(::truncate(path.c_str(), PracticeText::kMaxFileBytes + 1), 0);
    Open();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_NE(started[0].text.find("larger than 16 MB"), std::string::npos);
    const SessionReply begun = session->KeyDown(NavigationKey::Enter);
    ASSERT_EQ(begun.messages.size(), 1u);
    EXPECT_EQ(begun.messages[0].text, started[0].text);
}

TEST_F(TypingSessionTest, DrillsAreRecordedAndTakeATargetSpeed)
{
    Open(RunMode::Drill);
    Keys("E");
    const std::string line = Engine().ExpectedText();
    Type(line);
    session->WriteHeld(); // once the window has shown the line's end
    const auto runs = state->history.Get().Runs(state->user.UserSection);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].mode, RunMode::Drill);
    EXPECT_EQ(runs[0].characters, static_cast<std::int32_t>(line.size()));
    EXPECT_FALSE(runs[0].layout.empty());

    dialogs.textAnswers = {std::string("60"), std::string("6")};
    EXPECT_TRUE(session->ChooseTargetSpeed().messages.empty());
    const SessionReply refused = session->ChooseTargetSpeed();
    ASSERT_EQ(refused.messages.size(), 1u);
    EXPECT_EQ(refused.messages[0].text, DrillLines::kTargetRefused);
    EXPECT_EQ(session->Drills().Target().Wpm(), 60);
    EXPECT_EQ(state->profile.Read(state->user.UserSection, settings::kTargetWpm), 60);
}

} // namespace
} // namespace tarvelo::test
