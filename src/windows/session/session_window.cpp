#include "windows/session/session_window.h"

#include "history/shared_history.h"
#include "state/program_state.h"
#include "ui/accessibility.h"
#include "ui/clickable_label.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/logic_timer.h"
#include "ui/option_frame.h"
#include "ui/speed_bars.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "ui/typing_line_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>
#include <vector>

namespace tarvelo {
namespace {

QLabel* PanelLabel(const QString& text, QWidget* parent, const QString& name = {})
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

} // namespace

void SessionWindow::buildControls()
{
    setObjectName("main");
    setMouseTracking(true);

    auto* middle = new QHBoxLayout;
    middle->addLayout(buildOptionColumn());
    middle->addSpacing(12);
    auto* centre = new QVBoxLayout;
    m_infoLabel = new QLabel(this);
    m_infoLabel->setObjectName("lInfo");
    m_infoLabel->setWordWrap(true);
    m_infoLabel->setTextFormat(Qt::PlainText);
    m_infoLabel->setMinimumHeight(m_infoLabel->fontMetrics().height() * 3 + 12);
    m_infoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_infoLabel->setMaximumWidth(640);
    ui::MakePanel(m_infoLabel);
    centre->addWidget(m_infoLabel);
    // In the window, not a box: the next keystroke cannot close it.
    m_saveNotice = new QLabel(this);
    m_saveNotice->setObjectName("lSaveNotice");
    m_saveNotice->setWordWrap(true);
    m_saveNotice->setTextFormat(Qt::PlainText);
    m_saveNotice->setMaximumWidth(640);
    m_saveNotice->setStyleSheet("#lSaveNotice { background: #fff3c4; color: #8a0000; "
                                "padding: 6px; border-radius: 4px; }");
    m_saveNotice->hide();
    m_saveNotice->setAccessibleDescription("Save notice");
    centre->addWidget(m_saveNotice);
    centre->addWidget(buildStatsPanel());
    centre->addStretch();
    middle->addLayout(centre, 1);

    buildKeyboard();
    m_focusBox = new ui::FocusBox(this);
    connect(m_focusBox, &ui::FocusBox::keyDown, this, [this](int key, Qt::KeyboardModifiers) {
        m_session.KeyPressed(m_focusBox->lastKeyTime(), ui::TypesNoCharacter(key));
        keyDown(key);
    });
    connect(m_focusBox, &ui::FocusBox::keyTyped, this, [this](int code) { keyTyped(code); });
    setFocusProxy(m_focusBox);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(14, 10, 14, 8);
    root->addLayout(buildHeader());
    root->addLayout(middle);
    root->addSpacing(6);
    auto* typing = new QHBoxLayout;
    typing->addWidget(buildTypingLines(), 1);
    typing->addWidget(buildDrillPanel());
    root->addLayout(typing);
    root->addSpacing(6);
    root->addWidget(m_keyboard, 1);
    root->addLayout(buildFooter());
    buildTimers();
}

QLayout* SessionWindow::buildHeader()
{
    m_titleLabel = new QLabel("Tarvelo", this);
    m_titleLabel->setObjectName("lTitle");
    ui::MakeHeading(m_titleLabel, 1.8);
    m_modeLabel = new QLabel(this);
    m_modeLabel->setObjectName("lMode");
    m_modeLabel->setTextFormat(Qt::PlainText);
    ui::MakeHeading(m_modeLabel, 1.3);

    auto* header = new QHBoxLayout;
    header->addWidget(m_titleLabel);
    header->addStretch();
    header->addWidget(m_modeLabel);
    return header;
}

QLayout* SessionWindow::buildOptionColumn()
{
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    for (int i = 0; i < SessionOptions::kOptionCount; ++i) {
        auto* frame = new ui::OptionFrame(QString(), this);
        frame->setObjectName(QString("sOption%1").arg(i));
        frame->setMinimumWidth(150);
        m_optionFrames[i] = frame;
        column->addWidget(frame);
        const auto option = static_cast<SessionOption>(i);
        connect(frame, &ui::OptionFrame::pressed, this,
                [this, option] { apply(m_session.Press(option)); });
        connect(frame, &ui::OptionFrame::hovered, this, [this, option] {
            m_session.HoverOption(option);
            refresh();
        });
    }
    column->addStretch();
    return column;
}

QWidget* SessionWindow::buildStatsPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName("statsPanel");
    panel->setMaximumWidth(640);
    ui::MakePanel(panel);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(18);
    grid->addWidget(PanelLabel("Errors", panel), 0, 1);
    grid->addWidget(PanelLabel("Percentage", panel), 0, 2);
    grid->addWidget(PanelLabel("Speed (wpm)", panel), 0, 3);
    grid->addWidget(PanelLabel("Last", panel), 1, 0);
    grid->addWidget(PanelLabel("Total", panel), 2, 0);
    m_llerrors = PanelLabel("0", panel, "llerrors");
    m_llpercent = PanelLabel("100", panel, "llpercent");
    m_llwpm = PanelLabel("0", panel, "llwpm");
    m_lterrors = PanelLabel("0", panel, "lterrors");
    m_ltpercent = PanelLabel("100", panel, "ltpercent");
    m_ltwpm = PanelLabel("0", panel, "ltwpm");
    grid->addWidget(m_llerrors, 1, 1);
    grid->addWidget(m_llpercent, 1, 2);
    grid->addWidget(m_llwpm, 1, 3);
    grid->addWidget(m_lterrors, 2, 1);
    grid->addWidget(m_ltpercent, 2, 2);
    grid->addWidget(m_ltwpm, 2, 3);
    const std::pair<QLabel*, const char*> figures[] = {
        {m_llerrors, "Errors, last line"},   {m_llpercent, "Percentage, last line"},
        {m_llwpm, "Speed (wpm), last line"}, {m_lterrors, "Errors, total"},
        {m_ltpercent, "Percentage, total"},  {m_ltwpm, "Speed (wpm), total"},
    };
    for (const auto& [figure, label] : figures)
        figure->setAccessibleDescription(label);
    grid->addWidget(PanelLabel("Sentence Number:", panel), 3, 0, 1, 2);
    m_lsentnum = PanelLabel("0", panel, "lsentnum");
    m_lsentnum->setAccessibleDescription("Sentence Number");
    grid->addWidget(m_lsentnum, 3, 2);
    grid->addWidget(PanelLabel("Time Spent:", panel), 4, 0, 1, 2);
    m_lTimeSpent = PanelLabel("0.0", panel, "lTimeSpent");
    m_lTimeSpent->setAccessibleDescription("Time Spent, minutes");
    grid->addWidget(m_lTimeSpent, 4, 2);
    grid->addWidget(PanelLabel("minutes", panel), 4, 3);
    return panel;
}

