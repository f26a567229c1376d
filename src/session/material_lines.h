#pragma once

#include "session/line_source.h"

namespace tarvelo {

class LessonCatalogue;
class LessonGuide;
class PracticeText;
class ProfileStore;
struct CurrentUser;

// Lines from the practice text and the lesson catalogue, for the current user.
class MaterialLines : public LineSource
{
public:
    MaterialLines(ProfileStore& profile, const CurrentUser& user, PracticeText& practice,
                  LessonCatalogue& lessons, LessonGuide& guide);

    std::string NextLine(bool lesson) override;
    void Rewind(bool lesson) override;

private:
    ProfileStore& m_profile;
    const CurrentUser& m_user;
    PracticeText& m_practice;
    LessonCatalogue& m_lessons;
    LessonGuide& m_guide;
};

} // namespace tarvelo
