#pragma once

#include "game/high_scores.h"
#include "menu/main_menu.h"
#include "ui/background_hover.h"
#include "ui/picture_window.h"

#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;

namespace tarvelo {

class Dialogs;
class GameWindow;
class MainMenu;
class NameDialog;
class SessionWindow;
struct ProgramState;
enum class MenuAction;

namespace ui {
class ActivityWindow;
class FocusBox;
class OptionFrame;
class QtDialogs;
} // namespace ui

// What the main window uses instead of its own parts; tests script them.
struct MenuServices
{
    Dialogs* dialogs = nullptr;       // null: message boxes over the window
    NameDialog* nameDialog = nullptr; // null: a NewUserDialog
    // Creates the session window; empty: new SessionWindow(state).
    std::function<SessionWindow*(ProgramState&)> sessionWindow;
    // What the folders above the menu give (editor/, help/), filled in by the
    // application; an empty member leaves its row without effect. ("{}" keeps
    // callers that list only the members above free of warnings.)
    std::function<ui::ActivityWindow*(ProgramState&)> editorWindow{};
    std::function<void()> openHelpPage{};
    std::function<void()> openWebSite{}; // empty: the desktop's browser, unchecked
    // Runs at every activity start once the activity window is up, with its
    // load's messages answered; a request goes over that window.
    std::function<void(ProgramState&, QWidget* activity)> donationCheck{};
    // --high-contrast: every user's windows in the high-contrast look.
    bool highContrastAlways = false;
};

// Creates the game window for the program state and the run's last game
// result; tests pass one that scripts the game's platform.
using GameWindowFactory = std::function<GameWindow*(ProgramState&, std::optional<ScoreTexts>&)>;

// The main menu window "Intro": the user boxes, the menu rows and the hint
// line over the background picture. Owns the program state that the windows
// of an activity share, runs the menu's start-up and passes keys, clicks and
// the pointer to MainMenu.
class MainWindow : public ui::PictureWindow
{
    Q_OBJECT

public:
    // `appFolder` has passed the start-up checks.
    explicit MainWindow(const std::string& appFolder, MenuServices services = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    ProgramState& state() { return *m_state; }
    MainMenu& menu() { return *m_menu; }

    // Empty: new GameWindow(state, lastResult).
    void setGameWindowFactory(GameWindowFactory factory) { m_gameWindow = std::move(factory); }

    // Shows the menu again at the shared window position, as it was left.
    void returnToMenu();

signals:
    // The program ends; the window position was written when it had to be.
    void quitRequested();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // Keeps WindowTop and WindowLeft at the window's position, in twips.
    void recordPosition();
    void keyDown(int key);
    void act(MenuAction action);
    // Hides the menu, then makes the activity's window and shows it; the
    // menu comes back when it has left.
    void openActivity(const std::function<ui::ActivityWindow*()>& make);
    ui::ActivityWindow* makeStatisticsWindow();
    // The pointer over no box or row.
    void hoverBackground();
    void refresh();
    // Takes the look the menu gives for the selected user.
    void applyLook();

    std::unique_ptr<ProgramState> m_state;
    MenuServices m_services;
    std::unique_ptr<ui::QtDialogs> m_ownDialogs;
    NameDialog* m_nameDialog = nullptr;
    std::unique_ptr<MainMenu> m_menu;

    ui::FocusBox* m_focusBox = nullptr;
    QLabel* m_info = nullptr;
    QCheckBox* m_highContrast = nullptr;
    std::array<ui::OptionFrame*, 9> m_boxes{};
    std::array<ui::OptionFrame*, MainMenu::kRowCount> m_rows{};
    QPointer<ui::ActivityWindow> m_activity;
    GameWindowFactory m_gameWindow;
    // The last game of the run, shown by every high-score window.
    std::optional<ScoreTexts> m_lastGameResult;
    bool m_ending = false;
    // The activity start asked for the donation check; it runs once the
    // activity window is up.
    bool m_donationDue = false;
    ui::BackgroundHover m_backgroundHover{[this] { hoverBackground(); }};
};

} // namespace tarvelo
