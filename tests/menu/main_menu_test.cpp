#include "menu/main_menu.h"
#include "profile/profile_store.h"
#include "state/program_state.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_name_dialog.h"
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

constexpr const char* kEmptyBoxHint = "Your focus is now on an empty user. Press the right "
                                      "arrow key to create a new user in this box.";

using Setting = std::array<std::string, 3>; // section, key, value

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
    std::string File() const { return folder.Read(ProfileStore::kFileName); }

    void Keys(std::initializer_list<MenuKey> keys)
    {
        for (MenuKey key : keys)
            EXPECT_EQ(menu->KeyDown(key), MenuAction::None) << "key " << static_cast<int>(key);
    }
    void FocusBox(int box)
    {
        while (menu->SelectedBox() != box)
            menu->KeyDown(MenuKey::Down);
    }
    void EnterBox(int box)
    {
        FocusBox(box);
        menu->KeyDown(MenuKey::Right);
        ASSERT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn);
    }
    void FocusRow(int row)
    {
        while (menu->FocusedRow() != row)
            menu->KeyDown(MenuKey::Down);
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
            text += letter(menu->RowFill(row));
        return text;
    }
};

TEST_F(MainMenuTest, StartUpFillsTheBoxesAndSelectsTheLastUser)
{
    // clang-format off
    StartWith({{"users", "user0", "Ann"}, {"users", "user3", "Kim"}, {"users", "lastuser", "3"},
               {"users", "top", "600"}, {"users", "left", "900"}, {"user7", "typemode", "0"}});
    // clang-format on
    EXPECT_EQ(menu->BoxCaption(0) + "|" + menu->BoxCaption(1) + "|" + menu->BoxCaption(3),
              "Ann||Kim");
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
    EXPECT_EQ(state->user.UserName, "") << "not selected before Right";
    EXPECT_EQ(menu->Hint(), "Press the right arrow key to select Kim.");
    EXPECT_EQ(Fills(), "...F..... ........");
    EXPECT_EQ(state->WindowTop * 10000 + state->WindowLeft, 600 * 10000 + 900);
    EXPECT_NE(state->layout.KeyOfChar('a'), KeyboardLayout::kNoKey) << "layout loaded";
    EXPECT_EQ(state->user.TypeMode, 0) << "the type mode is the one read last, box 7's";
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
    using enum MenuKey;
    // clang-format off
    const std::tuple<const char*, const char*, std::vector<MenuKey>, int> rows[] = {
        {"last user 8", "8", {}, 7}, {"last user 99999", "99999", {}, 7},
        {"last user -3", "-3", {}, 0}, {"last user abc", "abc", {}, 0},
        {"up from 0 to quit", "0", {Up}, 8}, {"down from quit to 0", "0", {Up, Down}, 0},
        {"down", "2", {Down, Down}, 4}, {"full circle", "3", std::vector<MenuKey>(9, Down), 3},
        {"left right other on an empty box stay", "6", {Left, Right, Other}, 6}};
    // clang-format on
    for (const auto& [name, lastUser, keys, to] : rows) {
        SCOPED_TRACE(name);
        StartWith({{"users", "lastuser", lastUser}});
        for (MenuKey key : keys)
            EXPECT_EQ(menu->KeyDown(key), MenuAction::None);
        std::string fills = "......... ........";
        fills[static_cast<std::size_t>(to)] = 'F';
        EXPECT_EQ(Fills(), fills);
        EXPECT_EQ(state->user.UserSection, "user" + std::to_string(to));
    }
}

