#include "session/session_window.h"

#include "drill/drill_sources.h"
#include "material/lesson_help_window.h"
#include "profile/app_folder.h"
#include "profile/key_codes.h"
#include "session/typing_announcement.h"
#include "state/palette.h"
#include "state/program_state.h"
#include "stats/shared_history.h"
#include "ui/accessibility.h"
#include "ui/clickable_label.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/navigation_keys.h"
#include "ui/option_frame.h"
#include "ui/speed_bars.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "ui/timer_sync.h"
#include "ui/typing_line_view.h"
#include "ui/window_placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace tarvelo {
namespace {

KeyEditor::Modifiers ToModifiers(Qt::KeyboardModifiers modifiers)
{
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

QLabel* PanelLabel(const QString& text, QWidget* parent, const QString& name = {})
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

// A typed character as its mark shows it; in high contrast a wrong one is
// also underlined and a swapped pair overlined.
ui::TypingLineView::Glyph MarkedGlyph(int cell, QChar character, Mark mark)
{
    using Rule = ui::TypingLineView::Rule;
    const bool highContrast = ui::HighContrast();
    const palette::MarkColours& colours =
        highContrast ? palette::high_contrast::kMarks : palette::kMarks;
    std::int32_t colour = colours.correct;
    Rule rule = Rule::None;
    switch (mark) {
    case Mark::Correct:
        break;
    case Mark::Wrong:
        colour = colours.wrong;
        rule = Rule::Under;
        break;
    case Mark::SwappedFirst:
        colour = colours.swappedFirst;
        rule = Rule::Over;
        break;
    case Mark::SwappedSecond:
        colour = colours.swappedSecond;
        rule = Rule::Over;
        break;
    }
    return {static_cast<double>(cell), character, ui::FromBgr(colour),
            highContrast ? rule : Rule::None};
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
        m_recorder.KeyPressed(m_focusBox->lastKeyTime(), ui::TypesNoCharacter(key));
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
                [this, option] { handle(m_options.Press(option)); });
        connect(frame, &ui::OptionFrame::hovered, this, [this, option] {
            m_options.HoverOption(option);
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
    m_expectedLine->onPressed = [this] { handle(m_options.PressTypingLine()); };
    m_typedLine->onPressed = [this] { handle(m_options.PressTypingLine()); };
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
    if (m_state.user.Drilling()) {
        auto* chooseTarget = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_T), this); // Alt+T
        connect(chooseTarget, &QShortcut::activated, this, [this] {
            if (!m_left)
                askTargetSpeed();
        });
    }
    m_drillBars = new ui::SpeedBars(m_drillPanel);
    m_drillChange = PanelLabel(QString(), m_drillPanel, "lDrillChange");
    box->addWidget(m_drillTarget);
    box->addWidget(m_drillBars);
    box->addWidget(m_drillChange);
    m_drillPanel->setVisible(m_state.user.Drilling());
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
        if (m_left || m_keyEditor.IsOpen())
            return;
        const std::vector<int>& next = m_engine.NextKeys();
        if (!next.empty())
            m_keyboard->setCursorKey(next.back());
        m_keyboard->setFocus();
    });
    connect(m_keyboard, &ui::KeyboardView::choiceLeft, this, [this] { m_focusBox->setFocus(); });
    connect(m_keyboard, &ui::KeyboardView::keyHovered, this, [this](int key) {
        m_options.HoverKey(key);
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
    connect(m_resetKeys, &QPushButton::clicked, this, [this] { resetKeys(); });
    m_matchKeyboard = new QPushButton("&" + ui::ToQString(KeyEditor::kMatchTitle), this); // Alt+M
    m_matchKeyboard->setObjectName("lMatchKeyboard");
    m_matchKeyboard->setFocusPolicy(Qt::NoFocus);
    connect(m_matchKeyboard, &QPushButton::clicked, this, [this] { matchKeyboard(); });

    m_amarel = new ui::ClickableLabel(QString(QChar(0x2661)), this);
    m_amarel->setObjectName("amarel");
    QFont small = m_amarel->font();
    small.setPointSizeF(small.pointSizeF() * 0.7);
    m_amarel->setFont(small);
    QPalette faint = m_amarel->palette();
    faint.setColor(QPalette::WindowText, ui::GroundText(QColor(255, 255, 255, 110)));
    m_amarel->setPalette(faint);
    connect(m_amarel, &ui::ClickableLabel::pressed, this, [this] { askDedication(); });
    auto* footer = new QHBoxLayout;
    footer->addWidget(m_amarel, 0, Qt::AlignBottom);
    footer->addStretch();
    footer->addWidget(m_matchKeyboard);
    footer->addWidget(m_resetKeys);
    return footer;
}

void SessionWindow::buildTimers()
{
    m_statsTimer = new QTimer(this);
    m_caretTimer = new QTimer(this);
    m_flashTimer = new QTimer(this);
    for (QTimer* timer : {m_statsTimer, m_caretTimer, m_flashTimer})
        timer->setTimerType(Qt::PreciseTimer);
    m_statsTimer->setObjectName("Timer");
    m_caretTimer->setObjectName("TypingTimer");
    m_flashTimer->setObjectName("genTimer");
    connect(m_statsTimer, &QTimer::timeout, this, [this] {
        m_engine.StatsTick();
        refresh();
    });
    connect(m_caretTimer, &QTimer::timeout, this, [this] {
        m_engine.CaretTick();
        refresh();
    });
    connect(m_flashTimer, &QTimer::timeout, this, [this] {
        m_flashTimer->stop();
        m_options.FlashTick();
        refresh();
    });
    m_lineWriteTimer = new QTimer(this);
    m_lineWriteTimer->setSingleShot(true);
    m_lineWriteTimer->setInterval(0);
    connect(m_lineWriteTimer, &QTimer::timeout, this, [this] {
        m_engine.SaveHeld();
        m_recorder.WriteHeld();
        refresh(); // a failing save shows its notice
        tellHistoryNotice();
    });
}

void SessionWindow::placeWindow()
{
    ui::PlaceWindow(*this, m_state, QSize(880, 680), m_placement.OpensMaximized());
}

void SessionWindow::load()
{
    placeWindow();
    m_options.Load();
    m_modeLabel->setText(ui::ToQString(m_options.ModeLabel()));
    setWindowTitle(ui::ToQString(SessionWindowTitle(m_state.user)));
    m_practice.LoadPracticeText(DataFilePath(m_state.appFolder, PracticeText::kFileName));
    m_material.PracticeTextRead(m_practice.LastRead());
    m_lessons.LoadLessons(m_state.user.UserSection);
    if (m_state.user.SessionNumber == 0) {
        m_dialogs.ShowMessage(SessionOptions::kFirstUseText, SessionOptions::kFirstUseTitle,
                              MessageIcon::None);
    }
    if (const auto missing = m_material.MissingAtStart())
        m_dialogs.ShowMessage(*missing, SessionOptions::kMessageTitle, MessageIcon::Exclamation);
    if (const auto& unreadable = m_material.Unreadable())
        m_dialogs.ShowMessage(*unreadable, SessionOptions::kMessageTitle, MessageIcon::Exclamation);
    if (!m_guide.target) {
        m_helpWindow = new LessonHelpWindow(m_state, this);
        m_helpWindow->hide();
        m_guide.target = m_helpWindow;
    }
    if (m_state.user.Drilling())
        loadDrills();
    m_state.layout.SetKeyCaptions();
    refreshCaptions();
    if (m_helpWindow)
        m_helpWindow->loadLessonLabels();
    m_caretTimer->start(m_engine.CaretTimer().intervalMs);
    m_caretRestartsSeen = m_engine.CaretTimer().restarts;
    m_flashRestartsSeen = m_options.FlashTimer().restarts;
    refresh();
    m_focusBox->setFocus();
}

// The drills learn the practice text's letters and words, and the user's
// speeds from every run on this keyboard layout.
void SessionWindow::loadDrills()
{
    const DrillSources sources = ReadDrillSources(m_state);
    m_drills.Load(sources.practiceFile, sources.logs, sources.target);
    m_recorder.SetLineTyped([this](std::span<const Keystroke> line) { m_drills.FoldLine(line); });
}

void SessionWindow::askTargetSpeed()
{
    const std::string& section = m_state.user.UserSection;
    const auto answer = m_dialogs.AskText(DrillLines::kTargetPrompt, SessionOptions::kMessageTitle,
                                          std::to_string(m_drills.Target().Wpm()));
    if (answer) {
        if (const std::optional<int> wpm = ParseTargetWpm(*answer)) {
            m_state.profile.Write(section, settings::kTargetWpm, static_cast<std::int16_t>(*wpm));
            m_drills.SetTarget(TargetSpeed(*wpm));
        } else {
            m_dialogs.ShowMessage(DrillLines::kTargetRefused, SessionOptions::kMessageTitle,
                                  MessageIcon::Exclamation);
        }
    }
    refresh();
    m_focusBox->setFocus();
}

void SessionWindow::keyDown(int key)
{
    if (m_left)
        return;
    handle(m_options.KeyDown(ui::ToNavigationKey(key)));
}

void SessionWindow::keyTyped(int code)
{
    // Escape works as an option key only.
    if (m_left || code == keycode::kEscape)
        return;
    m_readerTyped = code;
    handle(m_options.TypeKey(code));
}

void SessionWindow::handle(OptionOutcome outcome)
{
    refresh();
    if (m_recorder.HasHeld() || m_engine.HasHeldSave())
        m_lineWriteTimer->start();
    tellHistoryNotice();
    switch (outcome) {
    case OptionOutcome::None:
        break;
    case OptionOutcome::ExitToMenu:
        exitToMenu();
        break;
    case OptionOutcome::NothingToType:
        m_dialogs.ShowMessage(m_material.NothingToType(m_options.NothingToTypeMessage()),
                              SessionOptions::kMessageTitle, MessageIcon::Information);
        refresh();
        break;
    }
}

void SessionWindow::exitToMenu()
{
    if (m_left)
        return;
    m_left = true;
    m_options.StopForExit();
    m_placement.StoreOnExit(ui::PlacementOf(*this));
    m_statsTimer->stop();
    m_caretTimer->stop();
    m_flashTimer->stop();
    hide();
    // Queued, so that the menu may delete the window from its slot.
    QMetaObject::invokeMethod(
        this, [this] { emit leftToMenu(); }, Qt::QueuedConnection);
}

void SessionWindow::openKeyEdit(int key)
{
    if (!m_keyEditor.Open(key))
        return;
    m_keyEdit->clear();
    placeKeyEdit();
    m_keyEdit->show();
    m_keyEdit->raise();
    m_keyEdit->setFocus();
}

void SessionWindow::placeKeyEdit()
{
    const QRect key = m_keyboard->keyRect(m_keyEditor.EditingKey().value_or(0));
    m_keyEdit->setGeometry(key.left(), key.top(), key.width(), std::max(key.height(), 20));
}

bool SessionWindow::keyEditEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        m_keyEditor.KeyDown(ToModifiers(key->modifiers()));
        if (!m_keyEditor.IsOpen())
            return true;
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)
            afterKeyEdit(m_keyEditor.Clear());
        else
            typeIntoKeyEdit(ui::TypedCode(*key));
        return true;
    }
    case QEvent::InputMethod: {
        // A composed character goes on the key; a pre-edit alone types nothing.
        const auto codes =
            ui::CommittedCodes(static_cast<QInputMethodEvent*>(event)->commitString());
        if (!codes.empty() && m_keyEditor.IsOpen())
            typeIntoKeyEdit(codes.front());
        return true;
    }
    case QEvent::KeyRelease:
        m_keyEditor.KeyUp(ToModifiers(static_cast<QKeyEvent*>(event)->modifiers()));
        return true;
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            m_keyEditor.IsOpen()) {
            m_keyEditor.Close();
            afterKeyEdit(false);
        }
        return false;
    default:
        return false;
    }
}

