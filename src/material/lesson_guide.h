#pragma once

namespace tarvelo {

class LessonCatalogue;

// The modal lesson guidance step: implemented by the lesson window, and by
// fakes in tests.
class LessonGuide
{
public:
    virtual ~LessonGuide() = default;
    // A lesson starts: highlight its keys, show its introduction (lesson 14 is
    // the completion page) and wait until closed. The user may pick another
    // lesson meanwhile, through catalogue.SetLesson().
    virtual void IntroduceLesson(LessonCatalogue& catalogue) = 0;
};

} // namespace tarvelo
