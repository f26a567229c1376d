#pragma once

#include "editor/practice_editor.h"
#include "ui/activity_window.h"
#include "ui/background_hover.h"

#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>

class QPlainTextEdit;

namespace tarvelo {

class LanguageHelpWindow;

namespace ui {
class OptionFrame;
class QtDialogs;
} // namespace ui

struct EditorServices
{
    Dialogs* dialogs = nullptr; // null: message boxes over the window
    // Plays a wave file after a save; empty: no sound.
    std::function<void(const std::string& wavePath)> playSound;
};

// The practice text editor "Editor": the text box, the options Restore
// Default, Save Changes, Close and Language over the background picture.
class EditorWindow : public ui::ActivityWindow
{
    Q_OBJECT

public:
    explicit EditorWindow(ProgramState& state, EditorServices services = {},
                          QWidget* parent = nullptr);
    ~EditorWindow() override;

    PracticeEditor& editor() { return *m_editor; }
    void pressOption(EditorOption option);

protected:
    // The close box asks like Close: unsaved text is never dropped silently.
    bool mayClose() override;
    void stopping(bool closed) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void hoverOption(std::optional<EditorOption> option);
    void refresh();

    EditorServices m_services;
    std::unique_ptr<ui::QtDialogs> m_ownDialogs;
    std::unique_ptr<PracticeEditor> m_editor;
    unsigned m_shownLoad = 0;

    QPlainTextEdit* m_text = nullptr;
    std::array<ui::OptionFrame*, PracticeEditor::kOptionCount> m_options{};
    QPointer<LanguageHelpWindow> m_language;
    ui::BackgroundHover m_backgroundHover{[this] { hoverOption(std::nullopt); }};
};

} // namespace tarvelo
