#include "history/run_history.h"
#include "menu/main_menu.h"
#include "menu/user_profiles.h"
#include "profile/ini_document.h"
#include "profile/profile_store.h"
#include "profile/value_codec.h"
#include "state/complete_totals.h"
#include "state/game_averages.h"
#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace tarvelo {
namespace {
// Settings as "section/key=value".
using Settings = std::vector<std::string>;

void Write(ProfileStore& store, const Settings& settings)
{
    for (const std::string& s : settings) {
        const std::size_t slash = s.find('/');
        const std::size_t equals = s.find('=', slash);
        ASSERT_TRUE(store.WriteProfile(s.substr(0, slash), s.substr(slash + 1, equals - slash - 1),
                                       s.substr(equals + 1)));
    }
}

// The settings file after `writes`, made one by one on a file holding `seed`.
std::string FileAfter(const std::string& seed, const Settings& writes)
{
    test::TempFolder other;
    other.Write(ProfileStore::kFileName, seed);
    ProfileStore single(other.Path());
    Write(single, writes);
    return other.Read(ProfileStore::kFileName);
}

class UserProfilesTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    ProfileStore store{folder.Path()};
    test::ScriptedDialogs dialogs;
    test::ScriptedNameDialog names;
    CurrentUser user;
    UserProfiles profiles{store, dialogs, names, user};

    std::string File() const { return folder.Read(ProfileStore::kFileName); }

    // Writes the settings, then loads the captions as the menu does at start-up.
    void Seed(const Settings& settings)
    {
        Write(store, settings);
        profiles.LoadCaptions();
    }

    bool Enter(int slot)
    {
        user.SelectSlot(slot);
        return profiles.EnterBox();
    }

    // The value of "section/key".
    std::string Read(std::string_view key) const
    {
        const std::size_t slash = key.find('/');
        return store.ReadProfile(key.substr(0, slash), key.substr(slash + 1), "<absent>");
    }
};

