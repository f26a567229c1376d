#include "material/lesson_guidance.h"

#include "profile/keyboard_layout.h"
#include "state/option_cycle.h"

namespace tarvelo {
namespace {

bool IsNumberKey(int key)
{
    return key == LessonGuidance::kFirstNumberKey || key == LessonGuidance::kSecondNumberKey;
}

} // namespace

LessonGuidance::LessonGuidance()
{
    for (int key = 1; key <= kPictureKeys; ++key)
        m_colours[key] = IsNumberKey(key) ? kNumberKeyColour : kKeyColour;
    m_labels[kLeftShift] = m_labels[kRightShift] = "SHIFT";
    m_labels[kSpaceBar] = "SPACEBAR";
}

void LessonGuidance::LoadLessonLabels(const KeyboardLayout& layout)
{
    m_layout = &layout;
    for (int key = 1; key <= kCharacterKeys; ++key)
        m_labels[key] = layout.Caption(key);
    m_labels[kFirstNumberKey] = layout.Caption(kFirstNumberKey);
    m_labels[kSecondNumberKey] = layout.Caption(kSecondNumberKey);
}

const std::string& LessonGuidance::KeyLabel(int key) const
{
    return m_labels[ValidKey(key) ? key : 0];
}

void LessonGuidance::ShowIntro(int lesson, const LessonCatalogue& catalogue)
{
    m_shownLesson = lesson;
    if (m_introductions[0].empty())
        m_introductions = catalogue.LoadLessonIntroductions();
    const bool known = lesson >= 1 && lesson <= LessonCatalogue::kIntroductionCount;
    m_introduction = known ? m_introductions[static_cast<std::size_t>(lesson - 1)] : std::string();
    m_heading = lesson == LessonCatalogue::kCompletedLesson
                    ? std::string(kCompletedHeading)
                    : std::string(kBeginningHeading) + std::to_string(lesson) + ". ";
}

std::string LessonGuidance::OptionCaption(GuidanceOption option) const
{
    switch (option) {
    case GuidanceOption::Begin:
        return "Begin";
    case GuidanceOption::Level: {
        const bool first = m_shownLesson == 0 || m_shownLesson == LessonCatalogue::kCompletedLesson;
        return "Level " + std::to_string(first ? 1 : m_shownLesson);
    }
    case GuidanceOption::Previous:
        return "<";
    case GuidanceOption::Next:
        return ">";
    }
    return {};
}

void LessonGuidance::HighlightLessonKeys(const LessonCatalogue& catalogue)
{
    for (int key = 1; key <= kPictureKeys; ++key) {
        if (key != kSpaceBar)
            m_colours[key] = IsNumberKey(key) ? kNumberKeyColour : kKeyColour;
    }
    int lesson = catalogue.LessonNumber();
    if (lesson == LessonCatalogue::kCompletedLesson)
        lesson = 1;
    for (const char letter : catalogue.LessonLetters(lesson)) {
        const std::string_view c(&letter, 1);
        bool labelled = false;
        for (int key = 1; key <= kCharacterKeys; ++key) {
            if (m_labels[key] == c) {
                m_colours[key] = kLessonKeyColour;
                labelled = true;
            }
        }
        // A letter without a key of its own, typed through a dead key: the
        // keys that type it, as far as the picture has them.
        const int code = static_cast<unsigned char>(letter);
        if (!labelled && m_layout && m_layout->KeyOfChar(code) == KeyboardLayout::kNoKey) {
            for (const int key : m_layout->KeysFor(code)) {
                if (ValidKey(key) && key != kSpaceBar)
                    m_colours[key] = kLessonKeyColour;
            }
        }
        if (c == "^") {
            m_colours[kLeftShift] = m_colours[kRightShift] = kLessonKeyColour;
        } else if (c == m_labels[kFirstNumberKey]) {
            m_colours[kFirstNumberKey] = kLessonKeyColour;
        } else if (c == m_labels[kSecondNumberKey]) {
            m_colours[kSecondNumberKey] = kLessonKeyColour;
        }
    }
}

std::int32_t LessonGuidance::KeyColour(int key) const
{
    return ValidKey(key) ? m_colours[key] : kKeyColour;
}

void LessonGuidance::NextLesson(LessonCatalogue& catalogue)
{
    StepTo(m_shownLesson == LessonCatalogue::kCompletedLesson ? 2 : m_shownLesson + 1, catalogue);
}

void LessonGuidance::PreviousLesson(LessonCatalogue& catalogue)
{
    StepTo(m_shownLesson == 1 ? LessonCatalogue::kLessonCount : m_shownLesson - 1, catalogue);
}

void LessonGuidance::StepTo(int lesson, LessonCatalogue& catalogue)
{
    catalogue.SetLesson(lesson);
    ShowIntro(catalogue.LessonNumber(), catalogue);
    catalogue.LoadLessonLetters();
    HighlightLessonKeys(catalogue);
}

std::int32_t LessonGuidance::OptionFill(GuidanceOption option) const
{
    return option == m_selected ? palette::kSelectedFill : palette::kOptionFill;
}

std::int32_t LessonGuidance::OptionBorder(GuidanceOption option) const
{
    if (option == m_hovered)
        return palette::kHoverBorder;
    return option == GuidanceOption::Begin ? kBeginBorder : kOtherBorder;
}

bool LessonGuidance::PressKey(Key key, LessonCatalogue& catalogue)
{
    switch (key) {
    case Key::Escape:
        return true;
    case Key::Up:
    case Key::Down:
        m_selected = Cycled(m_selected, key == Key::Up ? -1 : 1, kKeyOptionCount);
        return false;
    case Key::Enter:
    case Key::Right:
        return Activate(catalogue);
    case Key::Left:
        if (m_selected == GuidanceOption::Level)
            PreviousLesson(catalogue);
        return false;
    case Key::Delete:
    case Key::Other:
        return false;
    }
    return false;
}

bool LessonGuidance::PressOption(GuidanceOption option, LessonCatalogue& catalogue)
{
    switch (option) {
    case GuidanceOption::Begin:
    case GuidanceOption::Level:
        m_selected = option;
        return Activate(catalogue);
    case GuidanceOption::Previous:
        PreviousLesson(catalogue);
        return false;
    case GuidanceOption::Next:
        NextLesson(catalogue);
        return false;
    }
    return false;
}

bool LessonGuidance::Activate(LessonCatalogue& catalogue)
{
    if (m_selected == GuidanceOption::Begin)
        return true;
    NextLesson(catalogue);
    return false;
}

} // namespace tarvelo
