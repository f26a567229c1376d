#include "session/session_window.h"

#include "material/lesson_catalogue.h"
#include "material/lesson_guide.h"
#include "material/lesson_help_window.h"
#include "material/practice_text.h"
#include "menu/program_state.h"
#include "profile/app_folder.h"
#include "session/material_lines.h"
#include "session/session_options.h"
#include "session/typing_engine.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/navigation_keys.h"
#include "ui/option_frame.h"
#include "ui/qt_beeper.h"
#include "ui/qt_dialogs.h"
#include "ui/text_codec.h"
#include "ui/twips.h"
#include "ui/typing_line_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace tarvelo {
namespace {

// The guide the material lines see: the lesson guidance window, or one given
// by a test.
class GuideForwarder : public LessonGuide
{
public:
    void IntroduceLesson(LessonCatalogue& catalogue) override
    {
        if (target)
            target->IntroduceLesson(catalogue);
    }
    LessonGuide* target = nullptr;
};

KeyboardLayout::Modifiers ToModifiers(Qt::KeyboardModifiers modifiers)
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

// What an option frame shows, to apply only the changes.
struct OptionLook
{
    std::string caption;
    std::int32_t fill = -1;
    std::int32_t border = -1;
    std::int32_t captionColour = -1;
};

} // namespace

struct SessionWindow::Impl
{
    Impl(SessionWindow& window, ProgramState& state, Services services);

    void BuildControls();
    void PlaceWindow();
    void Load();

    void KeyDown(int key);
    void KeyTyped(int code);
    void Handle(OptionOutcome outcome);
    void ExitToMenu();
    WindowPlacement Placement() const;

    void OpenKeyEdit(int key);
    bool KeyEditEvent(QEvent* event);
    void AfterKeyEdit(bool edited);
    void PlaceKeyEdit();
    void ResetKeys();
    void AskDedication();

    void Refresh();
    void RefreshOptions();
    void RefreshLines();
    void RefreshKeyboard();
    void RefreshCaptions();
    void SyncTimers();
    static void SetText(QLabel* label, const QString& text);

    SessionWindow& w;
    ProgramState& state;
    ui::QtDialogs ownDialogs;
    ui::QtBeeper ownBeeper;
    Dialogs& dialogs;
    Beeper& beeper;
    std::function<void()> endProgram;

    GuideForwarder guide;
    PracticeText practice;
    LessonCatalogue lessons;
    MaterialLines lines;
    TypingEngine engine;
    SessionOptions options;
    LessonHelpWindow* helpWindow = nullptr;
    bool left = false;

    QLabel* titleLabel = nullptr;
    QLabel* modeLabel = nullptr;
    QLabel* infoLabel = nullptr;
    std::array<ui::OptionFrame*, SessionOptions::kOptionCount> optionFrames{};
    std::array<OptionLook, SessionOptions::kOptionCount> shownLooks;
    QLabel* llerrors = nullptr;
    QLabel* llpercent = nullptr;
    QLabel* llwpm = nullptr;
    QLabel* lterrors = nullptr;
    QLabel* ltpercent = nullptr;
    QLabel* ltwpm = nullptr;
    QLabel* lsentnum = nullptr;
    QLabel* lTimeSpent = nullptr;
    QFrame* focusShape = nullptr;
    bool focusShapeShown = true;
    ui::TypingLineView* expectedLine = nullptr;
    ui::TypingLineView* typedLine = nullptr;
    std::string shownExpected;
    ui::KeyboardView* keyboard = nullptr;
    QLineEdit* keyEdit = nullptr;
    QPushButton* resetKeys = nullptr;
    QLabel* amarel = nullptr;
    ui::FocusBox* focusBox = nullptr;

    QTimer* statsTimer = nullptr;
    QTimer* caretTimer = nullptr;
    QTimer* flashTimer = nullptr;
    unsigned caretRestartsSeen = 0;
    unsigned flashRestartsSeen = 0;
};