// A new name is shown but stored only when an activity starts, cut to 255
// characters; a rename stores it whole (reading back gives 170 characters:
// that is the settings file's rule).
TEST_F(UserProfilesTest, NewNameIsStoredCutWhenAnActivityStartsRenamesWhole)
{
    folder.Write(ProfileStore::kFileName, "[users]\r\nlastuser=352\r\n");
    profiles.LoadCaptions();
    std::string name300; // every prefix differs from a shorter one
    for (int i = 0; i < 300; ++i)
        name300 += static_cast<char>('a' + i % 26);
    names.answers = {std::nullopt, "", name300, name300.substr(0, 256)};
    EXPECT_FALSE(Enter(4)) << "cancelled";
    EXPECT_FALSE(Enter(4)) << "empty";
    EXPECT_EQ(user.UserName, "");
    EXPECT_TRUE(Enter(4));
    EXPECT_EQ(names.asked, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(profiles.Caption(4), name300.substr(0, 255));
    EXPECT_EQ(user.UserName, profiles.Caption(4));
    EXPECT_EQ(File(), "[users]\r\nlastuser=352\r\n");
    CurrentUser restarted;
    UserProfiles again(store, dialogs, names, restarted);
    again.LoadCaptions();
    EXPECT_EQ(again.Caption(4), "") << "an unused new user is gone after a restart";
    const auto whole = [&] {
        return valuecodec::Decode(IniDocument::FindValue(File(), "users", "user4").value_or(""));
    };
    CompleteTotals totals;
    profiles.StartTypingSession(totals);
    EXPECT_EQ(whole(), name300.substr(0, 255));
    profiles.Rename();
    EXPECT_EQ(profiles.Caption(4), name300.substr(0, 256));
    EXPECT_EQ(whole(), name300.substr(0, 256));
}

// The user was created in this run, so only a rename stores the name; a
// cancelled or empty one rewrites the unchanged name.
TEST_F(UserProfilesTest, RenameStoresTheNameAndKeepsTheData)
{
    Seed({"users/lastuser=6", "user4/sessionnumber=12", "user4/lesson=7"});
    const std::string before = File();
    names.answers = {"Dee", std::nullopt, ""};
    ASSERT_TRUE(Enter(4));
    profiles.Rename();
    profiles.Rename();
    EXPECT_EQ(File(), FileAfter(before, {"users/user4=Dee"}));
    names.answers = {"Dan"};
    profiles.Rename();
    EXPECT_EQ(names.asked, (std::vector<std::string>{"", "Dee", "Dee", "Dee"}));
    EXPECT_EQ(profiles.Caption(4), "Dan");
    EXPECT_EQ(File(), FileAfter(before, {"users/user4=Dan"}));
}

TEST_F(UserProfilesTest, DeleteAsksThenEmptiesTheBoxAndRemovesOnlyThatUsersHistory)
{
    test::SteppedUtcClock clock;
    RunHistory history(HistoryPath(folder.Path()), clock);
    profiles.SetHistory([&] { return &history; });
    for (const char* section : {"user6", "user5", "user6"}) {
        RunRecord run;
        GameRecord game;
        run.userSection = game.userSection = section;
        ASSERT_TRUE(history.Record(run) && history.Record(game));
    }
    Seed({"users/user6=Bob", "users/user5=Cy"});
    ASSERT_TRUE(Enter(6));
    dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(profiles.DeleteUser());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Are you sure you would like to delete user Bob?");
    EXPECT_EQ(dialogs.shown[0].defaultAnswer, DefaultAnswer::No);
    EXPECT_EQ(history.Runs("user6").size(), 2u) << "a refused deletion keeps the rows";
    EXPECT_TRUE(profiles.DeleteUser());
    EXPECT_EQ(profiles.Caption(6), "");
    EXPECT_EQ(user.UserName, "");
    EXPECT_EQ(history.Runs("user6").size(), 0u);
    EXPECT_EQ(history.Games("user6").size(), 0u);
    EXPECT_EQ(history.Games("user5").size(), 1u) << "another user's rows stay";
}

// A typing session records the user, opens, then checks for a donation.
// Sessions are counted per box, even for boxes with the same name.
TEST_F(UserProfilesTest, EachStartRecordsTheUserLoadsItsDataAndCountsOneSession)
{
    Seed({"users/lastuser=5", "users/user1=Sam", "users/user6=Sam", "user1/sessionnumber=41",
          "user1/typemode=1", "user1/completeposition=500", "user6/gamesplayed=3",
          "user6/intelligence=1200", "user6/accuracy=87.5"});
    std::vector<std::string> events;
    profiles.SetDonationCheck([&] { events.push_back("donation check"); });
    ASSERT_TRUE(Enter(1));
    user.TypeMode = RunMode::Practice; // left by the menu; the game keeps it
    CompleteTotals totals;
    profiles.StartTypingSession(totals, [&] {
        events.push_back("window with position " + std::to_string(totals.CompletePosition));
    });
    EXPECT_EQ(events, (std::vector<std::string>{"window with position 500", "donation check"}));
    EXPECT_EQ(Read("users/lastuser"), "1");
    EXPECT_EQ(Read("user1/sessionnumber"), "42");
    EXPECT_EQ(Read("user1/typemode"), "0");
    EXPECT_EQ(user.SessionNumber, 41);
    ASSERT_TRUE(Enter(6));
    GameAverages averages;
    profiles.StartGame(averages);
    EXPECT_EQ(user.SessionNumber, 0) << "absent sessionnumber reads as 0";
    EXPECT_EQ(averages.GamesPlayed, 3);
    EXPECT_EQ(averages.GameIntelligence, 1200);
    EXPECT_EQ(averages.GameAccuracy, 87.5f);
    profiles.StartTypingSession(totals);
    profiles.StartGame(averages);
    EXPECT_EQ(events.size(), 5u);
    EXPECT_EQ(Read("users/lastuser"), "6");
    EXPECT_EQ(Read("user6/sessionnumber"), "3");
    dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(profiles.DeleteUser());
    EXPECT_EQ(Read("user6/gamesplayed"), "0") << "the emptied box starts afresh";
    EXPECT_EQ(Read("users/user1"), "Sam");
    EXPECT_EQ(Read("user1/sessionnumber"), "42") << "the other Sam keeps its sessions";
}

using Setting = std::array<std::string, 3>; // section, key, value
using enum MenuKey;

// What creating, renaming and deleting store is left to the user-profile tests.
class MainMenuTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    test::ScriptedDialogs dialogs;
    test::ScriptedNameDialog names;
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<MainMenu> menu;

    // Writes the settings (the data-file marker first), then starts afresh.
    void StartWith(const std::vector<Setting>& settings)
    {
        ProfileStore store(folder.Path());
        ASSERT_TRUE(store.WriteProfile("users", "lastuser", "0"));
        for (const Setting& s : settings)
            ASSERT_TRUE(store.WriteProfile(s[0], s[1], s[2]));
        menu.reset();
        state = std::make_unique<ProgramState>(folder.Path());
        menu = std::make_unique<MainMenu>(*state, dialogs, names);
        menu->Start();
    }

    std::string Read(std::string_view section, std::string_view key) const
    {
        return ProfileStore(folder.Path()).ReadProfile(section, key, "<absent>");
    }
    void Press(const std::vector<MenuKey>& keys)
    {
        for (MenuKey key : keys)
            EXPECT_EQ(menu->KeyDown(key), MenuAction::None) << "key " << static_cast<int>(key);
    }
    void FocusBox(int box)
    {
        while (menu->SelectedBox() != box)
            menu->KeyDown(Down);
    }
    void EnterBox(int box)
    {
        FocusBox(box);
        menu->KeyDown(Right);
        ASSERT_EQ(menu->MenuFocus(), MenuColumn::Rows);
    }
    void FocusRow(MenuRow row)
    {
        while (menu->FocusedRow() != row)
            menu->KeyDown(Down);
    }

    // The fills of the boxes, then of the rows: . normal, F focus (white), S the
    // entered box (light yellow); the whole menu, so a failure shows it.
    std::string Fills() const
    {
        const auto letter = [](std::int32_t fill) {
            return fill == 0xFCECD6 ? '.' : fill == 0xFFFFFF ? 'F' : fill == 0xC0FFFF ? 'S' : '?';
        };
        std::string text;
        for (int box = 0; box < MainMenu::kBoxCount; ++box)
            text += letter(menu->BoxFill(box));
        text += ' ';
        for (int row = 0; row < MainMenu::kRowCount; ++row)
            text += letter(menu->RowFill(static_cast<MenuRow>(row)));
        return text;
    }
};