void SessionWindow::typeIntoKeyEdit(int code)
{
    if (code == keycode::kOutsideCodePage) {
        m_keyEditor.Close();
        afterKeyEdit(false);
        m_dialogs.ShowMessage(KeyEditor::kOutsideCodePage, KeyEditor::kOutsideCodePageTitle,
                              MessageIcon::Exclamation);
    } else if (code == keycode::kEscape || code >= keycode::kFirstPrintable) {
        afterKeyEdit(m_keyEditor.Type(code));
    }
}

void SessionWindow::afterKeyEdit(bool edited)
{
    if (!m_keyEditor.IsOpen()) {
        m_keyEdit->hide();
        m_focusBox->setFocus();
    }
    refreshCaptions();
    if (edited && m_engine.Running())
        m_engine.ShowNextKey();
    refresh();
}

void SessionWindow::resetKeys()
{
    afterLayoutChange(m_keyEditor.Reset(m_dialogs));
}

void SessionWindow::matchKeyboard()
{
    afterLayoutChange(m_keyEditor.Match(m_dialogs, m_keyboards));
}

void SessionWindow::afterLayoutChange(bool changed)
{
    if (changed) {
        refreshCaptions();
        if (m_engine.Running())
            m_engine.ShowNextKey();
        refresh();
    }
    m_focusBox->setFocus();
}

