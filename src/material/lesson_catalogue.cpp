#include "material/lesson_catalogue.h"

#include "material/lesson_guide.h"
#include "material/text_file_lines.h"
#include "profile/app_folder.h"
#include "profile/data_file.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"

#include <algorithm>

namespace tarvelo {
namespace {

std::vector<std::string> ReadLinesAfterHeader(std::string_view folder, std::string_view name)
{
    return LinesAfterHeader(ReadDataFile(DataFilePath(folder, name)).bytes);
}

bool IsBlank(std::string_view slot)
{
    return slot.empty() || slot == " ";
}

} // namespace

LessonCatalogue::LessonCatalogue(ProfileStore& profile, std::string appFolder)
    : m_profile(profile), m_appFolder(std::move(appFolder))
{}

void LessonCatalogue::LoadLessons(std::string_view userSection)
{
    m_lines = {};
    m_hasDrillLine = false;
    int lesson = 1;
    int line = 1;
    for (std::string& text : ReadLinesAfterHeader(m_appFolder, kLessonsFileName)) {
        if (lesson > kLessonCount)
            break;
        if (text.empty() || text.back() != ' ')
            text.push_back(' ');
        if (text == " ") {
            m_lines[lesson - 1][line - 1] = std::move(text);
            ++lesson;
            line = 1;
        } else if (line <= kMaxDrillLines) {
            m_lines[lesson - 1][line - 1] = std::move(text);
            ++line;
            m_hasDrillLine = true;
        }
    }
    LoadLessonNumber(userSection);
}

void LessonCatalogue::LoadLessonNumber(std::string_view userSection)
{
    m_userSection = std::string(userSection);
    m_lessonNumber = std::max<std::int16_t>(m_profile.Read(m_userSection, settings::kLesson), 1);
    m_lessonLine = 1;
}

void LessonCatalogue::LoadLessonLetters()
{
    if (!m_letters[0].empty())
        return;
    const std::vector<std::string> lines = ReadLinesAfterHeader(m_appFolder, kLettersFileName);
    for (std::size_t i = 0; i < m_letters.size(); ++i)
        m_letters[i] = i < lines.size() ? lines[i].substr(0, kMaxLetters) : std::string();
}

std::string LessonCatalogue::NextLessonLine(LessonGuide& guide)
{
    if (!m_hasDrillLine)
        return {};
    m_lessonLine = std::max<std::int16_t>(m_lessonLine, 1);
    m_lessonNumber = std::clamp<std::int16_t>(m_lessonNumber, 1, kLessonCount);
    if (IsLessonEnd(m_lessonNumber, m_lessonLine))
        AdvanceToLessonWithLines();
    for (;;) {
        if (m_lessonLine == 1) {
            LoadLessonLetters();
            guide.IntroduceLesson(*this);
        }
        if (m_lessonNumber > kLessonCount)
            m_lessonNumber = 1; // completion reported; the stored number stays
        if (!IsLessonEnd(m_lessonNumber, m_lessonLine))
            break;
        AdvanceToLessonWithLines(); // the lesson chosen has no line here
    }
    std::string line(Slot(m_lessonNumber, m_lessonLine));
    ++m_lessonLine;
    return line;
}

void LessonCatalogue::AdvanceLesson()
{
    m_lessonNumber = static_cast<std::int16_t>(std::min(m_lessonNumber + 1, kCompletedLesson));
    m_lessonLine = 1;
    StoreLessonNumber();
}

void LessonCatalogue::SetLesson(int lesson)
{
    m_lessonNumber = static_cast<std::int16_t>(std::clamp(lesson, 1, kCompletedLesson));
    StoreLessonNumber();
}

void LessonCatalogue::RewindLessonLine()
{
    if (m_lessonLine > 0)
        --m_lessonLine;
}

std::vector<std::string> LessonCatalogue::DrillLines(int lesson) const
{
    std::vector<std::string> lines;
    for (int line = 1; !IsLessonEnd(lesson, line); ++line)
        lines.emplace_back(Slot(lesson, line));
    return lines;
}

std::string_view LessonCatalogue::LessonLetters(int lesson) const
{
    if (lesson < 1 || lesson > kLessonCount)
        return {};
    return m_letters[static_cast<std::size_t>(lesson - 1)];
}

std::array<std::string, LessonCatalogue::kIntroductionCount>
LessonCatalogue::LoadLessonIntroductions() const
{
    return ReadLessonIntroductions(ReadDataFile(DataFilePath(m_appFolder, kHelpFileName)).bytes);
}

std::string_view LessonCatalogue::Slot(int lesson, int line) const
{
    if (lesson < 1 || lesson > kLessonCount || line < 1 || line > kSlotsPerLesson)
        return {};
    return m_lines[static_cast<std::size_t>(lesson - 1)][static_cast<std::size_t>(line - 1)];
}

bool LessonCatalogue::IsLessonEnd(int lesson, int line) const
{
    return IsBlank(Slot(lesson, line));
}

void LessonCatalogue::AdvanceToLessonWithLines()
{
    int next = m_lessonNumber + 1;
    while (next <= kLessonCount && IsLessonEnd(next, 1))
        ++next;
    m_lessonNumber = static_cast<std::int16_t>(std::min(next, kCompletedLesson));
    m_lessonLine = 1;
    StoreLessonNumber();
}

void LessonCatalogue::StoreLessonNumber()
{
    if (!m_userSection.empty())
        m_profile.Write(m_userSection, settings::kLesson, m_lessonNumber);
}

std::array<std::string, LessonCatalogue::kIntroductionCount>
ReadLessonIntroductions(std::string_view fileBytes)
{
    std::array<std::string, LessonCatalogue::kIntroductionCount> introductions;
    std::vector<std::string> lines = LinesAfterHeader(fileBytes);
    for (std::size_t i = 0; i < introductions.size() && i < lines.size(); ++i)
        introductions[i] = std::move(lines[i]);
    return introductions;
}

} // namespace tarvelo
