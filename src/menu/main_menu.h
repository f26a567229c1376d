#pragma once

#include "menu/user_profiles.h"
#include "platform/navigation_key.h"
#include "state/palette.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

class Dialogs;
class NameDialog;
struct ProgramState;

// The keys the menu reacts to; the window maps its key codes onto these.
using MenuKey = NavigationKey;

// What the window must do after an operation of the menu.
enum class MenuAction
{
    None,
    // End the program; the window position has been written when it had to be.
    EndProgram,
    // The activity start is recorded and its figures are loaded: hide the
    // menu and open the activity's window.
    StartTypingSession,
    StartGame,
    ShowStats,
    OpenHelp,
    EditText,
    OpenWebSite,
};

// The rows of the menu column, top to bottom.
enum class MenuRow
{
    Lessons,
    Practice,
    Game,
    Stats,
    Rename,
    Delete,
    Help,
    Editor,
    Drill,
};

// The column that has the keys: the user boxes or the rows of the entered box.
enum class MenuColumn
{
    Users,
    Rows,
};

// The main menu: the user column of nine boxes (0..7 users, 8 "Quit
// Program") and the menu column of nine rows, the last beside "Quit Program". Keeps the focus and
// the pointer state, says what every box and row shows, and turns keys and clicks into profile
// operations and actions. The selected box is `state.user.UserSlot`.
class MainMenu
{
public:
    static constexpr int kBoxCount = settings::kUserCount + 1; // the users and "Quit Program"
    static constexpr int kQuitBox = CurrentUser::kQuitBox;
    static constexpr int kRowCount = 9;

    // Colours, 0x00BBGGRR.
    static constexpr std::int32_t kNormalFill = palette::kOptionFill;
    static constexpr std::int32_t kFocusFill = palette::kSelectedFill;
    static constexpr std::int32_t kSelectedFill = 0xC0FFFF;
    static constexpr std::int32_t kHoverBorder = palette::kHoverBorder;
    static constexpr std::int32_t kNormalBorder = palette::kBorder;
    static constexpr std::int32_t kQuitBorder = 0xC0;

    static constexpr std::string_view kQuitCaption = "Quit Program";
    static constexpr std::string_view kNavigateLabel = "Use arrow keys to navigate";
    static constexpr std::string_view kEmptyBoxKeyHint =
        "Your focus is now on an empty user. Press the right arrow key to create a new user in "
        "this box.";
    static constexpr std::string_view kEmptyBoxMouseHint =
        "Your focus is now on an empty user. Click here to create a new user in this box.";

    MainMenu(ProgramState& state, Dialogs& dialogs, NameDialog& nameDialog);

    // The start-up after the data-file check: captions, the row of each box
    // from its "typemode" (TypeMode ends with box 7's), the box of
    // "lastuser", the keyboard layout and the shared window position.
    void Start();

    // Keys of the focus box; the hint is then the keyboard hint of the focus.
    MenuAction KeyDown(MenuKey key);
    // Button down on box 0..8 or a row; the hint is then the keyboard hint.
    MenuAction PressBox(int box);
    MenuAction PressRow(MenuRow row);
    // Button down on either title label.
    MenuAction PressTitle() { return MenuAction::OpenWebSite; }

    // The pointer over a box, a row, or anything else of the window.
    void HoverBox(int box);
    void HoverRow(MenuRow row);
    void HoverBackground();

    // The game starts for the current user: the start is recorded and the
    // game averages loaded.
    void RecordGameStart();

    // Writes WindowTop and WindowLeft of the state to "top" and "left"; the
    // window keeps those at its position. Escape, Left on the Quit box and a
    // click on it call this before ending the program.
    void SaveWindowPosition();

    // What the window shows. Text is code-page bytes.
    const std::string& BoxCaption(int box) const;
    static std::string_view RowCaption(MenuRow row);
    static std::string_view RowHint(MenuRow row);
    std::int32_t BoxFill(int box) const;
    std::int32_t BoxBorder(int box) const;
    std::int32_t RowFill(MenuRow row) const;
    std::int32_t RowBorder(MenuRow row) const;
    const std::string& Hint() const { return m_hint; }

    MenuColumn MenuFocus() const { return m_menuFocus; }
    int SelectedBox() const;
    // The row last focused for box 0..7.
    MenuRow MenuRowOfBox(int box) const;
    // The focused row of the menu column.
    MenuRow FocusedRow() const { return MenuRowOfBox(SelectedBox()); }
    // Nothing while the pointer is over neither a box nor a row.
    std::optional<int> HoveredBox() const { return m_hoverBox; }
    std::optional<MenuRow> HoveredRow() const { return m_hoverRow; }

    // Whether the windows take the high-contrast look: the choice of the
    // user in the selected box ("highcontrast"), or every user's with
    // --high-contrast. The Quit box and an empty box keep the look they found.
    bool HighContrast();
    // The selected box holds a user and the command line leaves the choice.
    bool CanChooseHighContrast() const;
    // Turns the selected user's choice over and stores it.
    void ToggleHighContrast();

    UserProfiles& Profiles() { return m_profiles; }

private:
    static bool IsBox(int box) { return box >= 0 && box < kBoxCount; }

    void SelectBox(int box);
    // Enters the selected box; on success the focus moves to the menu column.
    void EnterSelectedBox();
    void BackToUserColumn();
    void DeleteSelectedUser();
    MenuAction Activate(MenuRow row);
    MenuAction EndSavingPosition();
    void ShowKeyboardHint();
    std::string NamedBoxHint(std::string_view prefix, int box) const;

    ProgramState& m_state;
    UserProfiles m_profiles;
    MenuColumn m_menuFocus = MenuColumn::Users;
    std::array<MenuRow, kBoxCount - 1> m_menuRowOfBox{};
    std::optional<int> m_hoverBox;
    std::optional<MenuRow> m_hoverRow;
    std::string m_hint;
    bool m_highContrast = false;
};

} // namespace tarvelo