void SessionWindow::askDedication()
{
    const auto answer =
        m_dialogs.AskText(SessionOptions::kDedicationPrompt, SessionOptions::kMessageTitle, "");
    if (answer && IsDedicationAnswer(*answer)) {
        m_dialogs.ShowMessage(SessionOptions::kDedicationText, SessionOptions::kDedicationTitle,
                              MessageIcon::None);
    }
    m_focusBox->setFocus();
}

void SessionWindow::tellHistoryNotice()
{
    if (const std::string notice = TakeHistoryNotice(m_state); !notice.empty())
        m_dialogs.ShowMessage(notice, SessionOptions::kMessageTitle, MessageIcon::Exclamation);
}

void SessionWindow::setText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

void SessionWindow::refresh()
{
    refreshOptions();
    setText(m_infoLabel, ui::ToQString(m_options.Hint()));
    const std::string saveNotice = m_options.SaveNotice();
    setText(m_saveNotice, ui::ToQString(saveNotice));
    if (m_saveNotice->isHidden() != saveNotice.empty())
        m_saveNotice->setVisible(!saveNotice.empty());
    const StatsPanel& panel = m_engine.Stats().Panel();
    setText(m_llerrors, QString::fromStdString(panel.llerrors));
    setText(m_llpercent, QString::fromStdString(panel.llpercent));
    setText(m_llwpm, QString::fromStdString(panel.llwpm));
    setText(m_lterrors, QString::fromStdString(panel.lterrors));
    setText(m_ltpercent, QString::fromStdString(panel.ltpercent));
    setText(m_ltwpm, QString::fromStdString(panel.ltwpm));
    setText(m_lTimeSpent, QString::fromStdString(panel.lTimeSpent));
    setText(m_lsentnum, QString::number(m_engine.ShownSentenceNumber()));
    if (m_engine.FocusShown() != m_focusShapeShown) {
        m_focusShapeShown = m_engine.FocusShown();
        ui::ShowFocusFrame(m_focusShape, m_focusShapeShown);
    }
    refreshLines();
    refreshDrill();
    refreshReader();
    refreshKeyboard();
    syncTimers();
}

