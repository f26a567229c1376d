#include "state/program_state.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/labels.h"
#include "ui/navigation_keys.h"
#include "ui/option_frame.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "windows/game/game_window.h"
#include "windows/game/playfield_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

// Building the game window's controls: the menu, the title, the score and key
// panels.

namespace tarvelo {
namespace {

constexpr std::string_view kTitle = "Dalmor's                Typing Game";

} // namespace

// --- Controls ---------------------------------------------------------------

void GameWindow::buildControls()
{
    setMouseTracking(true);
    m_focusBox = new ui::FocusBox(this);
    connect(m_focusBox, &ui::FocusBox::keyDown, this, [this](int key, Qt::KeyboardModifiers) {
        if (!hasLeft())
            handle(m_menu->KeyDown(ui::ToNavigationKey(key)));
    });
    connect(m_focusBox, &ui::FocusBox::keyTyped, this, [this](int code) {
        if (!hasLeft())
            handle(m_menu->TypeChar(code));
    });

    m_playfield = new ui::PlayfieldView;
    m_playfield->setFocusPolicy(Qt::NoFocus);
    m_playfield->setAccessibleName("Playfield");
    m_playfield->installEventFilter(this);
    m_keyPanel = buildKeyPanel();
    auto* middle = new QWidget;
    auto* stack = new QStackedLayout(middle);
    stack->setStackingMode(QStackedLayout::StackAll);
    stack->addWidget(m_playfield);
    stack->addWidget(m_keyPanel);
    stack->setCurrentWidget(m_keyPanel); // on top when shown

    auto* centre = new QVBoxLayout;
    centre->addWidget(buildTitle());
    centre->addWidget(middle, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(16);
    layout->addWidget(buildMenu());
    layout->addLayout(centre, 1);
    layout->addWidget(buildScorePanel());

    // Free of the layout: it flies over the window.
    m_scoreAdd = ui::MakeLabel(QString(), "lScoreAdd", {.pointSize = 14, .bold = true});
    m_scoreAdd->setParent(this);
    m_scoreAdd->setStyleSheet("color: #0000c0; background: transparent;");
    m_scoreAdd->setAttribute(Qt::WA_TransparentForMouseEvents);
}

ui::OptionFrame* GameWindow::buildOption(GameOption option)
{
    auto* frame = new ui::OptionFrame(ui::ToQString(m_menu->Caption(option)));
    frame->setObjectName(QString("lOption%1").arg(GameMenu::Index(option)));
    frame->setMinimumWidth(130);
    m_options[GameMenu::Index(option)] = frame;
    if (option == GameOption::Level) {
        // Clicks and double-clicks raise the level; a press does nothing.
        frame->installEventFilter(this);
    } else {
        connect(frame, &ui::OptionFrame::pressed, this,
                [this, option] { handle(m_menu->PressOption(option)); });
    }
    connect(frame, &ui::OptionFrame::hovered, this, [this, option] {
        if (m_menu->Hovered() != option) {
            m_menu->HoverOption(option);
            refreshOptions();
        }
    });
    return frame;
}

QWidget* GameWindow::buildMenu()
{
    auto* menu = new QWidget;
    auto* column = new QVBoxLayout(menu);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addStretch(1);
    for (int index = 0; index < GameMenu::kColumnCount; ++index) {
        const auto option = static_cast<GameOption>(index);
        column->addWidget(buildOption(option));
        if (option == GameOption::Pause) {
            auto* hint = ui::MakeLabel(ui::ToQString(GameMenu::kPauseHint), "lPauseHint");
            hint->setAlignment(Qt::AlignHCenter);
            hint->setStyleSheet("color: black;");
            column->addWidget(hint);
        }
    }
    column->addStretch(2);
    return menu;
}

QWidget* GameWindow::buildTitle()
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    m_title = ui::MakeLabel(ui::ToQString(kTitle), "lTitle", {.pointSize = 20, .bold = true});
    m_title->setStyleSheet(QString("color: %1;").arg(ui::GroundText(Qt::white).name()));
    row->addWidget(m_title, 0, Qt::AlignHCenter);
    // "Dederure" sits in the gap of the first title; it follows its moves.
    m_title2 = ui::MakeLabel("Dederure", "lTitle2", {.pointSize = 14, .bold = true});
    m_title2->setParent(m_title);
    m_title2->setStyleSheet(
        QString("color: %1;").arg(ui::GroundText(QColor(0xFF, 0xD0, 0x80)).name()));
    m_title->installEventFilter(this);
    m_title2->installEventFilter(this);
    return box;
}

QWidget* GameWindow::buildScorePanel()
{
    auto* panel = new QWidget;
    panel->setObjectName("scorePanel");
    panel->setStyleSheet("#scorePanel { background: rgba(255, 255, 255, 215); }");
    panel->setMinimumWidth(190);
    auto* grid = new QGridLayout(panel);
    m_score = ui::MakeLabel("0", "lScore", {.pointSize = 14, .bold = true});
    m_level = ui::MakeLabel("1", "lLevel", {.pointSize = 14, .bold = true});
    m_accuracy = ui::MakeLabel("100%", "lCAccuracy", {.pointSize = 14, .bold = true});
    m_intelligence = ui::MakeLabel("100", "lcIntelligence", {.pointSize = 14, .bold = true});
    const std::pair<const char*, QLabel*> figures[] = {
        {"Score:", m_score},
        {"Level:", m_level},
        {"Accuracy:", m_accuracy},
        {"Intelligence:", m_intelligence},
    };
    int line = 0;
    for (const auto& [caption, value] : figures) {
        QLabel* label = ui::MakeLabel(caption, "lCaption", {.pointSize = 12});
        label->setBuddy(value);
        value->setAccessibleDescription(QString(caption).chopped(1));
        grid->addWidget(label, line, 0);
        grid->addWidget(value, line++, 1);
    }
    m_raise = ui::MakeLabel(ui::ToQString(GameMenu::kRaisingLevel), "lRaise",
                            {.pointSize = 16, .bold = true});
    m_raise->setStyleSheet(QString("color: %1;").arg(ui::ShownText(0x0000FF).name()));
    m_raise->hide();
    grid->addWidget(m_raise, line++, 0, 1, 2);
    grid->setRowStretch(line++, 1);

    m_history = new QWidget;
    m_history->setObjectName("History");
    auto* history = new QGridLayout(m_history);
    history->setContentsMargins(0, 0, 0, 0);
    history->addWidget(ui::MakeLabel("History", "lHistory", {.pointSize = 12, .bold = true}), 0, 0,
                       1, 2);
    m_historyAccuracy = ui::MakeLabel(QString(), "lAccuracy");
    m_historyIntelligence = ui::MakeLabel(QString(), "lIntelligence");
    history->addWidget(ui::MakeLabel("Accuracy:", "lHistoryCaption"), 1, 0);
    history->addWidget(m_historyAccuracy, 1, 1);
    history->addWidget(ui::MakeLabel("Intelligence:", "lHistoryCaption"), 2, 0);
    history->addWidget(m_historyIntelligence, 2, 1);
    history->addWidget(ui::MakeLabel("Speed:", "lHistoryCaption"), 3, 0);
    grid->addWidget(m_history, line, 0, 1, 2);
    return panel;
}

QWidget* GameWindow::buildKeyPanel()
{
    auto* panel = new ui::PictureWindow(m_state.appFolder);
    panel->setObjectName("KeyBox");
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
    m_keys = new ui::KeyboardView;
    m_keys->setObjectName("keys");
    connect(m_keys, &ui::KeyboardView::keyClicked, this,
            [this](int key) { handle(m_menu->PressKey(key)); });
    connect(m_keys, &ui::KeyboardView::keyHovered, this, [this](int) { hoverBackground(); });
    auto* options = new QHBoxLayout;
    for (int index = GameMenu::kColumnCount; index < GameMenu::kOptionCount; ++index)
        options->addWidget(buildOption(static_cast<GameOption>(index)));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->addStretch(1);
    layout->addWidget(m_keys, 4);
    layout->addLayout(options);
    layout->addStretch(1);
    panel->hide();
    return panel;
}

} // namespace tarvelo
