#pragma once

#include "material/lesson_guidance.h"
#include "material/lesson_guide.h"
#include "ui/background_hover.h"
#include "ui/modal_picture_window.h"

#include <array>

class QLabel;
class QPlainTextEdit;

namespace tarvelo {

struct ProgramState;

namespace ui {
class FocusBox;
class KeyboardView;
class OptionFrame;
} // namespace ui

// The lesson guidance window: the introduction of a lesson with its keys
// highlighted on a keyboard picture, modal while a lesson is introduced.
// Closing it releases its state: the next introduction starts afresh.
class LessonHelpWindow : public ui::ModalPictureWindow, public LessonGuide
{
    Q_OBJECT
    Q_PROPERTY(int shownLesson READ shownLesson)

public:
    explicit LessonHelpWindow(ProgramState& state, QWidget* parent = nullptr);

    // Key captions from the session keyboard: lLetter 1..31 = keys 1..31,
    // 0 = key 35, 35 = key 36.
    void loadLessonLabels();
    // Highlights the lesson's keys, shows its introduction and waits until
    // the window is closed. The user may step lessons meanwhile, through
    // catalogue.SetLesson().
    void IntroduceLesson(LessonCatalogue& catalogue) override;
    // Closes the introduction and releases its state.
    void done() override;

    // The lesson whose introduction is shown; 0 when none is.
    int shownLesson() const { return m_guidance.ShownLesson(); }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void pressKey(int key);
    void pressOption(GuidanceOption option);
    void hoverOption(std::optional<GuidanceOption> option);
    void placeWindow();
    void refresh();

    ProgramState& m_state;
    LessonGuidance m_guidance;
    LessonCatalogue* m_catalogue = nullptr;
    // Closed since the labels were loaded: the next introduction starts afresh.
    bool m_released = false;

    QLabel* m_heading;
    QPlainTextEdit* m_text;
    std::array<ui::OptionFrame*, LessonGuidance::kOptionCount> m_options{};
    ui::KeyboardView* m_keyboard;
    ui::FocusBox* m_focusBox;
    ui::BackgroundHover m_backgroundHover{[this] { hoverOption(std::nullopt); }};
};

} // namespace tarvelo