TEST_F(MainMenuTest, EnteringABoxSelectsTheUserRowsWrapAndEachBoxRemembersItsRow)
{
    StartWith({{"users", "user0", "Ann"}, {"users", "user1", "Bob"}});
    EnterBox(0);
    EXPECT_EQ(state->user.UserName, "Ann");
    EXPECT_EQ(Fills(), "S........ F.......");
    menu->KeyDown(MenuKey::Up);
    EXPECT_EQ(Fills(), "S........ .......F");
    menu->KeyDown(MenuKey::Down);
    Keys({MenuKey::Down, MenuKey::Down, MenuKey::Down, MenuKey::Other});
    EXPECT_EQ(menu->FocusedRow(), 3);

    menu->KeyDown(MenuKey::Left);
    EXPECT_EQ(state->user.UserName, "");
    EXPECT_EQ(Fills(), "F........ ........");
    Keys({MenuKey::Down, MenuKey::Right});
    EXPECT_EQ(state->user.UserName, "Bob");
    EXPECT_EQ(menu->FocusedRow(), 0);
    Keys({MenuKey::Left, MenuKey::Up, MenuKey::Right});
    EXPECT_EQ(menu->FocusedRow(), 3);
}

TEST_F(MainMenuTest, OnlyTheBoxOrRowUnderThePointerIsHovered)
{
    StartWith({});
    const std::int32_t plain = menu->BoxBorder(1);
    menu->HoverRow(4);
    menu->HoverBox(1);
    EXPECT_EQ(std::pair(menu->HoveredBox(), menu->HoveredRow()), std::pair(1, MainMenu::kNone));
    EXPECT_EQ(menu->RowBorder(4), plain);
    EXPECT_NE(menu->BoxBorder(1), plain);
    const std::string hint = menu->Hint();
    EXPECT_EQ(hint, "Your focus is now on an empty user. Click here to create a new user in this "
                    "box.");
    menu->HoverBackground();
    EXPECT_EQ(menu->BoxBorder(1), plain);
    EXPECT_EQ(menu->Hint(), hint) << "the background leaves the hint";
    EXPECT_EQ(menu->HoveredBox() + menu->HoveredRow(), 2 * MainMenu::kNone);
}

TEST_F(MainMenuTest, EndsTheProgramSavingThePositionUnlessEnteredFromTheQuitBox)
{
    using enum MenuKey;
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
        EXPECT_EQ(Read("users", "top") + "," + Read("users", "left") ==
                      std::to_string(top) + ",2400",
                  savesPosition);
    }
}

// What creating, renaming and deleting store is left to the user-profile tests.
TEST_F(MainMenuTest, RightOnAnEmptyBoxAsksForANameAndTheRenameRowForANewOne)
{
    StartWith({{"users", "lastuser", "4"}});
    names.answers = {std::nullopt, "Zo\xEB", "Anna"};
    Keys({MenuKey::Right});
    EXPECT_EQ(Fills(), "....F.... ........") << "cancelled";
    menu->KeyDown(MenuKey::Right);
    EXPECT_EQ(Fills(), "....S.... F.......");
    FocusRow(MainMenu::kRenameRow);
    EXPECT_EQ(menu->KeyDown(MenuKey::Enter), MenuAction::None);
    EXPECT_EQ(names.asked, (std::vector<std::string>{"", "", "Zo\xEB"}));
    EXPECT_EQ(menu->BoxCaption(4), "Anna");
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn);
}

TEST_F(MainMenuTest, DeleteKeyOrRowAsksAndLeavesTheBoxOnlyWhenConfirmed)
{
    StartWith({{"users", "user0", "Ann"}, {"users", "user2", "Kim"}});
    dialogs.yesNoAnswers = {false, true, false, true};
    menu->KeyDown(MenuKey::Delete);
    EXPECT_EQ(menu->BoxCaption(0), "Ann");
    menu->KeyDown(MenuKey::Delete);
    EXPECT_EQ(menu->BoxCaption(0) + menu->Hint(), kEmptyBoxHint);

    EnterBox(2);
    FocusRow(MainMenu::kDeleteRow);
    EXPECT_EQ(menu->KeyDown(MenuKey::Enter), MenuAction::None);
    EXPECT_EQ(Fills(), "..S...... .....F..");
    EXPECT_EQ(menu->KeyDown(MenuKey::Right), MenuAction::None);
    EXPECT_EQ(Fills(), "..F...... ........");
    EXPECT_EQ(state->user.UserName + menu->BoxCaption(2), "");
    EXPECT_EQ(dialogs.shown.size(), 4u);

    names.answers = {"Lee"};
    menu->KeyDown(MenuKey::Right);
    EXPECT_EQ(menu->FocusedRow(), MainMenu::kLessonsRow) << "a new user starts on row 0";
}