void SessionWindow::refreshDrill()
{
    if (!m_state.user.Drilling())
        return;
    std::vector<ui::SpeedBars::Bar> bars;
    for (const DrillLetter& letter : m_drills.Letters())
        bars.push_back(
            {ui::ToQString(std::string_view(&letter.letter, 1)), letter.confidence, letter.focus});
    m_drillBars->setBars(std::move(bars));
    setText(m_drillTarget, QString("Letters (target %1 wpm):").arg(m_drills.Target().Wpm()));
    setText(m_drillChange, ui::ToQString(m_drills.FocusChange()));
}

void SessionWindow::refreshReader()
{
    const std::optional<int> typed = std::exchange(m_readerTyped, std::nullopt);
    if (!ui::AssistiveToolActive())
        return;
    // The selected option stands for the focus, except while typing.
    const bool moved = m_options.SelectedOption() != m_readerOption;
    m_readerOption = m_options.SelectedOption();
    if (moved || !m_engine.Running())
        m_focusBox->setStandIn(m_optionFrames[static_cast<std::size_t>(*m_readerOption)]);
    if (!m_engine.Running()) {
        m_readerLine.clear();
        return;
    }
    // Not over the lesson introduction: the line is told once typing can start.
    if (!isActiveWindow())
        return;
    const bool lineStart = m_shownExpected != m_readerLine;
    if (!lineStart && !typed)
        return;
    const std::int32_t errors = m_engine.Stats().SessionErrors;
    const bool wrong = typed && errors > m_readerErrors;
    m_readerErrors = errors;
    m_readerLine = m_shownExpected;
    const TypingLine& line = m_engine.Line();
    const std::string text = TypingAnnouncement(
        {wrong ? typed : std::nullopt, lineStart ? m_readerLine : std::string_view{},
         m_engine.NextKeys(), line.E(line.SentencePosition)},
        m_state.layout);
    m_focusBox->setStandIn(m_focusShape);
    ui::Announce(m_focusShape, ui::ToQString(text));
}