SessionWindow::Impl::Impl(SessionWindow& window, ProgramState& programState, Services services)
    : w(window), state(programState), ownDialogs(&window),
      dialogs(services.dialogs ? *services.dialogs : ownDialogs),
      beeper(services.beeper ? *services.beeper : ownBeeper),
      endProgram(services.endProgram ? std::move(services.endProgram)
                                     : [] { QApplication::quit(); }),
      lessons(state.profile, state.appFolder),
      lines(state.profile, state.user, practice, lessons, guide),
      engine(SessionContext{state.profile, state.user, lines, state.layout, beeper}, state.totals,
             state.tallies),
      options(state.profile, state.user, engine)
{
    guide.target = services.guide;
}

void SessionWindow::Impl::BuildControls()
{
    w.setObjectName("main");
    w.setMouseTracking(true);

    titleLabel = new QLabel("Tarvelo", &w);
    titleLabel->setObjectName("lTitle");
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleLabel->setFont(titleFont);
    titleLabel->setStyleSheet("color: #203050;");

    modeLabel = new QLabel(&w);
    modeLabel->setObjectName("lMode");
    modeLabel->setTextFormat(Qt::PlainText);
    QFont modeFont = modeLabel->font();
    modeFont.setBold(true);
    modeFont.setPointSizeF(modeFont.pointSizeF() * 1.3);
    modeLabel->setFont(modeFont);
    modeLabel->setStyleSheet("color: #203050;");

    auto* header = new QHBoxLayout;
    header->addWidget(titleLabel);
    header->addStretch();
    header->addWidget(modeLabel);

    auto* optionColumn = new QVBoxLayout;
    optionColumn->setSpacing(6);
    for (int i = 0; i < SessionOptions::kOptionCount; ++i) {
        auto* frame = new ui::OptionFrame(QString(), &w);
        frame->setObjectName(QString("sOption%1").arg(i));
        frame->setMinimumWidth(150);
        optionFrames[i] = frame;
        optionColumn->addWidget(frame);
        QObject::connect(frame, &ui::OptionFrame::pressed, &w,
                         [this, i] { Handle(options.Press(i)); });
        QObject::connect(frame, &ui::OptionFrame::hovered, &w, [this, i] {
            options.HoverOption(i);
            Refresh();
        });
    }
    optionColumn->addStretch();

    infoLabel = new QLabel(&w);
    infoLabel->setObjectName("lInfo");
    infoLabel->setTextFormat(Qt::PlainText); // lines from data files are never markup
    infoLabel->setWordWrap(true);
    infoLabel->setMinimumHeight(infoLabel->fontMetrics().height() * 3 + 12);
    infoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    infoLabel->setStyleSheet(
        "QLabel#lInfo { background: rgba(255, 255, 255, 215); padding: 6px; border-radius: 4px; }");

    auto* panel = new QFrame(&w);
    panel->setObjectName("statsPanel");
    panel->setStyleSheet(
        "QFrame#statsPanel { background: rgba(255, 255, 255, 215); border-radius: 4px; }");
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(18);
    grid->addWidget(PanelLabel("Errors", panel), 0, 1);
    grid->addWidget(PanelLabel("Percentage", panel), 0, 2);
    grid->addWidget(PanelLabel("Speed (wpm)", panel), 0, 3);
    grid->addWidget(PanelLabel("Last", panel), 1, 0);
    grid->addWidget(PanelLabel("Total", panel), 2, 0);
    llerrors = PanelLabel("0", panel, "llerrors");
    llpercent = PanelLabel("100", panel, "llpercent");
    llwpm = PanelLabel("0", panel, "llwpm");
    lterrors = PanelLabel("0", panel, "lterrors");
    ltpercent = PanelLabel("100", panel, "ltpercent");
    ltwpm = PanelLabel("0", panel, "ltwpm");
    grid->addWidget(llerrors, 1, 1);
    grid->addWidget(llpercent, 1, 2);
    grid->addWidget(llwpm, 1, 3);
    grid->addWidget(lterrors, 2, 1);
    grid->addWidget(ltpercent, 2, 2);
    grid->addWidget(ltwpm, 2, 3);
    grid->addWidget(PanelLabel("Sentence Number:", panel), 3, 0, 1, 2);
    lsentnum = PanelLabel("0", panel, "lsentnum");
    grid->addWidget(lsentnum, 3, 2);
    grid->addWidget(PanelLabel("Time Spent:", panel), 4, 0, 1, 2);
    lTimeSpent = PanelLabel("0.0", panel, "lTimeSpent");
    grid->addWidget(lTimeSpent, 4, 2);
    grid->addWidget(PanelLabel("minutes", panel), 4, 3);

    infoLabel->setMaximumWidth(640);
    panel->setMaximumWidth(640);
    auto* centre = new QVBoxLayout;
    centre->addWidget(infoLabel);
    centre->addWidget(panel);
    centre->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addLayout(optionColumn);
    middle->addSpacing(12);
    middle->addLayout(centre, 1);

    focusShape = new QFrame(&w);
    focusShape->setObjectName("sFocus");
    auto* lineBox = new QVBoxLayout(focusShape);
    lineBox->setContentsMargins(4, 4, 4, 4);
    lineBox->setSpacing(4);
    expectedLine = new ui::TypingLineView("picText1", focusShape);
    typedLine = new ui::TypingLineView("picText2", focusShape);
    lineBox->addWidget(expectedLine);
    lineBox->addWidget(typedLine);
    expectedLine->onPressed = [this] { Handle(options.PressTypingLine()); };
    typedLine->onPressed = [this] { Handle(options.PressTypingLine()); };

    keyboard = new ui::KeyboardView(&w);
    QObject::connect(keyboard, &ui::KeyboardView::keyClicked, &w,
                     [this](int key) { OpenKeyEdit(key); });
    QObject::connect(keyboard, &ui::KeyboardView::keyHovered, &w, [this](int key) {
        options.HoverKey(key);
        Refresh();
    });
    keyboard->installEventFilter(&w);

    keyEdit = new QLineEdit(keyboard);
    keyEdit->setObjectName("tEnter");
    keyEdit->setAlignment(Qt::AlignCenter);
    keyEdit->hide();
    keyEdit->installEventFilter(&w);

    resetKeys = new QPushButton("Reset Keys", &w);
    resetKeys->setObjectName("lResetKeys");
    resetKeys->setFocusPolicy(Qt::NoFocus);
    QObject::connect(resetKeys, &QPushButton::clicked, &w, [this] { ResetKeys(); });

    amarel = new QLabel(QString(QChar(0x2661)), &w);
    amarel->setObjectName("amarel");
    QFont small = amarel->font();
    small.setPointSizeF(small.pointSizeF() * 0.7);
    amarel->setFont(small);
    amarel->setStyleSheet("color: rgba(255, 255, 255, 110);");
    amarel->installEventFilter(&w);

    auto* footer = new QHBoxLayout;
    footer->addWidget(amarel, 0, Qt::AlignBottom);
    footer->addStretch();
    footer->addWidget(resetKeys);

    focusBox = new ui::FocusBox(&w);
    QObject::connect(focusBox, &ui::FocusBox::keyDown, &w,
                     [this](int key, Qt::KeyboardModifiers) { KeyDown(key); });
    QObject::connect(focusBox, &ui::FocusBox::keyTyped, &w, [this](int code) { KeyTyped(code); });
    w.setFocusProxy(focusBox);

    auto* root = new QVBoxLayout(&w);
    root->setContentsMargins(14, 10, 14, 8);
    root->addLayout(header);
    root->addLayout(middle);
    root->addSpacing(6);
    root->addWidget(focusShape);
    root->addSpacing(6);
    root->addWidget(keyboard, 1);
    root->addLayout(footer);

    statsTimer = new QTimer(&w);
    caretTimer = new QTimer(&w);
    flashTimer = new QTimer(&w);
    for (QTimer* timer : {statsTimer, caretTimer, flashTimer})
        timer->setTimerType(Qt::PreciseTimer);
    statsTimer->setObjectName("Timer");
    caretTimer->setObjectName("TypingTimer");
    flashTimer->setObjectName("genTimer");
    QObject::connect(statsTimer, &QTimer::timeout, &w, [this] {
        engine.StatsTick();
        Refresh();
    });
    QObject::connect(caretTimer, &QTimer::timeout, &w, [this] {
        engine.CaretTick();
        Refresh();
    });
    QObject::connect(flashTimer, &QTimer::timeout, &w, [this] {
        flashTimer->stop();
        options.FlashTick();
        Refresh();
    });
}