QWidget* SessionWindow::buildTypingLines()
{
    m_focusShape = new QFrame(this);
    m_focusShape->setObjectName("sFocus");
    ui::MakeAnnouncer(m_focusShape);
    m_focusShape->setAccessibleName("Typing area");
    auto* lineBox = new QVBoxLayout(m_focusShape);
    lineBox->setContentsMargins(4, 4, 4, 4);
    lineBox->setSpacing(4);
    m_expectedLine = new ui::TypingLineView("picText1", m_focusShape);
    m_typedLine = new ui::TypingLineView("picText2", m_focusShape);
    m_expectedLine->setAccessibleName("Sentence to type");
    m_typedLine->setAccessibleName("Typed line");
    lineBox->addWidget(m_expectedLine);
    lineBox->addWidget(m_typedLine);
    m_expectedLine->onPressed = [this] { apply(m_session.PressTypingLine()); };
    m_typedLine->onPressed = [this] { apply(m_session.PressTypingLine()); };
    return m_focusShape;
}

QWidget* SessionWindow::buildDrillPanel()
{
    m_drillPanel = new QFrame(this);
    m_drillPanel->setObjectName("drillPanel");
    ui::MakePanel(m_drillPanel);
    auto* box = new QVBoxLayout(m_drillPanel);
    box->setContentsMargins(6, 4, 6, 4);
    box->setSpacing(2);
    // A click chooses the target speed.
    m_drillTarget = new ui::ClickableLabel(QString(), m_drillPanel);
    m_drillTarget->setObjectName("lDrillTarget");
    m_drillTarget->setTextFormat(Qt::PlainText);
    m_drillTarget->setCursor(Qt::PointingHandCursor);
    connect(m_drillTarget, &ui::ClickableLabel::pressed, this, [this] { askTargetSpeed(); });
    m_drillTarget->setAccessibleDescription("Alt+T chooses the target speed");
    if (m_session.Drilling()) {
        auto* chooseTarget = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_T), this); // Alt+T
        connect(chooseTarget, &QShortcut::activated, this, [this] { askTargetSpeed(); });
    }
    m_drillBars = new ui::SpeedBars(m_drillPanel);
    m_drillChange = PanelLabel(QString(), m_drillPanel, "lDrillChange");
    box->addWidget(m_drillTarget);
    box->addWidget(m_drillBars);
    box->addWidget(m_drillChange);
    m_drillPanel->setVisible(m_session.Drilling());
    return m_drillPanel;
}

void SessionWindow::buildKeyboard()
{
    m_keyboard = new ui::KeyboardView(this);
    connect(m_keyboard, &ui::KeyboardView::keyClicked, this, [this](int key) { openKeyEdit(key); });
    // Alt+K: the arrows choose a key to edit, Enter edits it, Escape goes back
    // to typing.
    auto* chooseKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_K), this);
    connect(chooseKey, &QShortcut::activated, this, [this] {
        if (!m_session.KeyChoiceOpen())
            return;
        if (const std::optional<int> key = m_session.FirstKeyToChoose())
            m_keyboard->setCursorKey(*key);
        m_keyboard->setFocus();
    });
    connect(m_keyboard, &ui::KeyboardView::choiceLeft, this, [this] { m_focusBox->setFocus(); });
    connect(m_keyboard, &ui::KeyboardView::keyHovered, this, [this](int key) {
        m_session.HoverKey(key);
        refresh();
    });
    m_keyboard->installEventFilter(this);

    m_keyEdit = new QLineEdit(m_keyboard);
    m_keyEdit->setObjectName("tEnter");
    m_keyEdit->setAccessibleName("Symbol for the key");
    m_keyEdit->setAlignment(Qt::AlignCenter);
    m_keyEdit->hide();
    m_keyEdit->installEventFilter(this);
}