TEST_F(MainMenuTest, StartUpFillsTheBoxesAndSelectsTheLastUser)
{
    // clang-format off
    StartWith({{"users", "user0", "Ann"}, {"users", "user3", "Kim"}, {"users", "lastuser", "3"},
               {"users", "top", "600"}, {"users", "left", "900"}, {"user7", "typemode", "0"}});
    // clang-format on
    EXPECT_EQ(menu->BoxCaption(1), "");
    EXPECT_EQ(menu->BoxCaption(3), "Kim");
    EXPECT_EQ(state->user.UserName, "") << "not selected before Right";
    EXPECT_EQ(menu->Hint(), "Press the right arrow key to select Kim.");
    EXPECT_EQ(Fills(), "...F..... .........");
    EXPECT_EQ(state->WindowTop, 600);
    EXPECT_EQ(state->WindowLeft, 900);
    EXPECT_NE(state->layout.KeyOfChar('a'), KeyboardLayout::kNoKey) << "layout loaded";
    EXPECT_EQ(state->user.TypeMode, RunMode::Practice) << "the one read last, box 7's";
}

// The look follows the user in the selected box; the Quit box and empty
// boxes keep it; the command line's choice holds for everyone.
TEST_F(MainMenuTest, HighContrastIsEachUsersChoiceStoredWithTheUser)
{
    StartWith({{"users", "user0", "Ann"}, {"users", "user1", "Bea"}});
    EXPECT_FALSE(menu->HighContrast());
    menu->ToggleHighContrast();
    EXPECT_EQ(Read("user0", "highcontrast"), "True");
    EXPECT_TRUE(menu->HighContrast());
    FocusBox(1);
    EXPECT_FALSE(menu->HighContrast()) << "Bea's own choice";
    FocusBox(0);
    EXPECT_TRUE(menu->HighContrast());
    FocusBox(2);
    EXPECT_TRUE(menu->HighContrast()) << "an empty box keeps Ann's look";
    EXPECT_FALSE(menu->CanChooseHighContrast());
    menu->ToggleHighContrast();
    EXPECT_EQ(Read("user2", "highcontrast"), "<absent>");

    FocusBox(1);
    state->highContrastAlways = true;
    EXPECT_TRUE(menu->HighContrast()) << "Bea, under --high-contrast";
    EXPECT_FALSE(menu->CanChooseHighContrast());
}

