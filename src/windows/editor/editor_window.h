#pragma once

#include "editor/practice_editor.h"
#include "state/window_placement.h"
#include "ui/picture_window.h"

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
class EditorWindow : public ui::PictureWindow
{
    Q_OBJECT

public:
    explicit EditorWindow(ProgramState& state, EditorServices services = {},
                          QWidget* parent = nullptr);
    ~EditorWindow() override;

    PracticeEditor& editor() { return *m_editor; }
    void pressOption(EditorOption option);

signals:
    // After the window has stored its position and hidden itself (queued,
    // so the receiver may delete the window).
    void leftToMenu();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void hoverOption(std::optional<EditorOption> option);
    void leave();
    void refresh();

    ProgramState& m_state;
    EditorServices m_services;
    std::unique_ptr<ui::QtDialogs> m_ownDialogs;
    std::unique_ptr<PracticeEditor> m_editor;
    PlacementStore m_placement;
    unsigned m_shownLoad = 0;
    bool m_left = false;

    QPlainTextEdit* m_text = nullptr;
    std::array<ui::OptionFrame*, PracticeEditor::kOptionCount> m_options{};
    QPointer<LanguageHelpWindow> m_language;
};

} // namespace tarvelo
