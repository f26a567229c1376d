#include "menu/main_menu.h"

#include "history/shared_history.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "state/option_cycle.h"
#include "state/program_state.h"

#include <algorithm>

namespace tarvelo {
namespace {

struct Row
{
    std::string_view caption;
    std::string_view hint;
};

constexpr std::array<Row, MainMenu::kRowCount> kRows = {{
    {" Typing Lessons", "Learn to type through a series of lessons."},
    {" Typing Practice", "Practice typing regular sentences."},
    {" Play Game", "Play a game!"},
    {" View Stats", "See your current and previous statistics."},
    {" Change Name", "Change your username without losing your info."},
    {" Delete User", "What a horrible thing to do!"},
    {" Open Help File", "Opens the external readme/help file."},
    {" Edit Typing Text", "Allows you to edit the text that you type along with in practice mode."},
    {" Weak-Key Drills",
     "Drill your slowest letters with words made for them, one new letter at a time."},
}};

} // namespace

MainMenu::MainMenu(ProgramState& state, Dialogs& dialogs, NameDialog& nameDialog)
    : m_state(state), m_profiles(state.profile, dialogs, nameDialog, state.user)
{
    m_profiles.SetHistory([&state] { return &state.history.Get(); });
    ShowKeyboardHint();
}

void MainMenu::Start()
{
    const ProfileStore& profile = m_state.profile;
    CurrentUser& user = m_state.user;

    m_profiles.LoadCaptions();
    for (int box = 0; box < settings::kUserCount; ++box) {
        user.TypeMode = CurrentUser::TypeModeFromStore(
            profile.Read(settings::UserSection(box), settings::kTypeMode));
        m_menuRowOfBox[box] =
            user.TypeMode == RunMode::Lesson ? MenuRow::Lessons : MenuRow::Practice;
    }

    const int lastUser = profile.Read(settings::kUsers, settings::kLastUser);
    user.SelectSlot(std::clamp(lastUser, 0, settings::kUserCount - 1));
    user.UserName.clear();
    m_menuFocus = MenuColumn::Users;
    ShowKeyboardHint();

    HoverBackground();
    m_state.layout.Load(profile);

    m_state.WindowTop = profile.Read(settings::kUsers, settings::kTop);
    m_state.WindowLeft = profile.Read(settings::kUsers, settings::kLeft);
}

int MainMenu::SelectedBox() const
{
    const int slot = m_state.user.UserSlot;
    return IsBox(slot) ? slot : 0;
}

MenuRow MainMenu::MenuRowOfBox(int box) const
{
    return box >= 0 && box < settings::kUserCount ? m_menuRowOfBox[box] : MenuRow::Lessons;
}

// --- Keys and clicks -------------------------------------------------------

MenuAction MainMenu::KeyDown(MenuKey key)
{
    MenuAction action = MenuAction::None;
    const int box = SelectedBox();
    if (key == MenuKey::Escape) {
        action = EndSavingPosition();
    } else if (m_menuFocus == MenuColumn::Users) {
        switch (key) {
        case MenuKey::Up:
            SelectBox(Cycled(box, -1, kBoxCount));
            break;
        case MenuKey::Down:
            SelectBox(Cycled(box, 1, kBoxCount));
            break;
        case MenuKey::Enter:
        case MenuKey::Right:
            if (box == kQuitBox)
                action = MenuAction::EndProgram;
            else
                EnterSelectedBox();
            break;
        case MenuKey::Left:
            if (box == kQuitBox)
                action = EndSavingPosition();
            break;
        case MenuKey::Delete:
            DeleteSelectedUser();
            break;
        default:
            break;
        }
    } else {
        switch (key) {
        case MenuKey::Up:
            m_menuRowOfBox[box] = Cycled(m_menuRowOfBox[box], -1, kRowCount);
            break;
        case MenuKey::Down:
            m_menuRowOfBox[box] = Cycled(m_menuRowOfBox[box], 1, kRowCount);
            break;
        case MenuKey::Left:
            BackToUserColumn();
            break;
        case MenuKey::Enter:
        case MenuKey::Right:
            action = Activate(m_menuRowOfBox[box]);
            break;
        default:
            break;
        }
    }
    ShowKeyboardHint();
    return action;
}

MenuAction MainMenu::PressBox(int box)
{
    if (!IsBox(box))
        return MenuAction::None;
    MenuAction action = MenuAction::None;
    if (box == kQuitBox) {
        action = EndSavingPosition();
    } else {
        if (m_menuFocus == MenuColumn::Rows)
            BackToUserColumn();
        SelectBox(box);
        EnterSelectedBox();
    }
    ShowKeyboardHint();
    return action;
}

MenuAction MainMenu::PressRow(MenuRow row)
{
    MenuAction action = MenuAction::None;
    if (m_menuFocus == MenuColumn::Users)
        EnterSelectedBox(); // the Quit box is never entered
    if (m_menuFocus == MenuColumn::Rows) {
        m_menuRowOfBox[SelectedBox()] = row;
        action = Activate(row);
    }
    ShowKeyboardHint();
    return action;
}

void MainMenu::HoverBox(int box)
{
    if (!IsBox(box))
        return;
    const std::string& caption = BoxCaption(box);
    m_hint = caption.empty() ? std::string(kEmptyBoxMouseHint)
                             : NamedBoxHint("Click here to select ", box);
    m_hoverBox = box;
    m_hoverRow.reset();
}

void MainMenu::HoverRow(MenuRow row)
{
    m_hint = RowHint(row);
    m_hoverRow = row;
    m_hoverBox.reset();
}

void MainMenu::HoverBackground()
{
    m_hoverBox.reset();
    m_hoverRow.reset();
}

bool MainMenu::HighContrast()
{
    if (m_state.highContrastAlways)
        return true;
    const int box = SelectedBox();
    if (!m_profiles.Caption(box).empty())
        m_highContrast = m_state.profile.Read(settings::UserSection(box), settings::kHighContrast);
    return m_highContrast;
}

bool MainMenu::CanChooseHighContrast() const
{
    return !m_state.highContrastAlways && !m_profiles.Caption(SelectedBox()).empty();
}

void MainMenu::ToggleHighContrast()
{
    if (!CanChooseHighContrast())
        return;
    const std::string section = settings::UserSection(SelectedBox());
    const bool chosen = m_state.profile.Read(section, settings::kHighContrast);
    (void)m_state.profile.Write(section, settings::kHighContrast, !chosen); // reported by the store
}

void MainMenu::SaveWindowPosition()
{
    ProfileStore& profile = m_state.profile;
    ProfileBatch batch(profile);
    profile.Write(settings::kUsers, settings::kTop, m_state.WindowTop);
    profile.Write(settings::kUsers, settings::kLeft, m_state.WindowLeft);
    (void)batch.Commit(); // a failure is reported by the store
}

// --- Operations ------------------------------------------------------------

void MainMenu::SelectBox(int box)
{
    m_state.user.SelectSlot(box);
}

void MainMenu::EnterSelectedBox()
{
    if (m_profiles.EnterBox())
        m_menuFocus = MenuColumn::Rows;
}

void MainMenu::BackToUserColumn()
{
    m_menuFocus = MenuColumn::Users;
    m_state.user.UserName.clear();
}

void MainMenu::DeleteSelectedUser()
{
    if (!m_profiles.DeleteUser())
        return;
    // The box is as good as never used: it opens on the first row again.
    m_menuRowOfBox[SelectedBox()] = MenuRow::Lessons;
    m_menuFocus = MenuColumn::Users;
}

MenuAction MainMenu::Activate(MenuRow row)
{
    CurrentUser& user = m_state.user;
    switch (row) {
    case MenuRow::Lessons:
    case MenuRow::Practice:
    case MenuRow::Drill:
        user.TypeMode = row == MenuRow::Lessons    ? RunMode::Lesson
                        : row == MenuRow::Practice ? RunMode::Practice
                                                   : RunMode::Drill;
        m_profiles.StartTypingSession(m_state.totals);
        return MenuAction::StartTypingSession;
    case MenuRow::Game:
        // The window records the start (RecordGameStart) when it opens the game.
        return MenuAction::StartGame;
    case MenuRow::Stats:
        // The window shows the saved totals.
        m_state.totals = CompleteTotals::Load(m_state.profile, user.UserSection);
        return MenuAction::ShowStats;
    case MenuRow::Rename:
        m_profiles.Rename();
        return MenuAction::None;
    case MenuRow::Delete:
        DeleteSelectedUser();
        return MenuAction::None;
    case MenuRow::Help:
        return MenuAction::OpenHelp;
    case MenuRow::Editor:
        return MenuAction::EditText;
    }
    return MenuAction::None;
}

MenuAction MainMenu::EndSavingPosition()
{
    SaveWindowPosition();
    return MenuAction::EndProgram;
}

// --- What the window shows -------------------------------------------------

const std::string& MainMenu::BoxCaption(int box) const
{
    static const std::string quit(kQuitCaption);
    return box == kQuitBox ? quit : m_profiles.Caption(box);
}

std::string_view MainMenu::RowCaption(MenuRow row)
{
    return kRows[static_cast<std::size_t>(row)].caption;
}

std::string_view MainMenu::RowHint(MenuRow row)
{
    return kRows[static_cast<std::size_t>(row)].hint;
}

std::int32_t MainMenu::BoxFill(int box) const
{
    if (box != SelectedBox())
        return kNormalFill;
    return m_menuFocus == MenuColumn::Users ? kFocusFill : kSelectedFill;
}

std::int32_t MainMenu::BoxBorder(int box) const
{
    if (box == m_hoverBox)
        return kHoverBorder;
    return box == kQuitBox ? kQuitBorder : kNormalBorder;
}

std::int32_t MainMenu::RowFill(MenuRow row) const
{
    return m_menuFocus == MenuColumn::Rows && row == FocusedRow() ? kFocusFill : kNormalFill;
}

std::int32_t MainMenu::RowBorder(MenuRow row) const
{
    return row == m_hoverRow ? kHoverBorder : kNormalBorder;
}

std::string MainMenu::NamedBoxHint(std::string_view prefix, int box) const
{
    // A long name is cut as in window titles, so the hint line keeps the
    // menu's width.
    return std::string(prefix) + TitleName(BoxCaption(box)) + ".";
}

void MainMenu::ShowKeyboardHint()
{
    if (m_menuFocus == MenuColumn::Rows) {
        m_hint = RowHint(FocusedRow());
        return;
    }
    const int box = SelectedBox();
    m_hint = BoxCaption(box).empty() ? std::string(kEmptyBoxKeyHint)
                                     : NamedBoxHint("Press the right arrow key to select ", box);
}

void MainMenu::RecordGameStart()
{
    m_profiles.StartGame(m_state.gameAverages);
}

} // namespace tarvelo