// The stored last user outside the boxes selects the nearest box.
TEST_F(MainMenuTest, LastUserAndArrowsMoveTheFocusWrappingThroughTheQuitBox)
{
    // clang-format off
    const std::tuple<const char*, const char*, std::vector<MenuKey>, int> rows[] = {
        {"last user 8", "8", {}, 7}, {"last user -3", "-3", {}, 0},
        {"up from 0 to quit", "0", {Up}, 8},
        {"down from quit to 0", "0", {Up, Down}, 0}, {"down", "2", {Down, Down}, 4},
        {"full circle", "3", std::vector<MenuKey>(9, Down), 3},
        {"left right other on an empty box stay", "6", {Left, Right, Other}, 6}};
    // clang-format on
    for (const auto& [name, lastUser, keys, to] : rows) {
        SCOPED_TRACE(name);
        StartWith({{"users", "lastuser", lastUser}});
        Press(keys);
        std::string fills = "......... .........";
        fills[static_cast<std::size_t>(to)] = 'F';
        EXPECT_EQ(Fills(), fills);
        EXPECT_EQ(state->user.UserSection, "user" + std::to_string(to));
    }
}

// Keys and clicks enter a box; each box keeps its row, first the row of its
// stored type mode.
TEST_F(MainMenuTest, EnteringABoxSelectsTheUserRowsWrapAndEachBoxRemembersItsRow)
{
    StartWith({{"users", "user0", "Ann"}, {"users", "user1", "Bob"}, {"user1", "typemode", "0"}});
    EnterBox(0);
    EXPECT_EQ(state->user.UserName, "Ann");
    EXPECT_EQ(Fills(), "S........ F........");
    menu->KeyDown(Up);
    EXPECT_EQ(Fills(), "S........ ........F") << "the drills, beside the Quit box";
    Press({Down, Down, Down, Down, Other});
    EXPECT_EQ(menu->FocusedRow(), MenuRow::Stats);

    menu->KeyDown(Left);
    EXPECT_EQ(state->user.UserName, "");
    EXPECT_EQ(Fills(), "F........ .........");
    Press({Down, Right});
    EXPECT_EQ(state->user.UserName, "Bob");
    EXPECT_EQ(menu->FocusedRow(), MenuRow::Practice);
    EXPECT_EQ(menu->PressBox(0), MenuAction::None);
    EXPECT_EQ(Fills(), "S........ ...F.....");

    names.answers = {std::nullopt};
    EXPECT_EQ(menu->PressBox(3), MenuAction::None);
    EXPECT_EQ(names.asked, std::vector<std::string>{""});
    EXPECT_EQ(Fills(), "...F..... .........") << "an empty box left empty is not entered";
    EXPECT_EQ(state->user.UserName, "");
}

TEST_F(MainMenuTest, EndsTheProgramSavingThePositionUnlessEnteredFromTheQuitBox)
{
    // The keys before ending (Up: the Quit box, Right: Ann's menu column), the
    // ending key (nullopt: a click on the Quit box), whether the position is saved.
    // clang-format off
    const std::tuple<std::vector<MenuKey>, std::optional<MenuKey>, bool> rows[] = {
        {{Up}, Enter, false}, {{Up}, Right, false}, {{Up}, Left, true}, {{Up}, std::nullopt, true},
        {{}, Escape, true}, {{Right}, Escape, true}, {{Right}, std::nullopt, true}};
    // clang-format on
    int top = 1200;
    for (const auto& [before, key, savesPosition] : rows) {
        SCOPED_TRACE(++top);
        StartWith({{"users", "user0", "Ann"}});
        for (MenuKey k : before)
            menu->KeyDown(k);
        state->WindowTop = top;
        state->WindowLeft = 2400;
        EXPECT_EQ(key ? menu->KeyDown(*key) : menu->PressBox(MainMenu::kQuitBox),
                  MenuAction::EndProgram);
        EXPECT_EQ(Read("users", "top") == std::to_string(top), savesPosition);
        EXPECT_EQ(Read("users", "left") == "2400", savesPosition);
    }
}