TEST_F(MainMenuTest, ClickingARowOnTheQuitBoxOrOnABoxLeftEmptyDoesNothing)
{
    StartWith({{"users", "user0", "Ann"}});
    menu->KeyDown(MenuKey::Up);
    for (int row = 0; row < MainMenu::kRowCount; ++row)
        EXPECT_EQ(menu->PressRow(row), MenuAction::None) << "row " << row;
    EXPECT_TRUE(names.asked.empty() && dialogs.shown.empty());

    menu->KeyDown(MenuKey::Up); // empty box 7
    names.answers = {std::optional<std::string>("")};
    EXPECT_EQ(menu->PressRow(MainMenu::kLessonsRow), MenuAction::None);
    EXPECT_EQ(names.asked.size(), 1u);
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
}

TEST_F(MainMenuTest, ClickingARowFromTheUserColumnEntersTheBoxAndActivatesTheRow)
{
    // The row, its action, the type mode a typing row stores (nullptr: the file stays).
    // clang-format off
    const std::tuple<int, MenuAction, const char*> rows[] = {
        {MainMenu::kLessonsRow, MenuAction::StartTypingSession, "1"},
        {MainMenu::kPracticeRow, MenuAction::StartTypingSession, "0"},
        {MainMenu::kStatsRow, MenuAction::ShowStats, nullptr},
        {MainMenu::kHelpRow, MenuAction::OpenHelp, nullptr},
        {MainMenu::kEditorRow, MenuAction::EditText, nullptr}};
    // clang-format on
    for (const auto& [row, action, typeMode] : rows) {
        StartWith({{"users", "user0", "Ann"}, {"users", "lastuser", "3"}});
        FocusBox(0);
        const std::string before = File();
        EXPECT_EQ(menu->PressRow(row), action) << "row " << row;
        std::string fills = "S........ ........";
        fills[10 + static_cast<std::size_t>(row)] = 'F';
        EXPECT_EQ(Fills(), fills);
        if (typeMode)
            EXPECT_EQ(Read("users", "lastuser") + "," + Read("user0", "typemode"),
                      std::string("0,") + typeMode);
        else
            EXPECT_EQ(File(), before);
    }
    EXPECT_EQ(menu->PressTitle(), MenuAction::OpenWebSite);
}

TEST_F(MainMenuTest, ClickingABoxEntersIt)
{
    StartWith({{"users", "user0", "Ann"}, {"users", "user5", "Eve"}, {"user5", "typemode", "0"}});
    EnterBox(0);
    FocusRow(3);
    EXPECT_EQ(menu->PressBox(5), MenuAction::None);
    EXPECT_EQ(state->user.UserName, "Eve");
    EXPECT_EQ(Fills(), ".....S... .F......") << "on the row of its own type mode";

    names.answers = {std::nullopt};
    EXPECT_EQ(menu->PressBox(3), MenuAction::None);
    EXPECT_EQ(names.asked, std::vector<std::string>{""});
    EXPECT_EQ(Fills(), "...F..... ........");
    EXPECT_EQ(state->user.UserName, "");
}

TEST_F(MainMenuTest, GameAsFirstActivityWritesBox7sTypeMode)
{
    StartWith(
        {{"users", "user0", "Ann"}, {"user7", "typemode", "0"}, {"user0", "gamesplayed", "3"}});
    EnterBox(0);
    FocusRow(MainMenu::kGameRow);
    EXPECT_EQ(menu->KeyDown(MenuKey::Right), MenuAction::StartGame);
    EXPECT_EQ(Read("user0", "sessionnumber"), "<absent>")
        << "nothing recorded until the game opens";
    menu->RecordGameStart();
    EXPECT_EQ(Read("user0", "typemode") + "," + Read("user0", "sessionnumber"), "0,1");
    EXPECT_EQ(state->gameAverages.GamesPlayed, 3);
}

} // namespace
} // namespace tarvelo
