#include "profile/key_codes.h"
#include "session/session_fixture.h"
#include "session/session_options.h"
#include "session/typing_engine.h"
#include "state/program_state.h"
#include "state/window_placement.h"

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
    EXPECT_EQ(visited, c.visited);
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

// The old indicator gets its own fill back; Begin keeps its light green.
TEST_F(SessionOptionsTest, MovingTheSelectionRecoloursOldAndNewIndicators)
{
    Open();
    const std::int32_t stop = options.Fill(SessionOption::Stop);
    const std::int32_t begin = options.Fill(SessionOption::Begin);
    EXPECT_NE(begin, stop);
    options.KeyDown(OptionKey::Down);
    EXPECT_EQ(options.Fill(SessionOption::Begin), begin);
    EXPECT_NE(options.Fill(SessionOption::Stop), stop);
    options.KeyDown(OptionKey::Up);
    EXPECT_EQ(options.Fill(SessionOption::Stop), stop);
    EXPECT_NE(options.Fill(SessionOption::Begin), begin) << "selected Begin";
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

TEST_F(SessionOptionsTest, StopEscapeLeftAndRight)
{
    Open();
    options.KeyDown(OptionKey::Enter);
    options.KeyDown(OptionKey::Down);
    options.KeyDown(OptionKey::Enter); // Stop
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(options.Caption(SessionOption::Begin), "Begin");

    options.KeyDown(OptionKey::Up);
    options.KeyDown(OptionKey::Enter);
    EXPECT_EQ(options.KeyDown(OptionKey::Escape), OptionOutcome::None) << "stops the run";
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(options.KeyDown(OptionKey::Left), OptionOutcome::None) << "not on Main Menu";
    EXPECT_EQ(options.KeyDown(OptionKey::Escape), OptionOutcome::ExitToMenu);
    Select(SessionOption::MainMenu);
    EXPECT_EQ(options.KeyDown(OptionKey::Left), OptionOutcome::ExitToMenu);
    EXPECT_EQ(options.KeyDown(OptionKey::Right), OptionOutcome::ExitToMenu);
    EXPECT_EQ(options.KeyDown(OptionKey::Other), OptionOutcome::None);
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
    const std::int32_t ownColour = options.CaptionColour(SessionOption::Backspace);
    EXPECT_EQ(options.Press(SessionOption::Sound), OptionOutcome::None);
    EXPECT_FALSE(engine.Options().beepOnError);
    EXPECT_EQ(options.Caption(SessionOption::Sound), "Sound Off");
    EXPECT_EQ(Stored("beeponerror"), "False");

    options.Press(SessionOption::Detection);
    EXPECT_TRUE(engine.Options().detection);
    EXPECT_EQ(options.Caption(SessionOption::Detection), "AI On");
    EXPECT_NE(options.CaptionColour(SessionOption::Backspace), ownColour) << "greyed";
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
    EXPECT_NE(options.CaptionColour(SessionOption::Backspace),
              options.CaptionColour(SessionOption::Sound))
        << "greyed";
    EXPECT_EQ(options.Press(SessionOption::Backspace), OptionOutcome::None);
    EXPECT_EQ(options.SelectedOption(), SessionOption::Begin) << "cannot be clicked";
    EXPECT_EQ(Stored("backspacef"), "True");
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
    EXPECT_EQ(options.CaptionColour(SessionOption::Backspace),
              options.CaptionColour(SessionOption::Sound));
    EXPECT_EQ(Stored("intelligent"), "False");
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
    const std::int32_t plain = options.Border(SessionOption::MainMenu);
    const std::string keyboardHint = options.Hint();
    options.HoverOption(SessionOption::MainMenu);
    EXPECT_NE(options.Border(SessionOption::MainMenu), plain);
    EXPECT_NE(options.Hint(), keyboardHint);
    options.HoverOption(SessionOption::Detection);
    EXPECT_EQ(options.Border(SessionOption::MainMenu), plain);
    EXPECT_NE(options.Border(SessionOption::Detection), plain);
    EXPECT_EQ(options.HoveredOption(), SessionOption::Detection);
    options.HoverKey(11);
    EXPECT_EQ(options.HoveredKey(), 11);

    options.HoverBackground();
    EXPECT_EQ(options.Border(SessionOption::Detection), plain);
    EXPECT_FALSE(options.HoveredOption());
    EXPECT_FALSE(options.HoveredKey());
    EXPECT_EQ(options.Hint(), keyboardHint);
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

TEST_F(SessionOptionsTest, RefusedBackspaceFlashesUntilTheFlashTick)
{
    for (bool ai : {false, true}) {
        SCOPED_TRACE(ai ? "AI on: both indicators" : "Backspace off: its indicator only");
        Write("intelligent", ai ? "True" : "False");
        Open(); // practice: Backspace off
        const std::int32_t plain = options.Fill(SessionOption::Sound);
        options.KeyDown(OptionKey::Enter);
        Type("a");
        options.TypeKey(kBackspace);
        EXPECT_TRUE(options.FlashTimer().enabled);
        EXPECT_NE(options.Fill(SessionOption::Backspace), plain);
        EXPECT_EQ(options.Fill(SessionOption::Detection) != plain, ai);
        options.FlashTick();
        EXPECT_FALSE(options.FlashTimer().enabled);
        EXPECT_EQ(options.Fill(SessionOption::Detection), options.Fill(SessionOption::Backspace));
        options.KeyDown(OptionKey::Escape);
    }
}

TEST_F(SessionOptionsTest, BeginWithNothingToTypeStopsAndSaysSo)
{
    lines = FixedLines({});
    Open();
    EXPECT_EQ(options.KeyDown(OptionKey::Enter), OptionOutcome::NothingToType);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(options.Caption(SessionOption::Begin), "Begin");
}

// --- Window placement ------------------------------------------------------------

TEST(SessionPlacement, MaximizedStoresOnlyTheFlagNormalTheSpotMinimizedNothing)
{
    test::TempFolder folder;
    ProgramState state{folder.Path()};
    const auto users = [&](std::string_view key) {
        return state.profile.ReadProfile("users", key, "<absent>");
    };
    PlacementStore store(state, settings::kMainMaximized);
    store.StoreOnClose({.minimized = true, .leftTwips = 1500, .topTwips = 900});
    EXPECT_EQ(users("left") + users("mainmaximized"), "<absent><absent>") << "minimized";

    store.StoreOnExit({.maximized = true, .leftTwips = 15, .topTwips = 30});
    EXPECT_EQ(users("mainmaximized"), "True");
    EXPECT_EQ(users("top"), "<absent>");
    EXPECT_EQ(state.WindowTop, 1035);
    EXPECT_TRUE(PlacementStore(state, settings::kMainMaximized).OpensMaximized());

    store.StoreOnClose({.leftTwips = 1500, .topTwips = 900});
    EXPECT_EQ(users("left") + "," + users("top"), "1500,900");
    EXPECT_EQ(users("mainmaximized"), "False");
    EXPECT_EQ(state.WindowLeft, 1500);
    EXPECT_EQ(state.WindowTop, 900);
    EXPECT_FALSE(PlacementStore(state, settings::kMainMaximized).OpensMaximized());
}

TEST(SessionTexts, TitleAndDedication)
{
    CurrentUser user;
    user.UserName = "Ann";
    EXPECT_EQ(SessionWindowTitle(user), "Tarvelo - Welcome Ann");
    EXPECT_TRUE(IsDedicationAnswer("quartzfeatherlumens"));
    EXPECT_FALSE(IsDedicationAnswer("Quartzfeatherlumens"));
    EXPECT_FALSE(IsDedicationAnswer("quartzfeatherlumens "));
}

} // namespace
} // namespace tarvelo