// Rows of the Quit box and of a box left empty do nothing.
TEST_F(MainMenuTest, RenameInTheMenuColumnDeleteLeavesTheBoxOnlyWhenConfirmed)
{
    StartWith({{"users", "user0", "Ann"}, {"users", "user2", "Kim"}});
    menu->KeyDown(Up);
    for (int row = 0; row < MainMenu::kRowCount; ++row)
        EXPECT_EQ(menu->PressRow(static_cast<MenuRow>(row)), MenuAction::None) << "row " << row;
    EXPECT_TRUE(names.asked.empty());
    EXPECT_TRUE(dialogs.shown.empty());
    menu->KeyDown(Up); // empty box 7
    names.answers = {std::optional<std::string>("")};
    EXPECT_EQ(menu->PressRow(MenuRow::Lessons), MenuAction::None);
    EXPECT_EQ(menu->MenuFocus(), MenuColumn::Users);

    FocusBox(0);
    dialogs.yesNoAnswers = {true, false, true};
    menu->KeyDown(Delete);
    EXPECT_EQ(menu->BoxCaption(0), "");
    EXPECT_EQ(menu->Hint(), "Your focus is now on an empty user. Press the right arrow key to "
                            "create a new user in this box.");

    EnterBox(2);
    names.answers = {"Kira"};
    FocusRow(MenuRow::Rename);
    EXPECT_EQ(menu->KeyDown(Enter), MenuAction::None);
    EXPECT_EQ(names.asked, (std::vector<std::string>{"", "Kim"}));
    EXPECT_EQ(menu->BoxCaption(2), "Kira");
    FocusRow(MenuRow::Delete);
    EXPECT_EQ(menu->KeyDown(Enter), MenuAction::None);
    EXPECT_EQ(Fills(), "..S...... .....F...") << "refused";
    EXPECT_EQ(menu->KeyDown(Right), MenuAction::None);
    EXPECT_EQ(Fills(), "..F...... .........");
    EXPECT_EQ(menu->BoxCaption(2), "");

    names.answers = {"Lee"};
    menu->KeyDown(Right);
    EXPECT_EQ(menu->FocusedRow(), MenuRow::Lessons) << "a new user starts on the first row";
}

// The game stores nothing until its window opens, then box 7's type mode.
TEST_F(MainMenuTest, ClickingARowFromTheUserColumnEntersTheBoxAndActivatesTheRow)
{
    // The row, its action, the type mode a typing row stores (nullptr: the file stays).
    const std::tuple<MenuRow, MenuAction, const char*> rows[] = {
        {MenuRow::Lessons, MenuAction::StartTypingSession, "1"},
        {MenuRow::Game, MenuAction::StartGame, nullptr},
        {MenuRow::Practice, MenuAction::StartTypingSession, "0"},
        {MenuRow::Stats, MenuAction::ShowStats, nullptr},
        {MenuRow::Help, MenuAction::OpenHelp, nullptr},
        {MenuRow::Editor, MenuAction::EditText, nullptr},
        {MenuRow::Drill, MenuAction::StartTypingSession, "0"}};
    for (const auto& [row, action, typeMode] : rows) {
        SCOPED_TRACE(MainMenu::RowCaption(row));
        StartWith(
            {{"users", "user0", "Ann"}, {"users", "lastuser", "3"}, {"user7", "typemode", "0"}});
        FocusBox(0);
        const std::string before = folder.Read(ProfileStore::kFileName);
        EXPECT_EQ(menu->PressRow(row), action);
        std::string fills = "S........ .........";
        fills[10 + static_cast<std::size_t>(row)] = 'F';
        EXPECT_EQ(Fills(), fills);
        if (typeMode) {
            EXPECT_EQ(Read("users", "lastuser"), "0");
            EXPECT_EQ(Read("user0", "typemode"), typeMode) << "drills are stored as practice";
        } else {
            EXPECT_EQ(folder.Read(ProfileStore::kFileName), before);
        }
        EXPECT_EQ(state->user.Drilling(), row == MenuRow::Drill);
        if (action == MenuAction::StartGame) {
            menu->RecordGameStart();
            EXPECT_EQ(Read("user0", "typemode"), "0") << "box 7's, over Ann's 1";
            EXPECT_EQ(Read("user0", "sessionnumber"), "2") << "after the lessons' 1";
        }
    }
}

} // namespace
} // namespace tarvelo