void SessionWindow::refreshOptions()
{
    for (int i = 0; i < SessionOptions::kOptionCount; ++i) {
        const auto option = static_cast<SessionOption>(i);
        m_optionFrames[i]->setCaption(ui::ToQString(m_options.Caption(option)));
        m_optionFrames[i]->setColours(m_options.Fill(option), m_options.Border(option),
                                      m_options.CaptionColour(option));
    }
}

void SessionWindow::refreshLines()
{
    const std::string expected = m_engine.ExpectedText();
    if (expected != m_shownExpected) {
        m_shownExpected = expected;
        const QString text = ui::ToQString(expected);
        std::vector<ui::TypingLineView::Glyph> glyphs;
        glyphs.reserve(static_cast<std::size_t>(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] != QLatin1Char(' '))
                glyphs.push_back({static_cast<double>(i), text[i], Qt::black});
        }
        m_expectedLine->SetGlyphs(std::move(glyphs), text);
    }

    // The typed line is drawn only while a run is on; stopped, it stays empty.
    std::vector<ui::TypingLineView::Glyph> glyphs;
    QString typed;
    if (m_engine.Running()) {
        // The caret glyph stands half a cell m_left of the cell it precedes,
        // a little less at the start so it stays inside the line.
        if (const std::optional<int> caret = m_engine.CaretCell())
            glyphs.push_back({*caret == 0 ? -0.3 : *caret - 0.5, QLatin1Char('|'), Qt::black});
        for (const TypedCell& cell : m_engine.TypedCells()) {
            const QString character = ui::ToQString(std::string_view(&cell.character, 1));
            glyphs.push_back(MarkedGlyph(cell.cell, character.at(0), cell.mark));
            typed += character;
        }
    }
    m_typedLine->SetGlyphs(std::move(glyphs), typed);
}

void SessionWindow::refreshKeyboard()
{
    const std::vector<int>& next = m_engine.NextKeys();
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key) {
        const bool lit = std::find(next.begin(), next.end(), key) != next.end();
        m_keyboard->setFill(key, ui::ShownFill(lit ? palette::kNextKeyFill : palette::kKeyFill));
        m_keyboard->setBorder(key, ui::ShownBorder(key == m_options.HoveredKey()
                                                       ? SessionOptions::kHoverKeyBorder
                                                       : SessionOptions::kKeyBorder));
    }
}

