#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

class LessonGuide;
class ProfileStore;

// The graded lessons: their drill lines, the letters each lesson introduces,
// and which lesson and line the current user types next. The lesson number is
// kept per user under "lesson"; the line is not stored. Text is code-page
// bytes.
class LessonCatalogue
{
public:
    static constexpr std::string_view kLessonsFileName = "Tarvelo Lessons.txt";
    static constexpr std::string_view kLettersFileName = "Tarvelo Letters.txt";
    static constexpr std::string_view kHelpFileName = "Tarvelo Lessonhelp.txt";
    static constexpr int kLessonCount = 13;
    // The lesson number while the completion of all lessons is reported.
    static constexpr int kCompletedLesson = kLessonCount + 1;
    // Drill lines a lesson keeps; further lines up to its blank line are ignored.
    static constexpr int kMaxDrillLines = 20;
    // Letters a lesson keeps; further characters of its letters line are ignored.
    static constexpr int kMaxLetters = 10;
    // Introductions in the help file: lessons 1..13, then the completion page.
    static constexpr int kIntroductionCount = kCompletedLesson;

    LessonCatalogue(ProfileStore& profile, std::string appFolder);

    // Reads the lessons file (a missing file leaves no lessons), then
    // LoadLessonNumber.
    void LoadLessons(std::string_view userSection);
    // The stored "lesson" of `userSection` (below 1 or not a number: 1), at
    // its first line. Later lesson changes are written to that section.
    void LoadLessonNumber(std::string_view userSection);
    // Reads the letters file, unless lesson 1's first letter is already known.
    void LoadLessonLetters();

    // The next drill line, ending with a space. At a lesson start the guide
    // introduces the lesson first. Lessons without lines are passed over; an
    // empty result means no lesson has a line.
    std::string NextLessonLine(LessonGuide& guide);
    // On to the next lesson's first line; stores the number.
    void AdvanceLesson();
    // Selects lesson 1..14 (other numbers are clamped) and stores it; the
    // line stays.
    void SetLesson(int lesson);
    // Typing stopped: the line handed out last is handed out again.
    void RewindLessonLine();

    std::int16_t LessonNumber() const { return m_lessonNumber; }
    // The 1-based line of the current lesson that is handed out next.
    std::int16_t LessonLine() const { return m_lessonLine; }

    // The drill lines of lesson 1..13 as stored, each ending with a space.
    std::vector<std::string> DrillLines(int lesson) const;
    // The letters lesson 1..13 introduces, one character each, "^" standing
    // for Shift; empty before LoadLessonLetters.
    std::string_view LessonLetters(int lesson) const;

    // The introductions of the help file in the application folder.
    std::array<std::string, kIntroductionCount> LoadLessonIntroductions() const;

private:
    // A drill line slot per line, and one more for the lesson's blank line.
    static constexpr int kSlotsPerLesson = kMaxDrillLines + 1;

    // The slot's text; empty outside the table.
    std::string_view Slot(int lesson, int line) const;
    // The slot holds no drill line: the lesson is used up there.
    bool IsLessonEnd(int lesson, int line) const;
    // Like AdvanceLesson, passing over lessons without lines.
    void AdvanceToLessonWithLines();
    void StoreLessonNumber();

    ProfileStore& m_profile;
    std::string m_appFolder;
    std::string m_userSection;
    std::array<std::array<std::string, kSlotsPerLesson>, kLessonCount> m_lines;
    std::array<std::string, kLessonCount> m_letters;
    bool m_hasDrillLine = false;
    std::int16_t m_lessonNumber = 1;
    std::int16_t m_lessonLine = 1;
};

// The 14 introduction lines after the help file's header line; lines the
// file lacks are empty. Lines end with CR LF, a lone CR or a lone LF.
std::array<std::string, LessonCatalogue::kIntroductionCount>
ReadLessonIntroductions(std::string_view fileBytes);

} // namespace tarvelo
