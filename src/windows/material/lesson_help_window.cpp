#include "windows/material/lesson_help_window.h"

#include "state/program_state.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/navigation_keys.h"
#include "ui/option_frame.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "ui/twips.h"
#include "ui/window_placement.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace tarvelo {

LessonHelpWindow::LessonHelpWindow(ProgramState& state, QWidget* parent)
    : ui::PictureWindow(state.appFolder, parent), m_state(state), m_heading(new QLabel(this)),
      m_text(new QPlainTextEdit(this)), m_keyboard(new ui::KeyboardView(this)),
      m_focusBox(new ui::FocusBox(this))
{
    setObjectName("LessonHelp");
    m_heading->setTextFormat(Qt::PlainText);
    setWindowFlags(Qt::Dialog);
    setWindowTitle("Lesson Introduction");
    setMouseTracking(true);
    ui::ResizeWithin(*this, QSize(660, 560));

    m_heading->setObjectName("lLesson");
    m_heading->setWordWrap(true);
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    m_heading->setFont(headingFont);
    ui::MakePanel(m_heading);

    // Read-only and never focused, so the keys stay with the focus box.
    m_text->setObjectName("txtIntro");
    m_text->setReadOnly(true);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->viewport()->setMouseTracking(true);
    m_text->viewport()->installEventFilter(this);

    auto* options = new QHBoxLayout;
    options->setSpacing(12);
    for (int i = 0; i < LessonGuidance::kOptionCount; ++i) {
        const auto option = static_cast<GuidanceOption>(i);
        auto* frame = new ui::OptionFrame(QString(), this);
        frame->setObjectName(QString("sOption%1").arg(i));
        connect(frame, &ui::OptionFrame::pressed, this, [this, option] { pressOption(option); });
        connect(frame, &ui::OptionFrame::hovered, this, [this, option] { hoverOption(option); });
        options->addWidget(frame);
        m_options[static_cast<std::size_t>(i)] = frame;
    }
    options->addStretch();

    // The picture shows the character keys, Shift, the space bar and the two
    // number-row keys 35 and 36.
    for (int key = LessonGuidance::kPictureKeys + 1; key <= ui::KeyboardView::kKeyCount; ++key)
        m_keyboard->setShown(key, false);
    connect(m_keyboard, &ui::KeyboardView::keyHovered, this, [this] { hoverOption(std::nullopt); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(m_heading);
    layout->addWidget(m_text, 2);
    layout->addLayout(options);
    layout->addWidget(m_keyboard, 3);

    connect(m_focusBox, &ui::FocusBox::keyDown, this, [this](int key) { pressKey(key); });
    setFocusProxy(m_focusBox);

    loadLessonLabels();
    refresh();
}

LessonHelpWindow::~LessonHelpWindow()
{
    if (m_wait)
        m_wait->quit();
}

void LessonHelpWindow::loadLessonLabels()
{
    m_guidance.LoadLessonLabels(m_state.layout);
    refresh();
}

void LessonHelpWindow::IntroduceLesson(LessonCatalogue& catalogue)
{
    if (m_wait)
        return; // already open
    if (m_released) {
        m_guidance = LessonGuidance();
        m_released = false;
        loadLessonLabels();
    }
    m_catalogue = &catalogue;
    catalogue.LoadLessonLetters();
    m_guidance.HighlightLessonKeys(catalogue);
    m_guidance.ShowIntro(catalogue.LessonNumber(), catalogue);
    refresh();

    placeWindow();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    m_focusBox->setFocus();

    QEventLoop wait;
    m_wait = &wait;
    const QPointer<LessonHelpWindow> alive(this);
    wait.exec(QEventLoop::DialogExec);
    if (!alive)
        return;
    m_wait = nullptr;
    m_catalogue = nullptr;
}

void LessonHelpWindow::pressKey(int key)
{
    if (!m_catalogue)
        return;
    const bool close = m_guidance.PressKey(ui::ToNavigationKey(key), *m_catalogue);
    if (close)
        closeGuidance();
    else
        refresh();
}

void LessonHelpWindow::pressOption(GuidanceOption option)
{
    if (!m_catalogue)
        return;
    if (m_guidance.PressOption(option, *m_catalogue))
        closeGuidance();
    else
        refresh();
}

void LessonHelpWindow::hoverOption(std::optional<GuidanceOption> option)
{
    if (m_guidance.HoveredOption() == option)
        return;
    m_guidance.HoverOption(option);
    refresh();
}

void LessonHelpWindow::closeGuidance()
{
    hide();
    m_released = true;
    if (m_wait)
        m_wait->quit();
}

void LessonHelpWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    closeGuidance();
}

void LessonHelpWindow::mouseMoveEvent(QMouseEvent* event)
{
    hoverOption(std::nullopt);
    ui::PictureWindow::mouseMoveEvent(event);
}

bool LessonHelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text->viewport() &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter))
        hoverOption(std::nullopt);
    return ui::PictureWindow::eventFilter(watched, event);
}

void LessonHelpWindow::placeWindow()
{
    // Over the session window's top-left corner, where the user is looking;
    // without one, at the shared position.
    if (const QWidget* owner = parentWidget()) {
        move(owner->window()->pos());
        return;
    }
    ui::PlaceAtTwips(this, m_state.WindowLeft, m_state.WindowTop);
}

void LessonHelpWindow::refresh()
{
    m_heading->setText(ui::ToQString(m_guidance.Heading()));
    const QString introduction = ui::ToQString(m_guidance.Introduction());
    if (m_text->toPlainText() != introduction)
        m_text->setPlainText(introduction);
    for (int i = 0; i < LessonGuidance::kOptionCount; ++i) {
        const auto option = static_cast<GuidanceOption>(i);
        ui::OptionFrame* frame = m_options[static_cast<std::size_t>(i)];
        frame->setCaption(ui::ToQString(m_guidance.OptionCaption(option)));
        frame->setFill(m_guidance.OptionFill(option));
        frame->setBorder(m_guidance.OptionBorder(option));
    }
    m_focusBox->setStandIn(m_options[static_cast<std::size_t>(m_guidance.SelectedOption())]);
    if (accessibleDescription() != introduction)
        setAccessibleDescription(introduction); // read with the window's title
    for (int key = 1; key <= LessonGuidance::kPictureKeys; ++key) {
        m_keyboard->setCaption(key, ui::ToQString(m_guidance.KeyLabel(key)));
        m_keyboard->setFill(key, ui::ShownFill(m_guidance.KeyColour(key)));
    }
}

} // namespace tarvelo