void SessionWindow::refreshCaptions()
{
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key)
        m_keyboard->setCaption(key, ui::ToQString(m_state.layout.Caption(key)));
}

void SessionWindow::syncTimers()
{
    // A window that has left runs no timer.
    const auto follow = [this](QTimer* timer, const TimerState& state, unsigned& seen) {
        ui::SyncTimer(*timer, m_left ? TimerState{} : state, seen);
    };
    follow(m_statsTimer, m_engine.StatsTimer(), m_statsRestartsSeen);
    follow(m_caretTimer, m_engine.CaretTimer(), m_caretRestartsSeen);
    follow(m_flashTimer, m_options.FlashTimer(), m_flashRestartsSeen);
}

SessionWindow::SessionWindow(ProgramState& m_state, QWidget* parent)
    : SessionWindow(m_state, Services{}, parent)
{}

SessionWindow::SessionWindow(ProgramState& m_state, Services services, QWidget* parent)
    : ui::PictureWindow(m_state.appFolder, parent), m_state(m_state), m_ownDialogs(this),
      m_dialogs(services.dialogs ? *services.dialogs : m_ownDialogs),
      m_beeper(services.beeper ? *services.beeper : m_ownBeeper),
      m_keyboards(services.keyboards ? *services.keyboards : m_ownKeyboards),
      m_endProgram(services.endProgram ? std::move(services.endProgram)
                                       : [] { QApplication::quit(); }),
      m_lessons(m_state.profile, m_state.appFolder),
      m_lines(m_state.profile, m_state.user, m_practice, m_lessons, m_guide),
      m_drills(QRandomGenerator::global()->generate64()),
      m_engine(
          SessionContext{m_state.profile, m_state.user,
                         m_state.user.Drilling() ? static_cast<LineSource&>(m_drills) : m_lines,
                         m_state.layout, m_beeper},
          m_state.totals, m_state.tallies),
      m_recorder(&SharedHistory(m_state), m_state.user, HistoryClock(),
                 [this] { return int{m_lessons.LessonNumber()}; }),
      m_options(m_state.profile, m_state.user, m_engine),
      m_keyEditor(m_state.layout, m_state.profile),
      m_material(m_state.appFolder, m_state.user.Practising()),
      m_placement(m_state, settings::kMainMaximized)
{
    m_guide.target = services.guide;
    m_recorder.SetLayout(&m_state.layout);
    m_recorder.HoldLineWrites(true);
    m_engine.HoldLineEndSaves(true);
    m_engine.SetRunObserver(&m_recorder);
    buildControls();
    load();
    tellHistoryNotice();
}

SessionWindow::~SessionWindow()
{
    // Focus and resize events of the dying children must not reach the
    // window's handlers.
    for (QObject* watched : std::initializer_list<QObject*>{m_keyEdit, m_keyboard})
        watched->removeEventFilter(this);
    m_engine.SaveHeld();
    m_recorder.WriteHeld();
}

void SessionWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_left)
        return;
    m_left = true;
    m_engine.SaveHeld();
    m_recorder.Stopping(m_engine); // the run so far is kept as the program ends
    m_placement.StoreOnClose(ui::PlacementOf(*this));
    m_endProgram();
}

void SessionWindow::mouseMoveEvent(QMouseEvent* event)
{
    ui::PictureWindow::mouseMoveEvent(event);
    m_options.HoverBackground();
    refresh();
}

bool SessionWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_keyEdit)
        return keyEditEvent(event);
    if (watched == m_keyboard && event->type() == QEvent::Resize && m_keyEditor.IsOpen()) {
        placeKeyEdit();
    }
    return ui::PictureWindow::eventFilter(watched, event);
}

} // namespace tarvelo