void SessionWindow::Impl::PlaceWindow()
{
    const QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    w.resize(QSize(880, 680).boundedTo(available.size() * 9 / 10));
    // The stored corner, kept on screen; also where a maximized window
    // returns to.
    ui::PlaceAtTwips(&w, state.WindowLeft, state.WindowTop);
    if (OpensMaximized(state.profile))
        w.setWindowState(w.windowState() | Qt::WindowMaximized);
}

void SessionWindow::Impl::Load()
{
    PlaceWindow();
    options.Load();
    modeLabel->setText(ui::ToQString(options.ModeLabel()));
    w.setWindowTitle(ui::ToQString(SessionWindowTitle(state.user)));
    practice.LoadPracticeText(DataFilePath(state.appFolder, PracticeText::kFileName));
    lessons.LoadLessons(state.user.UserSection);
    if (state.user.SessionNumber == 0) {
        dialogs.ShowMessage(SessionOptions::kFirstUseText, SessionOptions::kFirstUseTitle,
                            MessageIcon::None);
    }
    if (!guide.target) {
        helpWindow = new LessonHelpWindow(state, &w);
        helpWindow->hide();
        guide.target = helpWindow;
    }
    state.layout.SetKeyCaptions();
    RefreshCaptions();
    if (helpWindow)
        helpWindow->LoadLessonLabels();
    caretTimer->start(engine.CaretTimer().intervalMs);
    caretRestartsSeen = engine.CaretTimer().restarts;
    flashRestartsSeen = engine.FlashTimer().restarts;
    Refresh();
    focusBox->setFocus();
}

