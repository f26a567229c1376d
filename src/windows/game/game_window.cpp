#include "windows/game/game_window.h"

#include "game/system_sources.h"
#include "history/shared_history.h"
#include "state/program_state.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/logic_timer.h"
#include "ui/option_frame.h"
#include "ui/program_sound.h"
#include "ui/qt_dialogs.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"
#include "windows/game/game_rules_window.h"
#include "windows/game/high_scores_window.h"
#include "windows/game/playfield_view.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

namespace tarvelo {
namespace {

// The flying bonus starts just above the window's top edge, right of the
// playfield, and moves 50 twips down and right at every step.
constexpr int kBonusTopPx = -8;
constexpr double kBonusStepPx = 50.0 / 15.0;
constexpr std::string_view kTitleGapStart = "Dalmor's   ";

void SetText(QLabel* label, const std::string& text)
{
    const QString shown = ui::ToQString(text);
    if (label->text() != shown)
        label->setText(shown);
}

void SetShown(QWidget* widget, bool shown)
{
    if (widget->isVisibleTo(widget->parentWidget()) != shown)
        widget->setVisible(shown);
}

} // namespace

GameWindow::GameWindow(ProgramState& state, std::optional<ScoreTexts>& lastResult, QWidget* parent)
    : GameWindow(state, lastResult, Services{}, parent)
{}

GameWindow::GameWindow(ProgramState& state, std::optional<ScoreTexts>& lastResult,
                       Services services, QWidget* parent)
    : ui::ActivityWindow(state, settings::kGameMaximized, parent), m_state(state),
      m_services(std::move(services))
{
    setObjectName("game");
    Dialogs* dialogs = m_services.dialogs;
    if (!dialogs) {
        m_ownDialogs = std::make_unique<ui::QtDialogs>(this);
        dialogs = m_ownDialogs.get();
    }
    Sound* sound = m_services.sound;
    if (!sound)
        sound = &ui::ProgramSound();
    RandomSource* random = m_services.random;
    if (!random) {
        m_ownRandom = std::make_unique<SystemRandom>();
        random = m_ownRandom.get();
    }
    const Clock* clock = m_services.clock;
    if (!clock) {
        m_ownClock = std::make_unique<SystemClock>();
        clock = m_ownClock.get();
    }
    if (!m_services.endProgram)
        m_services.endProgram = [] { QApplication::quit(); };
    m_menu = std::make_unique<GameMenu>(
        GameContext{state.profile, state.user, state.layout, *dialogs, *sound, *random, *clock,
                    state.gameAverages, lastResult, state.appFolder},
        state.history);

    buildControls();
    buildTimers();
    place(QSize(980, 680));
    setWindowTitle(
        ui::ToQString("Dalmor's Typing Game - Welcome " + TitleName(state.user.UserName)));
    m_rulesFirst = m_menu->Load();
    for (int key = 1; key <= ui::KeyboardView::kKeyCount; ++key)
        m_keys->setCaption(key, ui::ToQString(m_menu->KeyCaption(key)));
    refresh();
    m_focusBox->setFocus();
}

GameWindow::~GameWindow()
{
    for (QObject* watched :
         std::initializer_list<QObject*>{m_options[GameMenu::Index(GameOption::Level)], m_playfield,
                                         m_keyPanel, m_title, m_title2})
        watched->removeEventFilter(this);
    // Timers and controls go first: their handlers use the game.
    qDeleteAll(findChildren<QTimer*>(Qt::FindDirectChildrenOnly));
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void GameWindow::open()
{
    ui::ActivityWindow::open();
    if (m_rulesFirst) {
        m_rulesFirst = false;
        showRules(); // no pause toggles: no game runs yet
    }
    m_focusBox->setFocus();
}

void GameWindow::buildTimers()
{
    m_dropTimer = new ui::LogicTimer("Timer1", this);
    m_scoreAddTimer = new ui::LogicTimer("TimerScoreAdd", this);
    m_musicTimer = new ui::LogicTimer("tmrMusic", this);
    connect(m_dropTimer, &QTimer::timeout, this, [this] { handle(m_menu->DropTick()); });
    connect(m_scoreAddTimer, &QTimer::timeout, this, [this] { handle(m_menu->ScoreAddTick()); });
    connect(m_musicTimer, &QTimer::timeout, this, [this] { handle(m_menu->MusicTick()); });
}

// --- From the logic to the widgets -------------------------------------------

void GameWindow::handle(GameAction action)
{
    refresh();
    if (action.showScores) {
        showScores();
        refresh();
    }
    switch (action.step) {
    case GameAction::Step::None:
        break;
    case GameAction::Step::ShowRules:
        showRules();
        m_menu->RulesClosed();
        refresh();
        break;
    case GameAction::Step::LeaveToMenu:
        leave();
        break;
    }
}

void GameWindow::refresh()
{
    refreshOptions();
    refreshFigures();
    refreshKeyPanel();
    m_playfield->showBoard(m_menu->Board());
    follow(*m_dropTimer, m_menu->DropTimer());
    follow(*m_scoreAddTimer, m_menu->ScoreAddTimer());
    follow(*m_musicTimer, m_menu->MusicTimer());
}

void GameWindow::refreshOptions()
{
    m_focusBox->setStandIn(m_options[GameMenu::Index(m_menu->Selected())]);
    const QString state = ui::ToQString(m_menu->PlayState());
    if (m_playfield->accessibleDescription() != state)
        m_playfield->setAccessibleDescription(state);
    for (int index = 0; index < GameMenu::kOptionCount; ++index) {
        const auto option = static_cast<GameOption>(index);
        ui::OptionFrame* frame = m_options[index];
        frame->setCaption(ui::ToQString(m_menu->Caption(option)));
        frame->setColours(m_menu->Fill(option), m_menu->Border(option),
                          m_menu->CaptionColour(option));
        if (index < GameMenu::kColumnCount) // the panel shows its own
            SetShown(frame, m_menu->Shown(option));
    }
}

void GameWindow::refreshFigures()
{
    const GameFigures figures = m_menu->Figures();
    SetText(m_score, figures.score);
    SetText(m_level, figures.level);
    SetText(m_accuracy, figures.accuracy);
    SetText(m_intelligence, figures.intelligence);
    SetText(m_historyAccuracy, figures.historyAccuracy);
    SetText(m_historyIntelligence, figures.historyIntelligence);
    SetShown(m_history, figures.historyShown);
    SetShown(m_raise, figures.raisingLevel);

    SetText(m_scoreAdd, figures.bonus);
    SetShown(m_scoreAdd, !figures.bonus.empty());
    if (!figures.bonus.empty()) {
        const int step = static_cast<int>(figures.bonusStep * kBonusStepPx);
        const QPoint corner = m_playfield->mapTo(this, QPoint(m_playfield->width(), 0));
        m_scoreAdd->adjustSize();
        m_scoreAdd->move(corner.x() + 8 + step, kBonusTopPx + step);
        m_scoreAdd->raise();
    }
}

void GameWindow::refreshKeyPanel()
{
    const bool open = m_menu->KeyPanelOpen();
    SetShown(m_keyPanel, open);
    if (!open)
        return;
    for (int key = 1; key <= ui::KeyboardView::kKeyCount; ++key)
        m_keys->setBorder(key, ui::ShownBorder(m_menu->KeyBorder(key)));
}

// --- Modal windows and leaving -------------------------------------------------

void GameWindow::showRules()
{
    if (m_services.showRules) {
        m_services.showRules();
    } else {
        GameRulesWindow rules(m_state.appFolder, this);
        ui::PlaceOver(rules, *this, {60, 60});
        rules.exec();
    }
    m_focusBox->setFocus();
}

void GameWindow::showScores()
{
    const ScoreRows rows = m_menu->ScoreRows();
    if (m_services.showScores) {
        m_services.showScores(rows);
    } else {
        HighScoresWindow scores(m_state.appFolder, rows, this);
        ui::PlaceOver(scores, *this);
        scores.exec();
    }
    m_focusBox->setFocus();
}

void GameWindow::stopping(bool closed)
{
    if (closed)
        m_menu->Close();
    refresh(); // stops the timers
}

void GameWindow::closed()
{
    m_services.endProgram();
}

// --- The pointer ---------------------------------------------------------------

void GameWindow::mouseMoveEvent(QMouseEvent* event)
{
    ui::ActivityWindow::mouseMoveEvent(event);
    hoverBackground();
}

void GameWindow::hoverBackground()
{
    if (m_menu->Hovered()) {
        m_menu->HoverBackground();
        refreshOptions();
    }
}

void GameWindow::mousePressEvent(QMouseEvent* event)
{
    ui::ActivityWindow::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !hasLeft())
        handle(m_menu->PressBackground());
}

bool GameWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_options[GameMenu::Index(GameOption::Level)]) {
        if (type == QEvent::MouseButtonDblClick) {
            m_levelDoubleClicked = true;
            handle(m_menu->ClickLevel());
            return true;
        }
        if (type == QEvent::MouseButtonRelease) {
            if (!m_levelDoubleClicked && !hasLeft())
                handle(m_menu->ClickLevel());
            m_levelDoubleClicked = false;
            return true;
        }
    } else if (watched == m_title && type == QEvent::Resize) {
        const QFontMetrics metrics(m_title->font());
        m_title2->adjustSize();
        m_title2->move(metrics.horizontalAdvance(ui::ToQString(kTitleGapStart)),
                       (m_title->height() - m_title2->height()) / 2);
    } else if ((watched == m_playfield || watched == m_keyPanel || watched == m_title ||
                watched == m_title2) &&
               type == QEvent::MouseMove) {
        hoverBackground();
    } else if ((watched == m_keyPanel || watched == m_playfield) &&
               type == QEvent::MouseButtonPress) {
        return true; // neither is the window's background
    }
    return ui::ActivityWindow::eventFilter(watched, event);
}

} // namespace tarvelo
