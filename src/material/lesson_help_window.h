#pragma once

#include "material/lesson_guide.h"
#include "ui/picture_window.h"

namespace tarvelo {

struct ProgramState;

// The lesson guidance window: the introduction of a lesson with its keys
// highlighted on a keyboard picture. Modal while a lesson is introduced.
class LessonHelpWindow : public ui::PictureWindow, public LessonGuide
{
    Q_OBJECT

public:
    explicit LessonHelpWindow(ProgramState& state, QWidget* parent = nullptr);
    ~LessonHelpWindow() override;

    // Key captions from the session keyboard: lLetter 1..31 = keys 1..31,
    // 0 = key 35, 35 = key 36.
    void LoadLessonLabels();
    // Highlights the lesson's keys, shows its introduction and waits until
    // the window is closed. The user may step lessons meanwhile, through
    // catalogue.SetLesson().
    void IntroduceLesson(LessonCatalogue& catalogue) override;
};

} // namespace tarvelo