void SessionWindow::Impl::KeyDown(int key)
{
    if (left)
        return;
    Handle(options.KeyDown(ui::ToNavigationKey(key)));
}

void SessionWindow::Impl::KeyTyped(int code)
{
    // Escape works as an option key only.
    if (left || code == 27)
        return;
    Handle(options.TypeKey(code));
}

void SessionWindow::Impl::Handle(OptionOutcome outcome)
{
    Refresh();
    switch (outcome) {
    case OptionOutcome::None:
        break;
    case OptionOutcome::ExitToMenu:
        ExitToMenu();
        break;
    case OptionOutcome::NothingToType:
        dialogs.ShowMessage(options.NothingToTypeMessage(), SessionOptions::kMessageTitle,
                            MessageIcon::Information);
        Refresh();
        break;
    }
}

WindowPlacement SessionWindow::Impl::Placement() const
{
    const QPoint twips = ui::PixelsToTwips(w.pos(), &w);
    return {w.isMaximized(), w.isMinimized(), twips.x(), twips.y()};
}

void SessionWindow::Impl::ExitToMenu()
{
    if (left)
        return;
    left = true;
    options.StopForExit();
    StoreExitPlacement(state, Placement());
    statsTimer->stop();
    caretTimer->stop();
    flashTimer->stop();
    w.hide();
    // Queued, so that the menu may delete the window from its slot.
    QMetaObject::invokeMethod(
        &w, [window = &w] { emit window->leftToMenu(); }, Qt::QueuedConnection);
}

void SessionWindow::Impl::OpenKeyEdit(int key)
{
    if (!state.layout.OpenEditBox(key))
        return;
    keyEdit->clear();
    PlaceKeyEdit();
    keyEdit->show();
    keyEdit->raise();
    keyEdit->setFocus();
}

void SessionWindow::Impl::PlaceKeyEdit()
{
    const QRect key = keyboard->keyRect(state.layout.EditingKey());
    keyEdit->setGeometry(key.left(), key.top(), key.width(), std::max(key.height(), 20));
}

