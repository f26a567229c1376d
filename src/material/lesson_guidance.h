#pragma once

#include "material/lesson_catalogue.h"
#include "platform/navigation_key.h"
#include "state/palette.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tarvelo {

class KeyboardLayout;

// The guidance window's options, left to right.
enum class GuidanceOption
{
    Begin,
    Level,
    Previous,
    Next,
};

// What the lesson guidance window shows and how its keys and options behave:
// the lesson shown with its heading and introduction, the keyboard picture's
// key labels and colours, the selected and the hovered option. Text is
// code-page bytes; colours are 0x00BBGGRR numbers.
//
// Keys of the picture are numbered as KeyboardLayout numbers them: 1..31 the
// character keys, 32 and 33 the Shift keys, 34 the space bar, 35 and 36 the
// two number-row keys.
class LessonGuidance
{
public:
    static constexpr int kOptionCount = 4;

    // The keys of the window's key table.
    using Key = NavigationKey;

    static constexpr int kCharacterKeys = 31;
    static constexpr int kLeftShift = 32, kRightShift = 33, kSpaceBar = 34;
    static constexpr int kFirstNumberKey = 35, kSecondNumberKey = 36;
    static constexpr int kPictureKeys = 36;

    static constexpr std::int32_t kKeyColour = palette::kKeyFill;
    static constexpr std::int32_t kNumberKeyColour = 0xFFFFFF;
    static constexpr std::int32_t kLessonKeyColour = 0xFFFF80;
    static constexpr std::int32_t kBeginBorder = 0x0000C0;
    static constexpr std::int32_t kOtherBorder = 0xC00000;

    static constexpr std::string_view kBeginningHeading = "You are now beginning Lesson ";
    static constexpr std::string_view kCompletedHeading = "You have now completed all lessons.";

    // A fresh window: no lesson shown, "Begin" selected, no hover, every key
    // in its not-in-lesson colour.
    LessonGuidance();

    // Labels 1..31 take the captions of the layout's keys 1..31, the
    // number-row keys those of keys 35 and 36.
    void LoadLessonLabels(const KeyboardLayout& layout);
    // The caption of picture key 1..36; empty for any other number.
    const std::string& KeyLabel(int key) const;

    // Shows lesson 1..14 (14: the completion page). The introductions are
    // read from the catalogue's help file while the first one is empty.
    void ShowIntro(int lesson, const LessonCatalogue& catalogue);
    // 0 until the first ShowIntro.
    int ShownLesson() const { return m_shownLesson; }
    const std::string& Heading() const { return m_heading; }
    const std::string& Introduction() const { return m_introduction; }
    // "Begin", "Level n", "<" or ">".
    std::string OptionCaption(GuidanceOption option) const;

    // Colours the keys of the catalogue's current lesson (lesson 1's for the
    // completion page); the space bar keeps its colour.
    void HighlightLessonKeys(const LessonCatalogue& catalogue);
    // The fill of picture key 1..36; the not-in-lesson colour otherwise.
    std::int32_t KeyColour(int key) const;

    // Steps the shown lesson (14 goes to 2, 1 back to 13), selects it in the
    // catalogue and shows and highlights it.
    void NextLesson(LessonCatalogue& catalogue);
    void PreviousLesson(LessonCatalogue& catalogue);

    GuidanceOption SelectedOption() const { return m_selected; }
    void SelectOption(GuidanceOption option) { m_selected = option; }
    std::int32_t OptionFill(GuidanceOption option) const;

    // Nothing: the pointer is over no option. True when the hover changed:
    // the window redraws only then.
    bool HoverOption(std::optional<GuidanceOption> option)
    {
        return std::exchange(m_hovered, option) != option;
    }
    std::optional<GuidanceOption> HoveredOption() const { return m_hovered; }
    std::int32_t OptionBorder(GuidanceOption option) const;

    // A key of the key table or a mouse press on an option. Returns true when
    // the window closes.
    bool PressKey(Key key, LessonCatalogue& catalogue);
    bool PressOption(GuidanceOption option, LessonCatalogue& catalogue);

private:
    // The arrows select among the first options only: Begin and Level.
    static constexpr int kKeyOptionCount = 2;

    bool Activate(LessonCatalogue& catalogue);
    void StepTo(int lesson, LessonCatalogue& catalogue);
    static bool ValidKey(int key) { return key >= 1 && key <= kPictureKeys; }

    std::array<std::string, LessonCatalogue::kIntroductionCount> m_introductions;
    std::array<std::string, kPictureKeys + 1> m_labels;
    const KeyboardLayout* m_layout = nullptr;
    std::array<std::int32_t, kPictureKeys + 1> m_colours{};
    std::string m_heading;
    std::string m_introduction;
    int m_shownLesson = 0;
    GuidanceOption m_selected = GuidanceOption::Begin;
    std::optional<GuidanceOption> m_hovered;
};

} // namespace tarvelo
