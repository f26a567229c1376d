#include "menu/main_menu.h"
#include "profile/profile_store.h"
#include "state/program_state.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_name_dialog.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

namespace {

constexpr const char* kEmptyBoxHint = "Your focus is now on an empty user. Press the right "
                                      "arrow key to create a new user in this box.";
constexpr const char* kRow7Hint =
    "Allows you to edit the text that you type along with in practice mode.";

struct Setting
{
    std::string section;
    std::string key;
    std::string value;
};

class MainMenuTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    test::ScriptedDialogs dialogs;
    test::ScriptedNameDialog names;
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<MainMenu> menu;

    // A fresh run on the folder's settings: the state and menu of a new start.
    void Restart()
    {
        menu.reset();
        state = std::make_unique<ProgramState>(folder.Path());
        menu = std::make_unique<MainMenu>(*state, dialogs, names);
        menu->Start();
    }

    // Writes the settings (the data-file marker included), then starts.
    void StartWith(const std::vector<Setting>& settings)
    {
        ProfileStore store(folder.Path());
        ASSERT_TRUE(store.WriteProfile("users", "lastuser", "0"));
        for (const Setting& s : settings)
            ASSERT_TRUE(store.WriteProfile(s.section, s.key, s.value));
        Restart();
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

    // Moves the focus down from the selected box to `box`.
    void FocusBox(int box)
    {
        while (menu->SelectedBox() != box)
            menu->KeyDown(MenuKey::Down);
    }

    // Enters named box `box` from the user column.
    void EnterBox(int box)
    {
        FocusBox(box);
        menu->KeyDown(MenuKey::Right);
        ASSERT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn);
    }

    // The fills of the boxes, then of the rows: . normal, F focus (white),
    // S the entered box (light yellow); the whole menu, so a failure shows it.
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
    // The borders likewise: . none, Q the Quit box's dark red, H hover orange.
    std::string Borders() const
    {
        const auto letter = [](std::int32_t border) {
            return border == 0 ? '.' : border == 0xC0 ? 'Q' : border == 0x80FF ? 'H' : '?';
        };
        std::string text;
        for (int box = 0; box < MainMenu::kBoxCount; ++box)
            text += letter(menu->BoxBorder(box));
        text += ' ';
        for (int row = 0; row < MainMenu::kRowCount; ++row)
            text += letter(menu->RowBorder(row));
        return text;
    }

    void FocusRow(int row)
    {
        while (menu->FocusedRow() != row)
            menu->KeyDown(MenuKey::Down);
    }
};

// --- Start-up ----------------------------------------------------------------

TEST_F(MainMenuTest, StartUpFillsTheBoxesAndSelectsTheLastUser)
{
    StartWith({{"users", "user0", "Ann"},
               {"users", "user3", "Kim"},
               {"users", "lastuser", "3"},
               {"users", "top", "600"},
               {"users", "left", "900"}});
    EXPECT_EQ(menu->BoxCaption(0), "Ann");
    EXPECT_EQ(menu->BoxCaption(1), "");
    EXPECT_EQ(menu->BoxCaption(3), "Kim");
    EXPECT_EQ(menu->BoxCaption(MainMenu::kQuitBox), "Quit Program");
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
    EXPECT_EQ(state->user.UserSlot, 3);
    EXPECT_EQ(state->user.UserName, "");
    EXPECT_EQ(menu->Hint(), "Press the right arrow key to select Kim.");
    EXPECT_EQ(Fills(), "...F..... ........");
    EXPECT_EQ(Borders(), "........Q ........");
    EXPECT_EQ(state->WindowTop, 600);
    EXPECT_EQ(state->WindowLeft, 900);
    EXPECT_NE(state->layout.KeyOfChar('a'), KeyboardLayout::kNoKey) << "layout loaded";
}

TEST_F(MainMenuTest, StartUpWithOnlyTheMarkerUsesTheDefaults)
{
    StartWith({});
    EXPECT_EQ(state->user.UserSlot, 0);
    EXPECT_EQ(menu->Hint(), kEmptyBoxHint);
    EXPECT_EQ(state->WindowTop, 1035);
    EXPECT_EQ(state->WindowLeft, 1995);
    EXPECT_EQ(state->user.TypeMode, 1);
}