bool SessionWindow::Impl::KeyEditEvent(QEvent* event)
{
    KeyboardLayout& layout = state.layout;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        layout.EditKeyDown(ToModifiers(key->modifiers()));
        if (!layout.EditBoxOpen())
            return true;
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
            AfterKeyEdit(layout.ClearKey(state.profile));
        } else if (const int code = ui::TypedCode(*key); code == 27 || code >= 32) {
            AfterKeyEdit(layout.AssignCharacter(code, state.profile));
        }
        return true;
    }
    case QEvent::KeyRelease:
        layout.EditKeyUp(ToModifiers(static_cast<QKeyEvent*>(event)->modifiers()));
        return true;
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            layout.EditBoxOpen()) {
            layout.CloseEditBox();
            AfterKeyEdit(false);
        }
        return false;
    default:
        return false;
    }
}

void SessionWindow::Impl::AfterKeyEdit(bool edited)
{
    if (!state.layout.EditBoxOpen()) {
        keyEdit->hide();
        focusBox->setFocus();
    }
    RefreshCaptions();
    if (edited && engine.Running())
        engine.ShowNextKey();
    Refresh();
}

void SessionWindow::Impl::ResetKeys()
{
    if (state.layout.ResetLayout(state.profile, dialogs)) {
        RefreshCaptions();
        if (engine.Running())
            engine.ShowNextKey();
        Refresh();
    }
    focusBox->setFocus();
}

void SessionWindow::Impl::AskDedication()
{
    const auto answer =
        dialogs.AskText(SessionOptions::kDedicationPrompt, SessionOptions::kMessageTitle, "");
    if (answer && IsDedicationAnswer(*answer)) {
        dialogs.ShowMessage(SessionOptions::kDedicationText, SessionOptions::kDedicationTitle,
                            MessageIcon::None);
    }
    focusBox->setFocus();
}

void SessionWindow::Impl::SetText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

void SessionWindow::Impl::Refresh()
{
    RefreshOptions();
    SetText(infoLabel, ui::ToQString(options.Hint()));
    const StatsPanel& panel = engine.Stats().Panel();
    SetText(llerrors, QString::fromStdString(panel.llerrors));
    SetText(llpercent, QString::fromStdString(panel.llpercent));
    SetText(llwpm, QString::fromStdString(panel.llwpm));
    SetText(lterrors, QString::fromStdString(panel.lterrors));
    SetText(ltpercent, QString::fromStdString(panel.ltpercent));
    SetText(ltwpm, QString::fromStdString(panel.ltwpm));
    SetText(lTimeSpent, QString::fromStdString(panel.lTimeSpent));
    SetText(lsentnum, QString::fromStdString(engine.SentenceNumberLabel()));
    if (engine.FocusShown() != focusShapeShown) {
        focusShapeShown = engine.FocusShown();
        focusShape->setStyleSheet(focusShapeShown
                                      ? "QFrame#sFocus { border: 2px solid #2060c0; }"
                                      : "QFrame#sFocus { border: 2px solid transparent; }");
    }
    RefreshLines();
    RefreshKeyboard();
    SyncTimers();
}

void SessionWindow::Impl::RefreshOptions()
{
    for (int i = 0; i < SessionOptions::kOptionCount; ++i) {
        ui::OptionFrame* frame = optionFrames[i];
        OptionLook& shown = shownLooks[i];
        const std::string caption = options.Caption(i);
        if (caption != shown.caption) {
            shown.caption = caption;
            frame->setCaption(ui::ToQString(caption));
        }
        if (options.Fill(i) != shown.fill) {
            shown.fill = options.Fill(i);
            frame->setFill(shown.fill);
        }
        if (options.Border(i) != shown.border) {
            shown.border = options.Border(i);
            frame->setBorder(shown.border);
        }
        if (options.CaptionColour(i) != shown.captionColour) {
            shown.captionColour = options.CaptionColour(i);
            frame->setCaptionColour(shown.captionColour);
        }
    }
}

