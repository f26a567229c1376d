// The lesson, letters and lesson-help files: any contents, then a walk through
// the lessons. Drill lines end with a space, letters stay within their limit,
// and handing out lines always comes to an end of each call.
#include "material/lesson_catalogue.h"
#include "material/lesson_guide.h"
#include "profile/profile_store.h"
#include "scratch_folder.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Picks another lesson during the introduction, as the user may.
class PickingGuide : public tarvelo::LessonGuide
{
public:
    explicit PickingGuide(FuzzedDataProvider& input) : m_input(input) {}
    void IntroduceLesson(tarvelo::LessonCatalogue& catalogue) override
    {
        if (m_input.ConsumeBool())
            catalogue.SetLesson(m_input.ConsumeIntegralInRange(-2, 16));
    }

private:
    FuzzedDataProvider& m_input;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using tarvelo::LessonCatalogue;
    namespace fuzz = tarvelo::fuzz;
    FuzzedDataProvider input(data, size);
    fuzz::WriteScratchFile(LessonCatalogue::kLessonsFileName,
                           input.ConsumeRandomLengthString(4000));
    fuzz::WriteScratchFile(LessonCatalogue::kLettersFileName, input.ConsumeRandomLengthString(400));
    const std::string help = input.ConsumeRandomLengthString(2000);
    fuzz::WriteScratchFile(tarvelo::ProfileStore::kFileName,
                           "[user0]\r\nlesson=" + input.ConsumeRandomLengthString(6) + "\r\n");

    for (const std::string& introduction : tarvelo::ReadLessonIntroductions(help))
        Check(introduction.find('\n') == std::string::npos);

    tarvelo::ProfileStore profile(fuzz::ScratchFolder());
    LessonCatalogue catalogue(profile, fuzz::ScratchFolder());
    catalogue.LoadLessons("user0");
    catalogue.LoadLessonLetters();
    for (int lesson = 1; lesson <= LessonCatalogue::kLessonCount; ++lesson) {
        Check(catalogue.LessonLetters(lesson).size() <= LessonCatalogue::kMaxLetters);
        const auto lines = catalogue.DrillLines(lesson);
        Check(lines.size() <= LessonCatalogue::kMaxDrillLines);
        for (const std::string& line : lines)
            Check(!line.empty() && line.back() == ' ');
    }
    PickingGuide guide(input);
    for (int step = 0; step < 60 && input.remaining_bytes() > 0; ++step) {
        const std::string line = catalogue.NextLessonLine(guide);
        Check(line.empty() || line.back() == ' ');
        Check(catalogue.LessonNumber() >= 1 &&
              catalogue.LessonNumber() <= LessonCatalogue::kCompletedLesson);
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            catalogue.AdvanceLesson();
            break;
        case 1:
            catalogue.RewindLessonLine();
            break;
        default:
            break;
        }
    }
    return 0;
}