struct LastUserCase
{
    const char* name;
    const char* stored;
    int slot;
};

class LastUserTest : public MainMenuTest, public ::testing::WithParamInterface<LastUserCase>
{};

TEST_P(LastUserTest, LastUserOutsideTheBoxesSelectsTheNearestBox)
{
    StartWith({{"users", "lastuser", GetParam().stored}});
    EXPECT_EQ(state->user.UserSlot, GetParam().slot);
    EXPECT_EQ(state->user.UserSection, "user" + std::to_string(GetParam().slot));
    EXPECT_EQ(menu->BoxFill(GetParam().slot), 0xFFFFFF);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LastUserTest,
    ::testing::Values(LastUserCase{"first", "0", 0}, LastUserCase{"last", "7", 7},
                      LastUserCase{"quit_box", "8", 7}, LastUserCase{"huge", "99999", 7},
                      LastUserCase{"negative", "-3", 0}, LastUserCase{"junk", "abc", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainMenuTest, EachBoxOpensOnTheRowOfItsTypeModeAndTypeModeEndsWithBox7)
{
    StartWith({{"users", "user1", "Ann"},
               {"user1", "typemode", "0"},
               {"users", "user2", "Bob"},
               {"user2", "typemode", "1"},
               {"users", "user4", "Cy"},
               {"user7", "typemode", "0"}});
    EXPECT_EQ(menu->MenuRowOfBox(0), MainMenu::kLessonsRow) << "no typemode reads 1";
    EXPECT_EQ(menu->MenuRowOfBox(1), MainMenu::kPracticeRow);
    EXPECT_EQ(menu->MenuRowOfBox(2), MainMenu::kLessonsRow);
    EXPECT_EQ(menu->MenuRowOfBox(7), MainMenu::kPracticeRow);
    EXPECT_EQ(state->user.TypeMode, 0);

    EnterBox(1);
    EXPECT_EQ(menu->FocusedRow(), MainMenu::kPracticeRow);
    EXPECT_EQ(Fills(), ".S....... .F......");
    EXPECT_EQ(menu->Hint(), "Practice typing regular sentences.");
}

TEST_F(MainMenuTest, PracticeUserFindsThePracticeRowAfterARestart)
{
    StartWith({{"users", "user0", "Ann"}});
    EnterBox(0);
    EXPECT_EQ(menu->FocusedRow(), MainMenu::kLessonsRow);
    menu->KeyDown(MenuKey::Down);
    EXPECT_EQ(menu->KeyDown(MenuKey::Enter), MenuAction::StartTypingSession);
    EXPECT_EQ(Read("user0", "typemode"), "0");

    Restart();
    EnterBox(0);
    EXPECT_EQ(menu->FocusedRow(), MainMenu::kPracticeRow);
}

// --- Navigation ----------------------------------------------------------------

struct NavigationCase
{
    const char* name;
    int from;
    std::vector<MenuKey> keys;
    int to;
};

class BoxNavigationTest : public MainMenuTest, public ::testing::WithParamInterface<NavigationCase>
{};

TEST_P(BoxNavigationTest, ArrowsMoveTheFocusAndWrapThroughTheQuitBox)
{
    StartWith({{"users", "lastuser", std::to_string(GetParam().from)}});
    for (MenuKey key : GetParam().keys)
        EXPECT_EQ(menu->KeyDown(key), MenuAction::None) << static_cast<int>(key);
    const int to = GetParam().to;
    EXPECT_EQ(state->user.UserSlot, to);
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
    std::string fills = "......... ........";
    fills[static_cast<std::size_t>(to)] = 'F';
    EXPECT_EQ(Fills(), fills);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, BoxNavigationTest,
    ::testing::Values(NavigationCase{"up_from_0_to_quit", 0, {MenuKey::Up}, 8},
                      NavigationCase{"down_from_quit_to_0", 0, {MenuKey::Up, MenuKey::Down}, 0},
                      NavigationCase{"down", 2, {MenuKey::Down, MenuKey::Down}, 4},
                      NavigationCase{"up", 5, {MenuKey::Up}, 4},
                      NavigationCase{"down_to_quit", 7, {MenuKey::Down}, 8},
                      NavigationCase{"full_circle", 3, std::vector<MenuKey>(9, MenuKey::Down), 3},
                      NavigationCase{"left_right_on_empty_box_stay",
                                     6,
                                     {MenuKey::Left, MenuKey::Right, MenuKey::Other},
                                     6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainMenuTest, RowsWrapAndEachBoxRemembersItsRow)
{
    StartWith({{"users", "user0", "Ann"}, {"users", "user1", "Bob"}});
    EnterBox(0);
    menu->KeyDown(MenuKey::Up);
    EXPECT_EQ(menu->FocusedRow(), 7);
    EXPECT_EQ(menu->Hint(), kRow7Hint);
    EXPECT_EQ(Fills(), "S........ .......F");
    menu->KeyDown(MenuKey::Down);
    EXPECT_EQ(menu->FocusedRow(), 0);
    Keys({MenuKey::Down, MenuKey::Down, MenuKey::Down, MenuKey::Other});
    EXPECT_EQ(menu->FocusedRow(), 3);
    EXPECT_EQ(menu->Hint(), "See your current and previous statistics.");

    Keys({MenuKey::Left, MenuKey::Down, MenuKey::Right});
    EXPECT_EQ(state->user.UserName, "Bob");
    EXPECT_EQ(menu->FocusedRow(), 0);
    Keys({MenuKey::Left, MenuKey::Up, MenuKey::Right});
    EXPECT_EQ(menu->FocusedRow(), 3);
}

TEST_F(MainMenuTest, EnteringAndLeavingABoxRecolourIt)
{
    StartWith({{"users", "user0", "Ann"}});
    EnterBox(0);
    EXPECT_EQ(state->user.UserName, "Ann");
    EXPECT_EQ(Fills(), "S........ F.......");
    EXPECT_EQ(menu->Hint(), "Learn to type through a series of lessons.");

    menu->KeyDown(MenuKey::Left);
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
    EXPECT_EQ(state->user.UserName, "");
    EXPECT_EQ(Fills(), "F........ ........");
    EXPECT_EQ(menu->Hint(), "Press the right arrow key to select Ann.");
}

// --- Hints -----------------------------------------------------------------------

TEST_F(MainMenuTest, KeyboardAndMouseHintsNameTheBox)
{
    StartWith({{"users", "user0", "Ann"}});
    EXPECT_EQ(menu->Hint(), "Press the right arrow key to select Ann.");
    menu->KeyDown(MenuKey::Down);
    EXPECT_EQ(menu->Hint(), kEmptyBoxHint);
    menu->KeyDown(MenuKey::Up);
    menu->KeyDown(MenuKey::Up);
    EXPECT_EQ(menu->Hint(), "Press the right arrow key to select Quit Program.");

    menu->HoverBox(0);
    EXPECT_EQ(menu->Hint(), "Click here to select Ann.");
    menu->HoverBox(5);
    EXPECT_EQ(menu->Hint(), "Your focus is now on an empty user. Click here to create a new user "
                            "in this box.");
    menu->HoverBox(MainMenu::kQuitBox);
    EXPECT_EQ(menu->Hint(), "Click here to select Quit Program.");
    menu->HoverRow(7);
    EXPECT_EQ(menu->Hint(), kRow7Hint);
    menu->HoverBackground();
    EXPECT_EQ(menu->Hint(), kRow7Hint) << "the background leaves the hint";
    menu->KeyDown(MenuKey::Other);
    EXPECT_EQ(menu->Hint(), "Press the right arrow key to select Quit Program.");
}

TEST_F(MainMenuTest, OnlyTheBoxOrRowUnderThePointerHasTheHoverBorder)
{
    StartWith({});
    menu->HoverBox(2);
    EXPECT_EQ(Borders(), "..H.....Q ........");
    menu->HoverBox(MainMenu::kQuitBox);
    EXPECT_EQ(Borders(), "........H ........");
    menu->HoverRow(4);
    EXPECT_EQ(Borders(), "........Q ....H...");
    EXPECT_EQ(menu->HoveredBox(), MainMenu::kNone);
    menu->HoverRow(5);
    EXPECT_EQ(Borders(), "........Q .....H..");
    menu->HoverBox(1);
    EXPECT_EQ(Borders(), ".H......Q ........");
    EXPECT_EQ(menu->HoveredRow(), MainMenu::kNone);
    menu->HoverBackground();
    EXPECT_EQ(Borders(), "........Q ........");
    EXPECT_EQ(menu->HoveredBox(), MainMenu::kNone);
    EXPECT_EQ(menu->HoveredRow(), MainMenu::kNone);
}

// --- Ending the program --------------------------------------------------------

enum class From
{
    QuitBox,
    UserBox,
    MenuColumn
};

struct EndCase
{
    const char* name;
    From from;                  // where the user is when ending
    std::optional<MenuKey> key; // nullopt: a click on the Quit box
    bool savesPosition;
};

class EndProgramTest : public MainMenuTest, public ::testing::WithParamInterface<EndCase>
{};

TEST_P(EndProgramTest, EndsTheProgramSavingThePositionUnlessEnteredFromTheQuitBox)
{
    StartWith({{"users", "user0", "Ann"}});
    if (GetParam().from == From::MenuColumn)
        EnterBox(0);
    else if (GetParam().from == From::QuitBox)
        menu->KeyDown(MenuKey::Up);
    state->WindowTop = 1200;
    state->WindowLeft = 2400;
    const std::string before = File();

    const MenuAction action =
        GetParam().key ? menu->KeyDown(*GetParam().key) : menu->PressBox(MainMenu::kQuitBox);
    EXPECT_EQ(action, MenuAction::EndProgram);
    if (GetParam().savesPosition)
        EXPECT_EQ(Read("users", "top") + "," + Read("users", "left"), "1200,2400");
    else
        EXPECT_EQ(File(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndProgramTest,
    ::testing::Values(EndCase{"enter_on_quit", From::QuitBox, MenuKey::Enter, false},
                      EndCase{"right_on_quit", From::QuitBox, MenuKey::Right, false},
                      EndCase{"left_on_quit", From::QuitBox, MenuKey::Left, true},
                      EndCase{"escape_on_quit", From::QuitBox, MenuKey::Escape, true},
                      EndCase{"click_on_quit", From::QuitBox, std::nullopt, true},
                      EndCase{"escape_on_a_user_box", From::UserBox, MenuKey::Escape, true},
                      EndCase{"escape_in_menu_column", From::MenuColumn, MenuKey::Escape, true},
                      EndCase{"click_on_quit_from_menu_column", From::MenuColumn, std::nullopt,
                              true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Creating, renaming and deleting -------------------------------------------

TEST_F(MainMenuTest, RightOnAnEmptyBoxAsksForANameShownButNotStoredUntilAnActivityStarts)
{
    StartWith({{"users", "lastuser", "4"}});
    const std::string before = File();
    names.answers = {std::nullopt, std::optional<std::string>("Zo\xEB")};
    EXPECT_EQ(menu->KeyDown(MenuKey::Right), MenuAction::None);
    EXPECT_EQ(names.asked, std::vector<std::string>{""});
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn) << "cancelled";
    EXPECT_EQ(state->user.UserSlot, 4);
    EXPECT_EQ(Fills(), "....F.... ........");
    EXPECT_EQ(menu->Hint(), kEmptyBoxHint);

    menu->KeyDown(MenuKey::Right);
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn);
    EXPECT_EQ(menu->BoxCaption(4), "Zo\xEB");
    EXPECT_EQ(Fills(), "....S.... F.......");
    EXPECT_EQ(File(), before);
}

TEST_F(MainMenuTest, DeleteKeyAsksOnlyOnANamedBox)
{
    StartWith({{"users", "user0", "Ann"}, {"users", "lastuser", "1"}});
    const std::string before = File();
    Keys({MenuKey::Delete}); // empty box 1
    Keys({MenuKey::Down, MenuKey::Down, MenuKey::Down, MenuKey::Down, MenuKey::Down, MenuKey::Down,
          MenuKey::Down, MenuKey::Delete}); // the Quit box
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(File(), before);

    menu->KeyDown(MenuKey::Down); // box 0
    dialogs.yesNoAnswers = {false};
    menu->KeyDown(MenuKey::Delete);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Are you sure you would like to delete user Ann?");
    EXPECT_EQ(dialogs.shown[0].title, "Confirmation");
    EXPECT_EQ(menu->BoxCaption(0), "Ann");
    EXPECT_EQ(File(), before);

    dialogs.yesNoAnswers = {true};
    menu->KeyDown(MenuKey::Delete);
    EXPECT_EQ(menu->BoxCaption(0), "");
    EXPECT_EQ(Read("users", "user0"), "");
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
    EXPECT_EQ(menu->Hint(), kEmptyBoxHint);
}

TEST_F(MainMenuTest, DeleteRowGoesBackToTheUserColumnOnlyWhenConfirmed)
{
    StartWith({{"users", "user2", "Kim"}, {"users", "lastuser", "2"}});
    EnterBox(2);
    FocusRow(MainMenu::kDeleteRow);
    dialogs.yesNoAnswers = {false};
    EXPECT_EQ(menu->KeyDown(MenuKey::Enter), MenuAction::None);
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn);
    EXPECT_EQ(menu->FocusedRow(), MainMenu::kDeleteRow);
    EXPECT_EQ(state->user.UserName, "Kim");

    dialogs.yesNoAnswers = {true};
    EXPECT_EQ(menu->KeyDown(MenuKey::Right), MenuAction::None);
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
    EXPECT_EQ(menu->MenuRowOfBox(2), MainMenu::kLessonsRow);
    EXPECT_EQ(state->user.UserName, "");
    EXPECT_EQ(menu->BoxCaption(2), "");
    EXPECT_EQ(Fills(), "..F...... ........");
    EXPECT_EQ(Read("users", "lastuser"), "0");

    names.answers = {std::optional<std::string>("Lee")};
    menu->KeyDown(MenuKey::Right);
    EXPECT_EQ(menu->FocusedRow(), MainMenu::kLessonsRow) << "a new user starts on row 0";
}

TEST_F(MainMenuTest, ChangeNameStoresTheNameEvenWhenCancelled)
{
    StartWith({{"users", "user0", "Ann"}});
    EnterBox(0);
    FocusRow(MainMenu::kRenameRow);
    names.answers = {std::optional<std::string>("Anna")};
    EXPECT_EQ(menu->KeyDown(MenuKey::Enter), MenuAction::None);
    EXPECT_EQ(names.asked.back(), "Ann");
    EXPECT_EQ(menu->BoxCaption(0), "Anna");
    EXPECT_EQ(Read("users", "user0"), "Anna");
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn);

    ProfileStore(folder.Path()).WriteProfile("users", "user0", "changed elsewhere");
    menu->KeyDown(MenuKey::Enter); // cancelled
    EXPECT_EQ(Read("users", "user0"), "Anna");
}

// --- Mouse ---------------------------------------------------------------------

TEST_F(MainMenuTest, ClickingARowOnTheQuitBoxDoesNothing)
{
    StartWith({{"users", "user0", "Ann"}});
    menu->KeyDown(MenuKey::Up);
    const std::string before = File();
    for (int row = 0; row < MainMenu::kRowCount; ++row)
        EXPECT_EQ(menu->PressRow(row), MenuAction::None) << "row " << row;
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
    EXPECT_EQ(state->user.UserSlot, MainMenu::kQuitBox);
    EXPECT_TRUE(names.asked.empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(File(), before);
}

TEST_F(MainMenuTest, ClickingARowFromTheUserColumnEntersTheBoxAndActivatesTheRow)
{
    StartWith({{"users", "user0", "Ann"}});
    EXPECT_EQ(menu->PressRow(MainMenu::kPracticeRow), MenuAction::StartTypingSession);
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn);
    EXPECT_EQ(menu->FocusedRow(), MainMenu::kPracticeRow);
    EXPECT_EQ(state->user.TypeMode, 0);
    EXPECT_EQ(menu->Hint(), "Practice typing regular sentences.");
}

TEST_F(MainMenuTest, ClickingARowOnAnEmptyBoxThatStaysEmptyDoesNothing)
{
    StartWith({});
    names.answers = {std::optional<std::string>("")};
    EXPECT_EQ(menu->PressRow(MainMenu::kLessonsRow), MenuAction::None);
    EXPECT_EQ(names.asked.size(), 1u);
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
}

TEST_F(MainMenuTest, ClickingABoxEntersIt)
{
    StartWith({{"users", "user0", "Ann"}, {"users", "user5", "Eve"}});
    EnterBox(0);
    FocusRow(3);
    EXPECT_EQ(menu->PressBox(5), MenuAction::None);
    EXPECT_EQ(state->user.UserSlot, 5);
    EXPECT_EQ(state->user.UserName, "Eve");
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn);
    EXPECT_EQ(Fills(), ".....S... F.......") << "on the row of its own type mode";
    EXPECT_EQ(menu->Hint(), "Learn to type through a series of lessons.");

    names.answers = {std::nullopt};
    EXPECT_EQ(menu->PressBox(3), MenuAction::None);
    EXPECT_EQ(names.asked, std::vector<std::string>{""});
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kUserColumn);
    EXPECT_EQ(state->user.UserSlot, 3);
    EXPECT_EQ(state->user.UserName, "");
    EXPECT_EQ(menu->Hint(), kEmptyBoxHint);
}

// --- Activities ------------------------------------------------------------------

struct TypingRowCase
{
    const char* name;
    int row;
    const char* typeMode;
};

class TypingRowTest : public MainMenuTest, public ::testing::WithParamInterface<TypingRowCase>
{};

TEST_P(TypingRowTest, StartsTheSessionAndRecordsTheStart)
{
    StartWith({{"users", "user0", "Ann"},
               {"users", "lastuser", "0"},
               {"user3", "sessionnumber", "41"},
               {"user3", "completeposition", "500"},
               {"user3", "completeerrors", "7"}});
    names.answers = {std::optional<std::string>("Dee")};
    FocusBox(3);
    menu->KeyDown(MenuKey::Right);
    FocusRow(GetParam().row);
    EXPECT_EQ(menu->KeyDown(MenuKey::Enter), MenuAction::StartTypingSession);

    EXPECT_EQ(Read("users", "user3"), "Dee");
    EXPECT_EQ(Read("users", "lastuser"), "3");
    EXPECT_EQ(Read("user3", "sessionnumber"), "42");
    EXPECT_EQ(Read("user3", "typemode"), GetParam().typeMode);
    EXPECT_EQ(state->user.SessionNumber, 41);
    EXPECT_EQ(state->user.TypeMode, std::stoi(GetParam().typeMode));
    EXPECT_EQ(state->totals.CompletePosition, 500);
    EXPECT_EQ(state->totals.CompleteErrors, 7);
    EXPECT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn) << "the menu waits in its column";
}

INSTANTIATE_TEST_SUITE_P(Rows, TypingRowTest,
                         ::testing::Values(TypingRowCase{"lessons", 0, "1"},
                                           TypingRowCase{"practice", 1, "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

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
    EXPECT_EQ(Read("user0", "typemode"), "0");
    EXPECT_EQ(Read("user0", "sessionnumber"), "1");
    EXPECT_EQ(state->gameAverages.GamesPlayed, 3);
}

TEST_F(MainMenuTest, RowsWithoutLogicHereOnlyReportTheirAction)
{
    StartWith({{"users", "user0", "Ann"}});
    EnterBox(0);
    const std::string before = File();
    const std::pair<int, MenuAction> rows[] = {{MainMenu::kStatsRow, MenuAction::ShowStats},
                                               {MainMenu::kHelpRow, MenuAction::OpenHelp},
                                               {MainMenu::kEditorRow, MenuAction::EditText}};
    for (const auto& [row, action] : rows) {
        EXPECT_EQ(menu->PressRow(row), action) << "row " << row;
        EXPECT_EQ(menu->FocusedRow(), row);
        EXPECT_EQ(menu->MenuFocus(), MainMenu::kMenuColumn);
    }
    EXPECT_EQ(menu->PressTitle(), MenuAction::OpenWebSite);
    EXPECT_EQ(File(), before);
}

} // namespace
} // namespace tarvelo
