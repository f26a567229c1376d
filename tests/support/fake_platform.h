#pragma once

#include "history/history_clock.h"
#include "material/lesson_catalogue.h"
#include "material/lesson_guide.h"
#include "platform/beeper.h"

#include <cstddef>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvelo::test {

// Counts the beeps of wrong keys.
class CountingBeeper : public Beeper
{
public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

// A clock that moves only when told to.
class SteppedUtcClock : public UtcClock
{
public:
    explicit SteppedUtcClock(std::int64_t start = 1'780'000'000) : now(start) {}
    std::int64_t NowUtc() const override { return now; }
    std::int64_t now;
};

// Records each lesson introduced and the letters it showed; picks the next
// lesson of `choices`, if any, as the user would in the window.
class RecordingGuide : public LessonGuide
{
public:
    void IntroduceLesson(LessonCatalogue& catalogue) override
    {
        // A catalogue that introduces lessons endlessly fails instead of hanging.
        if (shown.size() >= 1000)
            throw std::runtime_error("the lesson guide is shown again and again");
        shown.push_back(catalogue.LessonNumber());
        letters.emplace_back(catalogue.LessonLetters(catalogue.LessonNumber()));
        if (!choices.empty()) {
            catalogue.SetLesson(choices.front());
            choices.pop_front();
        }
    }

    std::vector<int> shown;
    std::vector<std::string> letters;
    std::deque<int> choices;
};

// A data file's bytes: a header line, then `lines`, each ending CR LF.
inline std::string DataFileText(const std::vector<std::string>& lines)
{
    std::string text = "A header line\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace tarvelo::test
