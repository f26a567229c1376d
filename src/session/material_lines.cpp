#include "session/material_lines.h"

#include "material/lesson_catalogue.h"
#include "material/practice_text.h"
#include "state/current_user.h"

namespace tarvelo {

MaterialLines::MaterialLines(ProfileStore& profile, const CurrentUser& user, PracticeText& practice,
                             LessonCatalogue& lessons, LessonGuide& guide)
    : m_profile(profile), m_user(user), m_practice(practice), m_lessons(lessons), m_guide(guide)
{}

std::string MaterialLines::NextLine(bool lesson)
{
    if (lesson)
        return m_lessons.NextLessonLine(m_guide);
    return m_practice.NextSentence(m_profile, m_user.UserSection).value_or(std::string());
}

void MaterialLines::Rewind(bool lesson)
{
    if (lesson)
        m_lessons.RewindLessonLine();
    m_practice.ResetCurrentSentence();
}

} // namespace tarvelo
