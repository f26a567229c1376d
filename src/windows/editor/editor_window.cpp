#include "windows/editor/editor_window.h"

#include "state/program_state.h"
#include "ui/option_frame.h"
#include "ui/option_row.h"
#include "ui/qt_dialogs.h"
#include "ui/text_codec.h"
#include "windows/editor/language_help_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tarvelo {
namespace {

std::u32string ToUnicode(const QString& text)
{
    const QList<uint> ucs4 = text.toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

} // namespace

EditorWindow::EditorWindow(ProgramState& state, EditorServices services, QWidget* parent)
    : ui::ActivityWindow(state, settings::kEditorMaximized, parent), m_services(std::move(services))
{
    setObjectName("Editor");
    setWindowTitle(ui::ToQString(PracticeEditor::kTitle));
    setMouseTracking(true);

    Dialogs* dialogs = m_services.dialogs;
    if (!dialogs) {
        m_ownDialogs = std::make_unique<ui::QtDialogs>(this);
        dialogs = m_ownDialogs.get();
    }
    m_editor = std::make_unique<PracticeEditor>(state, *dialogs);

    buildControls();
    place(QSize(760, 600));
    m_editor->Open();
    refresh();
    m_text->setFocus();
}

EditorWindow::~EditorWindow()
{
    m_text->removeEventFilter(this);
    delete m_language.data();
}

void EditorWindow::buildControls()
{
    auto* caption = new QLabel("The following is the text that this program uses in practice:");
    caption->setObjectName("lCaption");
    caption->setStyleSheet("background: rgba(255, 255, 255, 215); padding: 4px;");

    m_text = new QPlainTextEdit;
    m_text->setObjectName("txtAllText");
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_backgroundHover.watch(m_text->viewport());
    m_text->installEventFilter(this); // Ctrl+Tab leaves the text
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] { m_editor->TextChanged(); });

    auto* options = new QHBoxLayout;
    options->setSpacing(12);
    ui::AddOptionRow(*options, m_options, *this,
                     {.caption = ui::CaptionsOf(&PracticeEditor::OptionCaption),
                      .pressed = [this](int i) { pressOption(static_cast<EditorOption>(i)); },
                      .hovered = [this](int i) { hoverOption(static_cast<EditorOption>(i)); },
                      .tabStops = true});
    options->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(caption);
    layout->addWidget(m_text, 1);
    layout->addLayout(options);

    // Escape asks as Close does.
    const std::pair<QKeySequence, EditorOption> keys[] = {{QKeySequence::Save, EditorOption::Save},
                                                          {Qt::Key_Escape, EditorOption::Close}};
    for (const auto& [sequence, option] : keys) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, [this, option] { pressOption(option); });
    }
}

void EditorWindow::pressOption(EditorOption option)
{
    const EditorAction action = m_editor->PressOption(option, ToUnicode(m_text->toPlainText()));
    refresh();
    switch (action) {
    case EditorAction::Saved:
        if (m_services.playSound)
            m_services.playSound(m_editor->SoundPath());
        break;
    case EditorAction::Close:
        leave();
        break;
    case EditorAction::ShowLanguageHelp:
        if (!m_language)
            m_language = new LanguageHelpWindow;
        m_language->showBeside(*this);
        break;
    case EditorAction::None:
        break;
    }
}

void EditorWindow::hoverOption(std::optional<EditorOption> option)
{
    if (m_editor->HoverOption(option))
        refresh();
}

bool EditorWindow::mayClose()
{
    return m_editor->ConfirmClose();
}

void EditorWindow::stopping(bool)
{
    if (m_language)
        m_language->close();
}

void EditorWindow::refresh()
{
    if (m_shownLoad != m_editor->LoadCount()) {
        m_shownLoad = m_editor->LoadCount();
        // Showing loaded text is no edit of the user's.
        const QSignalBlocker blocker(m_text);
        m_text->setPlainText(ui::ToQString(m_editor->LoadedText()).replace("\r\n", "\n"));
    }
    for (int i = 0; i < PracticeEditor::kOptionCount; ++i) {
        ui::OptionFrame* frame = m_options[static_cast<std::size_t>(i)];
        frame->setFill(PracticeEditor::OptionFill(static_cast<EditorOption>(i)));
        frame->setBorder(m_editor->OptionBorder(static_cast<EditorOption>(i)));
    }
}

void EditorWindow::mouseMoveEvent(QMouseEvent* event)
{
    hoverOption(std::nullopt);
    ui::ActivityWindow::mouseMoveEvent(event);
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Tab types a Tab into the text; Ctrl+Tab and Ctrl+Shift+Tab move on.
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers().testFlag(Qt::ControlModifier) &&
            (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            focusNextPrevChild(key->key() == Qt::Key_Tab &&
                               !key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return ui::ActivityWindow::eventFilter(watched, event);
}

} // namespace tarvelo