void SessionWindow::Impl::RefreshLines()
{
    const std::string expected = engine.ExpectedText();
    if (expected != shownExpected) {
        shownExpected = expected;
        const QString text = ui::ToQString(expected);
        std::vector<ui::TypingLineView::Glyph> glyphs;
        glyphs.reserve(static_cast<std::size_t>(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] != QLatin1Char(' '))
                glyphs.push_back({static_cast<double>(i), text[i], Qt::black});
        }
        expectedLine->SetGlyphs(std::move(glyphs), text);
    }

    // The typed line is drawn only while a run is on; stopped, it stays empty.
    std::vector<ui::TypingLineView::Glyph> glyphs;
    QString typed;
    if (engine.Running()) {
        for (const TypedGlyph& glyph : engine.TypedLineGlyphs()) {
            const QString character = ui::ToQString(std::string_view(&glyph.character, 1));
            glyphs.push_back({glyph.cell, character.at(0), ui::FromBgr(glyph.colour)});
            const bool caret = glyph.cell != std::floor(glyph.cell);
            if (!caret)
                typed += character;
        }
    }
    typedLine->SetGlyphs(std::move(glyphs), typed);
}

void SessionWindow::Impl::RefreshKeyboard()
{
    const std::vector<int>& highlighted = engine.HighlightedKeys();
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key) {
        const bool lit =
            std::find(highlighted.begin(), highlighted.end(), key) != highlighted.end();
        keyboard->setFill(
            key, ui::FromBgr(lit ? TypingEngine::kHighlightColour : ui::KeyboardView::kKeyFill));
        keyboard->setBorder(key, ui::FromBgr(key == options.HoveredKey()
                                                 ? SessionOptions::kHoverKeyBorder
                                                 : SessionOptions::kKeyBorder));
    }
}

void SessionWindow::Impl::RefreshCaptions()
{
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key)
        keyboard->setCaption(key, ui::ToQString(state.layout.Caption(key)));
}

void SessionWindow::Impl::SyncTimers()
{
    const TimerState stats = engine.StatsTimer();
    if (stats.enabled && !statsTimer->isActive())
        statsTimer->start(stats.intervalMs);
    else if (!stats.enabled && statsTimer->isActive())
        statsTimer->stop();

    const TimerState caret = engine.CaretTimer();
    if (!left && (caret.restarts != caretRestartsSeen || !caretTimer->isActive())) {
        caretRestartsSeen = caret.restarts;
        caretTimer->start(caret.intervalMs);
    }

    const TimerState flash = engine.FlashTimer();
    if (flash.restarts != flashRestartsSeen) {
        flashRestartsSeen = flash.restarts;
        flashTimer->start(flash.intervalMs);
    }
}

SessionWindow::SessionWindow(ProgramState& state, QWidget* parent)
    : SessionWindow(state, Services{}, parent)
{}

SessionWindow::SessionWindow(ProgramState& state, Services services, QWidget* parent)
    : ui::PictureWindow(QString::fromStdString(state.appFolder), parent),
      m_impl(std::make_unique<Impl>(*this, state, std::move(services)))
{
    m_impl->BuildControls();
    m_impl->Load();
}

SessionWindow::~SessionWindow()
{
    for (QObject* watched :
         std::initializer_list<QObject*>{m_impl->keyEdit, m_impl->keyboard, m_impl->amarel})
        watched->removeEventFilter(this);
    // Controls and timers go first: their handlers use the session state.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    qDeleteAll(findChildren<QTimer*>(Qt::FindDirectChildrenOnly));
}

void SessionWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_impl->left)
        return;
    m_impl->left = true;
    StoreClosePlacement(m_impl->state, m_impl->Placement());
    m_impl->endProgram();
}

void SessionWindow::mouseMoveEvent(QMouseEvent* event)
{
    ui::PictureWindow::mouseMoveEvent(event);
    m_impl->options.HoverBackground();
    m_impl->Refresh();
}

bool SessionWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_impl->keyEdit)
        return m_impl->KeyEditEvent(event);
    if (watched == m_impl->keyboard && event->type() == QEvent::Resize &&
        m_impl->state.layout.EditBoxOpen()) {
        m_impl->PlaceKeyEdit();
    }
    if (watched == m_impl->amarel && event->type() == QEvent::MouseButtonPress) {
        m_impl->AskDedication();
        return true;
    }
    return ui::PictureWindow::eventFilter(watched, event);
}

} // namespace tarvelo
