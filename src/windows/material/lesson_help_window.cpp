#include "windows/material/lesson_help_window.h"

#include "state/program_state.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/labels.h"
#include "ui/navigation_keys.h"
#include "ui/option_frame.h"
#include "ui/option_row.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace tarvelo {

LessonHelpWindow::LessonHelpWindow(ProgramState& state, QWidget* parent)
    : ui::ModalPictureWindow(state.appFolder, parent), m_state(state),
      m_heading(ui::MakeLabel(QString(), "lLesson", {.scale = 1.4, .bold = true})),
      m_text(new QPlainTextEdit(this)), m_keyboard(new ui::KeyboardView(this)),
      m_focusBox(new ui::FocusBox(this))
{
    setObjectName("LessonHelp");
    setWindowTitle("Lesson Introduction");
    setMouseTracking(true);
    ui::ResizeWithin(*this, QSize(660, 560));

    m_heading->setWordWrap(true);
    ui::MakePanel(m_heading);

    // Read-only and never focused, so the keys stay with the focus box.
    m_text->setObjectName("txtIntro");
    m_text->setReadOnly(true);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_backgroundHover.watch(m_text->viewport());

    auto* options = new QHBoxLayout;
    options->setSpacing(12);
    ui::AddOptionRow(*options, m_options, *this,
                     {.pressed = [this](int i) { pressOption(static_cast<GuidanceOption>(i)); },
                      .hovered = [this](int i) { hoverOption(static_cast<GuidanceOption>(i)); }});
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

void LessonHelpWindow::loadLessonLabels()
{
    m_guidance.LoadLessonLabels(m_state.layout);
    refresh();
}

void LessonHelpWindow::IntroduceLesson(LessonCatalogue& catalogue)
{
    if (waiting())
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
    if (exec())
        m_catalogue = nullptr;
}

void LessonHelpWindow::pressKey(int key)
{
    if (!m_catalogue)
        return;
    const bool close = m_guidance.PressKey(ui::ToNavigationKey(key), *m_catalogue);
    if (close)
        done();
    else
        refresh();
}

void LessonHelpWindow::pressOption(GuidanceOption option)
{
    if (!m_catalogue)
        return;
    if (m_guidance.PressOption(option, *m_catalogue))
        done();
    else
        refresh();
}

void LessonHelpWindow::hoverOption(std::optional<GuidanceOption> option)
{
    if (m_guidance.HoverOption(option))
        refresh();
}

void LessonHelpWindow::done()
{
    m_released = true;
    ui::ModalPictureWindow::done();
}

void LessonHelpWindow::mouseMoveEvent(QMouseEvent* event)
{
    hoverOption(std::nullopt);
    ui::ModalPictureWindow::mouseMoveEvent(event);
}

void LessonHelpWindow::placeWindow()
{
    // Over the session window's top-left corner, where the user is looking;
    // without one, at the shared position.
    if (const QWidget* owner = parentWidget())
        ui::PlaceOver(*this, *owner);
    else
        ui::PlaceWindow(*this, m_state);
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
