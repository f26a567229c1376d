#include "profile/key_codes.h"
#include "session/session_fixture.h"
#include "session/session_options.h"
#include "session/typing_engine.h"
#include "state/program_state.h"
#include "state/window_placement.h"

#include <sstream>
#include <vector>

namespace tarvelo {
namespace {

using keycode::kBackspace;
using keycode::kEnter;

class SessionOptionsTest : public test::SessionFixture
{
protected:
    SessionOptionsTest() : SessionFixture({"abc ", "defg "}) {}

    void Open(bool practice = true)
    {
        user.TypeMode = practice ? CurrentUser::kPractice : CurrentUser::kLessons;
        options.Load();
    }
    void Write(std::string_view key, std::string_view value)
    {
        profile.WriteProfile(user.UserSection, key, value);
    }
    std::string Stored(std::string_view key) const
    {
        return profile.ReadProfile(user.UserSection, key, "<absent>");
    }
    // Selects `option` with the Down key from option 0.
    void Select(SessionOption option)
    {
        while (options.SelectedOption() != option)
            options.KeyDown(OptionKey::Down);
    }

    SessionOptions options{profile, user, engine};
};

// --- Selection ----------------------------------------------------------------

struct MoveCase
{
    const char* name;
    bool ai;
    int from;
    std::vector<OptionKey> keys;
    std::vector<int> visited;
};

class SessionSelectionMoves : public SessionOptionsTest,
                              public ::testing::WithParamInterface<MoveCase>
{};

std::string Describe(const std::vector<int>& options)
{
    std::ostringstream text;
    for (int option : options)
        text << option << ' ';
    return text.str();
}

TEST_P(SessionSelectionMoves, VisitTheExpectedOptions)
{
    const MoveCase& c = GetParam();
    Write("intelligent", c.ai ? "True" : "False");
    Open();
    Select(static_cast<SessionOption>(c.from));
    std::vector<int> visited;
    for (OptionKey key : c.keys) {
        EXPECT_EQ(options.KeyDown(key), OptionOutcome::None);
        visited.push_back(static_cast<int>(options.SelectedOption()));
    }
    EXPECT_EQ(visited, c.visited) << "expected " << Describe(c.visited) << "got "
                                  << Describe(visited);
    EXPECT_EQ(options.Hint(), SessionOptions::KeyboardHint(options.SelectedOption()));
}

const OptionKey Up = OptionKey::Up;
const OptionKey Down = OptionKey::Down;

INSTANTIATE_TEST_SUITE_P(
    Wraps, SessionSelectionMoves,
    ::testing::Values(MoveCase{"UpFromBeginWrapsToSound", false, 0, {Up, Up}, {5, 4}},
                      MoveCase{"DownFromSoundWrapsToBegin", false, 5, {Down, Down}, {0, 1}},
                      MoveCase{"AiOffVisitsBackspace", false, 3, {Down, Up}, {4, 3}},
                      MoveCase{"AiOnDownSkipsBackspace", true, 3, {Down, Down}, {5, 0}},
                      MoveCase{"AiOnUpSkipsBackspace", true, 5, {Up, Up}, {3, 2}},
                      MoveCase{"AiOnUpWrapsFromBegin", true, 0, {Up, Up}, {5, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionOptionsTest, MovingTheSelectionRecoloursOldAndNewIndicators)
{
    Open();
    EXPECT_EQ(options.Fill(SessionOption::Begin), SessionOptions::kBeginFill)
        << "option 0 opens light green";
    EXPECT_EQ(options.Fill(SessionOption::Stop), SessionOptions::kFill);
    options.KeyDown(OptionKey::Down);
    EXPECT_EQ(options.Fill(SessionOption::Begin), SessionOptions::kBeginFill);
    EXPECT_EQ(options.Fill(SessionOption::Stop), SessionOptions::kSelectedFill);
    options.KeyDown(OptionKey::Up);
    EXPECT_EQ(options.Fill(SessionOption::Begin), SessionOptions::kSelectedBeginFill);
    EXPECT_EQ(options.Fill(SessionOption::Stop), SessionOptions::kFill);
}

// --- Enter, Escape, Left, Right --------------------------------------------------

TEST_F(SessionOptionsTest, EnterWhileStoppedActivatesTheSelectedOption)
{
    Open();
    EXPECT_EQ(options.KeyDown(OptionKey::Enter), OptionOutcome::None);
    EXPECT_TRUE(engine.Running());
    EXPECT_EQ(options.Caption(SessionOption::Begin), "Next");
    EXPECT_EQ(engine.ExpectedText(), "abc ");
    // Its key press then reaches a line at position 1 and is ignored.
    options.TypeKey(kEnter);
    EXPECT_EQ(engine.Line().KeyCount, 0);
}

TEST_F(SessionOptionsTest, EnterMidLineActivatesButOnTheLastPositionIsLeftToTheKeyPress)
{
    Open();
    options.KeyDown(OptionKey::Enter);
    Type("a");
    options.KeyDown(OptionKey::Enter); // Next: the line is skipped
    EXPECT_EQ(engine.ExpectedText(), "defg ");
    EXPECT_EQ(lines.handedOut, 2);

    Type("defg");
    ASSERT_EQ(engine.Line().SentencePosition, engine.Line().LineLength);
    options.KeyDown(OptionKey::Enter);
    EXPECT_EQ(lines.handedOut, 2) << "Enter at the last position activates nothing";
    options.TypeKey(kEnter);
    EXPECT_EQ(lines.handedOut, 3) << "its key press finishes the line";
    EXPECT_EQ(engine.Stats().Panel().llerrors, "0");
}

TEST_F(SessionOptionsTest, EnterOnStopStopsTheRun)
{
    Open();
    options.KeyDown(OptionKey::Enter);
    options.KeyDown(OptionKey::Down);
    options.KeyDown(OptionKey::Enter);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(options.Caption(SessionOption::Begin), "Begin");
}

TEST_F(SessionOptionsTest, EscapeStopsARunAndLeavesWhenStopped)
{
    Open();
    options.KeyDown(OptionKey::Enter);
    EXPECT_EQ(options.KeyDown(OptionKey::Escape), OptionOutcome::None);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(options.KeyDown(OptionKey::Escape), OptionOutcome::ExitToMenu);
}

TEST_F(SessionOptionsTest, LeftLeavesOnlyFromMainMenuAndRightActivates)
{
    Open();
    EXPECT_EQ(options.KeyDown(OptionKey::Left), OptionOutcome::None);
    Select(SessionOption::MainMenu);
    EXPECT_EQ(options.KeyDown(OptionKey::Left), OptionOutcome::ExitToMenu);
    EXPECT_EQ(options.KeyDown(OptionKey::Right), OptionOutcome::ExitToMenu);
    EXPECT_EQ(options.KeyDown(OptionKey::Other), OptionOutcome::None);
    EXPECT_EQ(options.Hint(), SessionOptions::KeyboardHint(SessionOption::MainMenu));
}

// --- Toggles ---------------------------------------------------------------------

TEST_F(SessionOptionsTest, LoadReadsTheTogglesOfTheUsersSection)
{
    Write("backspacef", "True");
    Write("beeponerror", "False");
    Open();
    EXPECT_TRUE(engine.Options().backspace);
    EXPECT_FALSE(engine.Options().beepOnError);
    EXPECT_FALSE(engine.Options().detection);
    EXPECT_EQ(options.Caption(SessionOption::Detection), "AI Off");
    EXPECT_EQ(options.Caption(SessionOption::Backspace), "Backspace On");
    EXPECT_EQ(options.Caption(SessionOption::Sound), "Sound Off");
    EXPECT_EQ(options.ModeLabel(), "Practice Mode");
    EXPECT_EQ(options.Hint(), SessionOptions::KeyboardHint(SessionOption::Begin));
}

TEST_F(SessionOptionsTest, BackspaceToggleWritesTheKeyOfTheModeOnly)
{
    Open(/*practice=*/true);
    Select(SessionOption::Backspace);
    EXPECT_FALSE(engine.Options().backspace) << "practice default";
    options.KeyDown(OptionKey::Right);
    EXPECT_TRUE(engine.Options().backspace);
    EXPECT_EQ(options.Caption(SessionOption::Backspace), "Backspace On");
    EXPECT_EQ(Stored("backspacef"), "True");
    EXPECT_EQ(Stored("backspacel"), "<absent>");

    options.KeyDown(OptionKey::Right);
    EXPECT_EQ(Stored("backspacef"), "False");
    EXPECT_EQ(Stored("backspacel"), "<absent>") << "the lesson setting is left alone";
}

TEST_F(SessionOptionsTest, BackspaceToggleInLessonsWritesTheLessonKey)
{
    Open(/*practice=*/false);
    EXPECT_EQ(options.ModeLabel(), "Lesson Mode");
    EXPECT_TRUE(engine.Options().backspace) << "lesson default";
    Select(SessionOption::Backspace);
    options.KeyDown(OptionKey::Right);
    EXPECT_EQ(Stored("backspacel"), "False");
    EXPECT_EQ(Stored("backspacef"), "<absent>");
}

TEST_F(SessionOptionsTest, SoundAndAiTogglesWriteTheirKeys)
{
    Open();
    EXPECT_EQ(options.Press(SessionOption::Sound), OptionOutcome::None);
    EXPECT_FALSE(engine.Options().beepOnError);
    EXPECT_EQ(options.Caption(SessionOption::Sound), "Sound Off");
    EXPECT_EQ(Stored("beeponerror"), "False");

    options.Press(SessionOption::Detection);
    EXPECT_TRUE(engine.Options().detection);
    EXPECT_EQ(options.Caption(SessionOption::Detection), "AI On");
    EXPECT_EQ(options.CaptionColour(SessionOption::Backspace), SessionOptions::kGreyCaption);
    EXPECT_EQ(Stored("intelligent"), "True");
}

TEST_F(SessionOptionsTest, AiOnAtLoadDisablesBackspaceButKeepsItsCaption)
{
    Write("intelligent", "True");
    Write("backspacef", "True");
    Open();
    EXPECT_TRUE(engine.Options().detection);
    EXPECT_FALSE(engine.Options().backspace);
    EXPECT_EQ(options.Caption(SessionOption::Backspace), "Backspace On");
    EXPECT_EQ(options.CaptionColour(SessionOption::Backspace), SessionOptions::kGreyCaption);
}

TEST_F(SessionOptionsTest, TurningAiOffRestoresBackspaceFromTheCurrentModesKey)
{
    Write("intelligent", "True");
    Write("backspacef", "True");
    Write("backspacel", "False");
    Open(/*practice=*/true);
    options.Press(SessionOption::Detection);
    EXPECT_FALSE(engine.Options().detection);
    EXPECT_TRUE(engine.Options().backspace) << "from backspacef, not backspacel";
    EXPECT_EQ(options.CaptionColour(SessionOption::Backspace), SessionOptions::kCaptionColour);
    EXPECT_EQ(options.Caption(SessionOption::Detection), "AI Off");
    EXPECT_EQ(Stored("intelligent"), "False");
}

TEST_F(SessionOptionsTest, BackspaceCannotBeClickedWhileAiIsOn)
{
    Write("intelligent", "True");
    Open();
    EXPECT_EQ(options.Press(SessionOption::Backspace), OptionOutcome::None);
    EXPECT_EQ(options.SelectedOption(), SessionOption::Begin);
    EXPECT_EQ(Stored("backspacef"), "<absent>");
}

TEST_F(SessionOptionsTest, TogglingAiStopsARunningRun)
{
    for (bool aiAtStart : {false, true}) {
        SCOPED_TRACE(aiAtStart ? "AI on at start" : "AI off at start");
        Write("intelligent", aiAtStart ? "True" : "False");
        Open();
        options.KeyDown(OptionKey::Enter);
        Type("a");
        ASSERT_TRUE(engine.Running());
        options.Press(SessionOption::Detection);
        EXPECT_FALSE(engine.Running());
        EXPECT_EQ(engine.Options().detection, !aiAtStart);
        EXPECT_EQ(options.Caption(SessionOption::Begin), "Begin");
    }
}

// --- Mouse -----------------------------------------------------------------------

TEST_F(SessionOptionsTest, HoverMarksOneBorderAndTheBackgroundRestoresIt)
{
    Open();
    options.HoverOption(SessionOption::MainMenu);
    EXPECT_EQ(options.Border(SessionOption::MainMenu), SessionOptions::kHoverBorder);
    EXPECT_EQ(options.Hint(), SessionOptions::MouseHint(SessionOption::MainMenu));
    options.HoverOption(SessionOption::Detection);
    EXPECT_EQ(options.Border(SessionOption::MainMenu), SessionOptions::kBorder);
    EXPECT_EQ(options.Border(SessionOption::Detection), SessionOptions::kHoverBorder);
    EXPECT_EQ(options.HoveredOption(), SessionOption::Detection);
    options.HoverKey(11);
    EXPECT_EQ(options.HoveredKey(), 11);

    options.HoverBackground();
    EXPECT_EQ(options.Border(SessionOption::Detection), SessionOptions::kBorder);
    EXPECT_FALSE(options.HoveredOption());
    EXPECT_FALSE(options.HoveredKey());
    EXPECT_EQ(options.Hint(), SessionOptions::KeyboardHint(SessionOption::Begin));
}

TEST_F(SessionOptionsTest, ClickingATypingLineBeginsOnlyWhenStopped)
{
    Open();
    Select(SessionOption::Sound);
    options.PressTypingLine();
    EXPECT_TRUE(engine.Running());
    EXPECT_EQ(options.SelectedOption(), SessionOption::Begin);
    Type("a");
    options.PressTypingLine();
    EXPECT_EQ(engine.Line().SentencePosition, 2) << "a running line is not skipped";
}

// --- Engine feedback -------------------------------------------------------------

TEST_F(SessionOptionsTest, RefusedBackspaceFlashesRedUntilTheFlashTick)
{
    Open(); // practice: Backspace off
    options.KeyDown(OptionKey::Enter);
    Type("a");
    options.TypeKey(kBackspace);
    EXPECT_EQ(options.Fill(SessionOption::Backspace), SessionOptions::kFlashFill);
    EXPECT_EQ(options.Fill(SessionOption::Detection), SessionOptions::kFill)
        << "only the Backspace indicator";
    options.FlashTick();
    EXPECT_EQ(options.Fill(SessionOption::Detection), SessionOptions::kAfterFlashFill);
    EXPECT_EQ(options.Fill(SessionOption::Backspace), SessionOptions::kAfterFlashFill);
    EXPECT_FALSE(options.FlashTimer().enabled);
}

TEST_F(SessionOptionsTest, BackspaceUnderAiFlashesBothIndicators)
{
    Write("intelligent", "True");
    Open();
    options.KeyDown(OptionKey::Enter);
    Type("a");
    options.TypeKey(kBackspace);
    EXPECT_EQ(options.Fill(SessionOption::Detection), SessionOptions::kFlashFill);
    EXPECT_EQ(options.Fill(SessionOption::Backspace), SessionOptions::kFlashFill);
}

class SessionEmptyMaterialTest : public test::SessionFixture
{
protected:
    SessionEmptyMaterialTest() : SessionFixture({}) {}
    SessionOptions options{profile, user, engine};
};

TEST_F(SessionEmptyMaterialTest, BeginWithNothingToTypeStopsAndSaysSo)
{
    options.Load();
    EXPECT_EQ(options.KeyDown(OptionKey::Enter), OptionOutcome::NothingToType);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(options.Caption(SessionOption::Begin), "Begin");
    EXPECT_EQ(options.NothingToTypeMessage(), SessionOptions::kNoSentences);
}

// --- Window placement ------------------------------------------------------------

class SessionPlacementTest : public ::testing::Test
{
protected:
    std::string Users(std::string_view key) const
    {
        return state.profile.ReadProfile("users", key, "<absent>");
    }

    test::TempFolder folder;
    ProgramState state{folder.Path()};
};

TEST_F(SessionPlacementTest, MaximizedStoresOnlyTheFlag)
{
    PlacementStore(state, settings::kMainMaximized)
        .StoreOnExit({.maximized = true, .leftTwips = 15, .topTwips = 30});
    EXPECT_EQ(Users("mainmaximized"), "True");
    EXPECT_EQ(Users("top"), "<absent>");
    EXPECT_EQ(state.WindowTop, 1035);
    EXPECT_TRUE(PlacementStore(state, settings::kMainMaximized).OpensMaximized());
}

TEST_F(SessionPlacementTest, NormalStoresThePositionAndClearsTheFlag)
{
    PlacementStore(state, settings::kMainMaximized).StoreOnExit({.maximized = true});
    PlacementStore(state, settings::kMainMaximized)
        .StoreOnExit({.leftTwips = 1500, .topTwips = 900});
    EXPECT_EQ(Users("left"), "1500");
    EXPECT_EQ(Users("top"), "900");
    EXPECT_EQ(Users("mainmaximized"), "False");
    EXPECT_EQ(state.WindowLeft, 1500);
    EXPECT_EQ(state.WindowTop, 900);
    EXPECT_FALSE(PlacementStore(state, settings::kMainMaximized).OpensMaximized());
}

TEST_F(SessionPlacementTest, CloseBoxOnAMinimizedWindowStoresNothing)
{
    PlacementStore(state, settings::kMainMaximized)
        .StoreOnClose({.minimized = true, .leftTwips = 1500, .topTwips = 900});
    EXPECT_EQ(Users("left"), "<absent>");
    EXPECT_EQ(Users("mainmaximized"), "<absent>");
    PlacementStore(state, settings::kMainMaximized)
        .StoreOnClose({.leftTwips = 1500, .topTwips = 900});
    EXPECT_EQ(Users("left"), "1500");
}

TEST(SessionTexts, TitleAndDedication)
{
    CurrentUser user;
    user.UserName = "Ann";
    EXPECT_EQ(SessionWindowTitle(user), "Tarvelo - Welcome Ann");
    EXPECT_TRUE(IsDedicationAnswer("quartzfeatherlumens"));
    EXPECT_FALSE(IsDedicationAnswer("Quartzfeatherlumens"));
    EXPECT_FALSE(IsDedicationAnswer("quartzfeatherlumens "));
    EXPECT_NE(SessionOptions::kFirstUseText.find(". \r\rFirstly"), std::string_view::npos);
}

} // namespace
} // namespace tarvelo