QLayout* SessionWindow::buildFooter()
{
    m_resetKeys = new QPushButton("&Reset Keys", this);
    m_resetKeys->setObjectName("lResetKeys");
    m_resetKeys->setFocusPolicy(Qt::NoFocus);
    connect(m_resetKeys, &QPushButton::clicked, this,
            [this] { afterLayoutChange(m_session.ResetKeys()); });
    m_matchKeyboard = new QPushButton("&" + ui::ToQString(KeyEditor::kMatchTitle), this); // Alt+M
    m_matchKeyboard->setObjectName("lMatchKeyboard");
    m_matchKeyboard->setFocusPolicy(Qt::NoFocus);
    connect(m_matchKeyboard, &QPushButton::clicked, this,
            [this] { afterLayoutChange(m_session.MatchKeyboard()); });

    m_dedicationLabel = new ui::ClickableLabel(QString(QChar(0x2661)), this);
    m_dedicationLabel->setObjectName("dedication");
    QFont small = m_dedicationLabel->font();
    small.setPointSizeF(small.pointSizeF() * 0.7);
    m_dedicationLabel->setFont(small);
    QPalette faint = m_dedicationLabel->palette();
    faint.setColor(QPalette::WindowText, ui::GroundText(QColor(255, 255, 255, 110)));
    m_dedicationLabel->setPalette(faint);
    connect(m_dedicationLabel, &ui::ClickableLabel::pressed, this, [this] { askDedication(); });
    auto* footer = new QHBoxLayout;
    footer->addWidget(m_dedicationLabel, 0, Qt::AlignBottom);
    footer->addStretch();
    footer->addWidget(m_matchKeyboard);
    footer->addWidget(m_resetKeys);
    return footer;
}

void SessionWindow::buildTimers()
{
    m_statsTimer = new ui::LogicTimer("Timer", this);
    m_caretTimer = new ui::LogicTimer("TypingTimer", this);
    m_flashTimer = new ui::LogicTimer("genTimer", this);
    connect(m_statsTimer, &QTimer::timeout, this, [this] {
        m_session.StatsTick();
        refresh();
    });
    connect(m_caretTimer, &QTimer::timeout, this, [this] {
        m_session.CaretTick();
        refresh();
    });
    connect(m_flashTimer, &QTimer::timeout, this, [this] {
        m_flashTimer->stop();
        m_session.FlashTick();
        refresh();
    });
    m_lineWriteTimer = new QTimer(this);
    m_lineWriteTimer->setSingleShot(true);
    m_lineWriteTimer->setInterval(0);
    // A failing save shows its notice.
    connect(m_lineWriteTimer, &QTimer::timeout, this, [this] { apply(m_session.WriteHeld()); });
}

void SessionWindow::placeWindow()
{
    place(QSize(880, 680));
}

SessionWindow::SessionWindow(ProgramState& state, QWidget* parent)
    : SessionWindow(state, Services{}, parent)
{}

SessionWindow::SessionWindow(ProgramState& state, Services services, QWidget* parent)
    : ui::ActivityWindow(state, settings::kMainMaximized, parent), m_state(state),
      m_ownDialogs(this), m_dialogs(services.dialogs ? *services.dialogs : m_ownDialogs),
      m_endProgram(services.endProgram ? std::move(services.endProgram)
                                       : [] { QApplication::quit(); }),
      m_session(state,
                SessionPlatform{m_dialogs, services.beeper ? *services.beeper : m_ownBeeper,
                                services.keyboards ? *services.keyboards : m_ownKeyboards,
                                state.history.Clock(), QRandomGenerator::global()->generate64()})
{
    m_session.SetGuide(services.guide);
    buildControls();
    load();
}

SessionWindow::~SessionWindow()
{
    // Focus and resize events of the dying children must not reach the
    // window's handlers.
    for (QObject* watched : std::initializer_list<QObject*>{m_keyEdit, m_keyboard})
        watched->removeEventFilter(this);
}

void SessionWindow::stopping(bool closed)
{
    if (closed)
        m_session.CloseProgram();
    else
        m_session.LeaveForMenu();
    syncTimers(); // stops them
}

void SessionWindow::closed()
{
    m_endProgram();
}

void SessionWindow::mouseMoveEvent(QMouseEvent* event)
{
    ui::ActivityWindow::mouseMoveEvent(event);
    m_session.HoverBackground();
    refresh();
}

bool SessionWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_keyEdit)
        return keyEditEvent(event);
    if (watched == m_keyboard && event->type() == QEvent::Resize && m_session.KeyEdit().IsOpen()) {
        placeKeyEdit();
    }
    return ui::ActivityWindow::eventFilter(watched, event);
}

} // namespace tarvelo
