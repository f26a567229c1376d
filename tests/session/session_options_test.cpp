#include "profile/key_codes.h"
#include "session/session_fixture.h"
#include "session/session_options.h"
#include "session/typing_engine.h"

#include <tuple>

namespace tarvelo {
namespace {

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
    // The toggles in effect (B backspace, S sound, A detection) and the captions.
    std::string Toggles() const
    {
        const auto& o = engine.Options();
        return std::string(o.backspace ? "B" : "-") + (o.beepOnError ? "S" : "-") +
               (o.detection ? "A" : "-") + " " + options.Caption(SessionOption::Backspace) + "|" +
               options.Caption(SessionOption::Sound) + "|" +
               options.Caption(SessionOption::Detection);
    }
    bool Greyed(SessionOption option) const
    {
        return options.CaptionColour(option) != options.CaptionColour(SessionOption::Sound);
    }
    // Selects `option` with the Down key from option 0.
    void Select(SessionOption option)
    {
        while (options.SelectedOption() != option)
            options.KeyDown(OptionKey::Down);
    }

    SessionOptions options{profile, user, engine};
};

// Keys as U (Up) and D (Down); visited options as digits.
TEST_F(SessionOptionsTest, SelectionWrapsAndSkipsBackspaceUnderAi)
{
    using Row = std::tuple<const char*, bool, int, std::string, std::string>;
    for (const auto& [name, ai, from, keys, expected] :
         {Row{"UpFromBeginWrapsToSound", false, 0, "UU", "54"},
          Row{"DownFromSoundWrapsToBegin", false, 5, "DD", "01"},
          Row{"AiOffVisitsBackspace", false, 3, "DU", "43"},
          Row{"AiOnDownSkipsBackspace", true, 3, "DD", "50"},
          Row{"AiOnUpSkipsBackspace", true, 5, "UU", "32"},
          Row{"AiOnUpWrapsFromBegin", true, 0, "UU", "53"}}) {
        SCOPED_TRACE(name);
        Write("intelligent", ai ? "True" : "False");
        Open();
        Select(static_cast<SessionOption>(from));
        std::string visited;
        for (char key : keys) {
            EXPECT_EQ(options.KeyDown(key == 'U' ? OptionKey::Up : OptionKey::Down),
                      OptionOutcome::None);
            visited += std::to_string(static_cast<int>(options.SelectedOption()));
        }
        EXPECT_EQ(visited, expected);
    }
}

// Then Stop, Escape, Left and Right, and Begin with nothing left to type.
TEST_F(SessionOptionsTest, EnterActivatesTheSelectedOptionExceptOnTheLastPosition)
{
    Open();
    EXPECT_EQ(options.KeyDown(OptionKey::Enter), OptionOutcome::None);
    EXPECT_EQ(options.Caption(SessionOption::Begin), "Next");
    options.TypeKey(keycode::kEnter); // its key press reaches a line at position 1: ignored
    EXPECT_EQ(engine.Line().KeyCount, 0);
    Type("a");
    options.KeyDown(OptionKey::Enter); // Next: the line is skipped
    EXPECT_EQ(engine.ExpectedText(), "defg ");
    Type("defg");
    options.KeyDown(OptionKey::Enter);
    EXPECT_EQ(lines.handedOut, 2) << "Enter at the last position activates nothing";
    options.TypeKey(keycode::kEnter);
    EXPECT_EQ(lines.handedOut, 3) << "its key press finishes the line";
    EXPECT_EQ(engine.Stats().Panel().lastLineErrors, "0");
    options.KeyDown(OptionKey::Down);
    options.KeyDown(OptionKey::Enter); // Stop
    EXPECT_FALSE(engine.Running());
    options.KeyDown(OptionKey::Up);
    options.KeyDown(OptionKey::Enter);
    EXPECT_EQ(options.KeyDown(OptionKey::Escape), OptionOutcome::None) << "stops the run";
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(options.KeyDown(OptionKey::Left), OptionOutcome::None) << "not on Main Menu";
    EXPECT_EQ(options.KeyDown(OptionKey::Escape), OptionOutcome::ExitToMenu);
    Select(SessionOption::MainMenu);
    for (const OptionKey key : {OptionKey::Left, OptionKey::Right, OptionKey::Other})
        EXPECT_EQ(options.KeyDown(key),
                  key == OptionKey::Other ? OptionOutcome::None : OptionOutcome::ExitToMenu);
    lines = FixedLines({});
    Select(SessionOption::Begin);
    EXPECT_EQ(options.KeyDown(OptionKey::Enter), OptionOutcome::NothingToType);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(options.Caption(SessionOption::Begin), "Begin");
}

// Toggling AI stops a running run; AI on at load disables Backspace, which
// comes back from the current mode's key when AI is turned off.
TEST_F(SessionOptionsTest, TogglesAreReadAndWrittenAndAiDisablesBackspace)
{
    Write("backspacef", "True");
    Write("backspacel", "False");
    Write("beeponerror", "False");
    Open();
    EXPECT_EQ(Toggles(), "B-- Backspace On|Sound Off|AI Off");
    EXPECT_EQ(options.Press(SessionOption::Sound), OptionOutcome::None);
    options.PressTypingLine();
    Type("a");
    options.Press(SessionOption::Detection);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(Stored("beeponerror") + Stored("intelligent"), "TrueTrue");
    Open(); // as at the next start
    EXPECT_EQ(Toggles(), "-SA Backspace On|Sound On|AI On");
    EXPECT_TRUE(Greyed(SessionOption::Backspace));
    const SessionOption selected = options.SelectedOption();
    EXPECT_EQ(options.Press(SessionOption::Backspace), OptionOutcome::None);
    EXPECT_EQ(options.SelectedOption(), selected) << "cannot be clicked";
    options.PressTypingLine();
    Type("a");
    options.Press(SessionOption::Detection);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(Toggles(), "BS- Backspace On|Sound On|AI Off");
    EXPECT_FALSE(Greyed(SessionOption::Backspace));
    EXPECT_EQ(Stored("intelligent") + Stored("backspacef"), "FalseTrue");
}

// Each mode has its own backspace key and default; the other mode's is left alone.
TEST_F(SessionOptionsTest, BackspaceToggleWritesTheKeyOfTheModeOnly)
{
    for (const bool practice : {true, false}) {
        SCOPED_TRACE(practice ? "practice" : "lessons");
        Open(practice);
        Select(SessionOption::Backspace);
        EXPECT_EQ(engine.Options().backspace, !practice) << "default";
        options.KeyDown(OptionKey::Right);
        EXPECT_EQ(engine.Options().backspace, practice);
        EXPECT_EQ(Stored("backspacef") + Stored("backspacel"),
                  practice ? "True<absent>" : "TrueFalse");
    }
}

TEST_F(SessionOptionsTest, RefusedBackspaceFlashesUntilTheFlashTick)
{
    Write("intelligent", "True");
    Open();
    const std::int32_t plain = options.Fill(SessionOption::Sound);
    options.KeyDown(OptionKey::Enter);
    Type("a");
    options.TypeKey(keycode::kBackspace);
    EXPECT_TRUE(options.FlashTimer().enabled);
    EXPECT_NE(options.Fill(SessionOption::Backspace), plain);
    EXPECT_NE(options.Fill(SessionOption::Detection), plain);
    options.FlashTick();
    EXPECT_FALSE(options.FlashTimer().enabled);
    EXPECT_EQ(options.Fill(SessionOption::Detection), options.Fill(SessionOption::Backspace));
}

} // namespace
} // namespace tarvelo
