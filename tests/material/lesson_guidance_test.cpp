#include "material/lesson_catalogue.h"
#include "material/lesson_guidance.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace tarvelo {
namespace {

using Key = LessonGuidance::Key;
using Lines = std::vector<std::string>;

constexpr std::string_view kUser = "user0";

std::string FileText(const Lines& lines)
{
    std::string text = "A header line\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// "Intro n" for lessons 1..13, then the completion page.
Lines Introductions()
{
    Lines lines;
    for (int n = 1; n <= LessonCatalogue::kLessonCount; ++n)
        lines.push_back("Intro " + std::to_string(n));
    lines.emplace_back("All done");
    return lines;
}

// Letters of lessons 1..13; lessons not given introduce "Z".
std::string LettersFile(Lines lessons)
{
    lessons.resize(LessonCatalogue::kLessonCount, "Z");
    return FileText(lessons);
}

class LessonGuidanceTest : public ::testing::Test
{
protected:
    LessonGuidanceTest()
    {
        folder.Write(LessonCatalogue::kHelpFileName, FileText(Introductions()));
        WriteLetters({"FJ", "DK"});
        layout.Load(profile);
        guidance.LoadLessonLabels(layout);
        catalogue.LoadLessonNumber(kUser);
    }

    void WriteLetters(const Lines& lessons) const
    {
        folder.Write(LessonCatalogue::kLettersFileName, LettersFile(lessons));
    }

    // Starts lesson `lesson` as the catalogue does at a lesson start.
    void Introduce(int lesson)
    {
        catalogue.SetLesson(lesson);
        catalogue.LoadLessonLetters();
        guidance.HighlightLessonKeys(catalogue);
        guidance.ShowIntro(catalogue.LessonNumber(), catalogue);
    }

    // The picture keys in the lesson colour.
    std::set<int> LessonKeys() const
    {
        std::set<int> keys;
        for (int key = 1; key <= LessonGuidance::kPictureKeys; ++key) {
            if (guidance.KeyColour(key) == LessonGuidance::kLessonKeyColour)
                keys.insert(key);
        }
        return keys;
    }

    std::string StoredLesson() const
    {
        return profile.ReadProfile(kUser, settings::kLesson.name, "absent");
    }

    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    LessonCatalogue catalogue{profile, folder.Path()};
    KeyboardLayout layout;
    LessonGuidance guidance;
};

// What a page shows.

TEST_F(LessonGuidanceTest, PagesShowHeadingIntroductionAndLevel)
{
    struct Row
    {
        int lesson;
        std::string heading;
        std::string introduction;
        std::string level;
    };
    const Row rows[] = {
        {1, "You are now beginning Lesson 1. ", "Intro 1", "Level 1"},
        {13, "You are now beginning Lesson 13. ", "Intro 13", "Level 13"},
        {14, "You have now completed all lessons.", "All done", "Level 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("lesson " + std::to_string(row.lesson));
        guidance.ShowIntro(row.lesson, catalogue);
        EXPECT_EQ(guidance.ShownLesson(), row.lesson);
        EXPECT_EQ(guidance.Heading(), row.heading);
        EXPECT_EQ(guidance.Introduction(), row.introduction);
        EXPECT_EQ(guidance.OptionCaption(LessonGuidance::kLevel), row.level);
    }
    EXPECT_EQ(guidance.OptionCaption(LessonGuidance::kBegin), "Begin");
    EXPECT_EQ(guidance.OptionCaption(LessonGuidance::kPrevious), "<");
    EXPECT_EQ(guidance.OptionCaption(LessonGuidance::kNext), ">");
}

TEST_F(LessonGuidanceTest, HelpFileIsReadOnceUnlessItsFirstIntroductionIsEmpty)
{
    guidance.ShowIntro(2, catalogue);
    folder.Write(LessonCatalogue::kHelpFileName, FileText({"", "Changed 2"}));
    guidance.ShowIntro(2, catalogue);
    EXPECT_EQ(guidance.Introduction(), "Intro 2"); // kept from the first reading

    LessonGuidance fresh;
    fresh.ShowIntro(2, catalogue);
    EXPECT_EQ(fresh.Introduction(), "Changed 2");
    folder.Write(LessonCatalogue::kHelpFileName, FileText({"", "Again 2"}));
    fresh.ShowIntro(2, catalogue);
    EXPECT_EQ(fresh.Introduction(), "Again 2"); // read again: the first line is empty
}

TEST_F(LessonGuidanceTest, ShortHelpFileLeavesLaterPagesEmpty)
{
    folder.Write(LessonCatalogue::kHelpFileName, FileText({"Only one"}));
    guidance.ShowIntro(14, catalogue);
    EXPECT_EQ(guidance.Introduction(), "");
    EXPECT_EQ(guidance.Heading(), "You have now completed all lessons.");
}

// Stepping between lessons.

TEST_F(LessonGuidanceTest, StepsWrapAndSelectTheLessonInTheCatalogue)
{
    struct Row
    {
        const char* name;
        int from;
        bool next;
        int to;
    };
    const Row rows[] = {
        {"next from 1", 1, true, 2},
        {"next from 13 shows the completion page", 13, true, 14},
        {"next from the completion page", 14, true, 2},
        {"previous from 1", 1, false, 13},
        {"previous from 2", 2, false, 1},
        {"previous from the completion page", 14, false, 13},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Introduce(row.from);
        if (row.next)
            guidance.NextLesson(catalogue);
        else
            guidance.PreviousLesson(catalogue);
        EXPECT_EQ(guidance.ShownLesson(), row.to);
        EXPECT_EQ(catalogue.LessonNumber(), row.to);
        EXPECT_EQ(StoredLesson(), std::to_string(row.to));
        EXPECT_EQ(guidance.Introduction(), Introductions()[static_cast<std::size_t>(row.to - 1)]);
    }
}

TEST_F(LessonGuidanceTest, StepLoadsTheLettersAndHighlightsTheNewLesson)
{
    guidance.ShowIntro(1, catalogue); // letters not yet loaded
    guidance.NextLesson(catalogue);
    EXPECT_EQ(catalogue.LessonLetters(2), "DK");
    EXPECT_EQ(LessonKeys(), (std::set<int>{13, 18}));
}

// Highlighting the lesson's keys.

TEST_F(LessonGuidanceTest, LessonKeysAreColouredAndTheRestKeepTheirColours)
{
    Introduce(1);
    EXPECT_EQ(LessonKeys(), (std::set<int>{14, 17})); // F and J
    for (int key = 1; key <= LessonGuidance::kPictureKeys; ++key) {
        if (key == 14 || key == 17)
            continue;
        const bool numberKey =
            key == LessonGuidance::kFirstNumberKey || key == LessonGuidance::kSecondNumberKey;
        EXPECT_EQ(guidance.KeyColour(key),
                  numberKey ? LessonGuidance::kNumberKeyColour : LessonGuidance::kKeyColour)
            << "key " << key;
    }

    guidance.NextLesson(catalogue); // the previous lesson's keys turn back
    EXPECT_EQ(LessonKeys(), (std::set<int>{13, 18}));
}

TEST_F(LessonGuidanceTest, LettersMatchLabelsExactly)
{
    struct Row
    {
        const char* name;
        std::string letters;
        std::set<int> keys;
    };
    const Row rows[] = {
        {"shift colours both Shift keys", "^A", {11, 32, 33}},
        {"lower case matches no label", "fj", {}},
        {"number-row captions", "!-", {35, 36}},
        {"punctuation on letter keys", ";,.?", {20, 29, 30, 31}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LessonCatalogue fresh(profile, folder.Path());
        WriteLetters({row.letters});
        fresh.LoadLessonLetters();
        guidance.HighlightLessonKeys(fresh);
        EXPECT_EQ(LessonKeys(), row.keys);
    }
}

TEST_F(LessonGuidanceTest, CompletionPageHighlightsLessonOnesKeys)
{
    Introduce(14);
    EXPECT_EQ(LessonKeys(), (std::set<int>{14, 17}));
}

TEST_F(LessonGuidanceTest, LabelsFollowTheLayout)
{
    EXPECT_EQ(guidance.KeyLabel(14), "F");
    EXPECT_EQ(guidance.KeyLabel(LessonGuidance::kFirstNumberKey), layout.Caption(35));
    EXPECT_EQ(guidance.KeyLabel(LessonGuidance::kSecondNumberKey), layout.Caption(36));
    EXPECT_EQ(guidance.KeyLabel(LessonGuidance::kLeftShift), "SHIFT");
    EXPECT_EQ(guidance.KeyLabel(LessonGuidance::kSpaceBar), "SPACEBAR");

    // A key relabelled to a lesson letter is highlighted under its new label.
    layout.AssignCharacter(1, 'F', false, profile);
    guidance.LoadLessonLabels(layout);
    EXPECT_EQ(guidance.KeyLabel(1), "F");
    Introduce(1);
    EXPECT_TRUE(LessonKeys().count(1));
}

// Keys and mouse.

TEST_F(LessonGuidanceTest, UpAndDownToggleBetweenBeginAndLevel)
{
    Introduce(3);
    EXPECT_EQ(guidance.SelectedOption(), LessonGuidance::kBegin);
    std::vector<int> selected;
    for (Key key : {Key::Down, Key::Down, Key::Up, Key::Up}) {
        EXPECT_FALSE(guidance.PressKey(key, catalogue));
        selected.push_back(guidance.SelectedOption());
    }
    EXPECT_THAT(selected, ::testing::ElementsAre(1, 0, 1, 0));
    EXPECT_EQ(guidance.ShownLesson(), 3);
}

TEST_F(LessonGuidanceTest, KeysActOnTheSelectedOption)
{
    struct Row
    {
        const char* name;
        bool levelSelected;
        Key key;
        bool closes;
        int shown;
    };
    const Row rows[] = {
        {"Enter on Begin", false, Key::Enter, true, 5},
        {"Right on Begin", false, Key::Right, true, 5},
        {"Left on Begin", false, Key::Left, false, 5},
        {"Escape on Begin", false, Key::Escape, true, 5},
        {"Enter on Level", true, Key::Enter, false, 6},
        {"Right on Level", true, Key::Right, false, 6},
        {"Left on Level", true, Key::Left, false, 4},
        {"Escape on Level", true, Key::Escape, true, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LessonGuidance fresh;
        fresh.LoadLessonLabels(layout);
        catalogue.SetLesson(5);
        fresh.ShowIntro(5, catalogue);
        if (row.levelSelected)
            fresh.PressKey(Key::Down, catalogue);
        EXPECT_EQ(fresh.PressKey(row.key, catalogue), row.closes);
        EXPECT_EQ(fresh.ShownLesson(), row.shown);
        EXPECT_EQ(catalogue.LessonNumber(), row.shown);
    }
}

TEST_F(LessonGuidanceTest, MousePressesOnOptions)
{
    Introduce(5);
    EXPECT_FALSE(guidance.PressOption(LessonGuidance::kNext, catalogue));
    EXPECT_EQ(guidance.ShownLesson(), 6);
    EXPECT_FALSE(guidance.PressOption(LessonGuidance::kPrevious, catalogue));
    EXPECT_EQ(guidance.ShownLesson(), 5);
    EXPECT_EQ(guidance.SelectedOption(), LessonGuidance::kBegin); // arrows select nothing

    EXPECT_FALSE(guidance.PressOption(LessonGuidance::kLevel, catalogue));
    EXPECT_EQ(guidance.SelectedOption(), LessonGuidance::kLevel);
    EXPECT_EQ(guidance.ShownLesson(), 6);

    EXPECT_TRUE(guidance.PressOption(LessonGuidance::kBegin, catalogue));
    EXPECT_EQ(guidance.SelectedOption(), LessonGuidance::kBegin);
    EXPECT_EQ(guidance.ShownLesson(), 6);
}

TEST_F(LessonGuidanceTest, FillsFollowTheSelectionAndBordersTheHover)
{
    using G = LessonGuidance;
    const auto fills = [&] {
        std::vector<std::int32_t> all;
        for (int i = 0; i < G::kOptionCount; ++i)
            all.push_back(guidance.OptionFill(i));
        return all;
    };
    const auto borders = [&] {
        std::vector<std::int32_t> all;
        for (int i = 0; i < G::kOptionCount; ++i)
            all.push_back(guidance.OptionBorder(i));
        return all;
    };
    using ::testing::ElementsAre;
    EXPECT_THAT(fills(), ElementsAre(G::kSelectedFill, G::kUnselectedFill, G::kUnselectedFill,
                                     G::kUnselectedFill));
    EXPECT_THAT(borders(),
                ElementsAre(G::kBeginBorder, G::kOtherBorder, G::kOtherBorder, G::kOtherBorder));

    guidance.SelectOption(G::kLevel);
    guidance.HoverOption(G::kNext);
    EXPECT_THAT(fills(), ElementsAre(G::kUnselectedFill, G::kSelectedFill, G::kUnselectedFill,
                                     G::kUnselectedFill));
    EXPECT_THAT(borders(),
                ElementsAre(G::kBeginBorder, G::kOtherBorder, G::kOtherBorder, G::kHoverBorder));

    guidance.HoverOption(G::kBegin); // the previous hover gets its border back
    EXPECT_THAT(borders(),
                ElementsAre(G::kHoverBorder, G::kOtherBorder, G::kOtherBorder, G::kOtherBorder));
    guidance.HoverOption(G::kNoOption);
    EXPECT_EQ(guidance.HoveredOption(), G::kNoOption);
    EXPECT_THAT(borders(),
                ElementsAre(G::kBeginBorder, G::kOtherBorder, G::kOtherBorder, G::kOtherBorder));
}

TEST_F(LessonGuidanceTest, ColoursAreTheWindowsRgbValues)
{
    // 0x00BBGGRR numbers of the window's red, green, blue colours.
    const auto bgr = [](int r, int g, int b) { return (b << 16) | (g << 8) | r; };
    EXPECT_EQ(LessonGuidance::kKeyColour, bgr(224, 224, 224));
    EXPECT_EQ(LessonGuidance::kNumberKeyColour, bgr(255, 255, 255));
    EXPECT_EQ(LessonGuidance::kLessonKeyColour, bgr(128, 255, 255));
    EXPECT_EQ(LessonGuidance::kSelectedFill, bgr(255, 255, 255));
    EXPECT_EQ(LessonGuidance::kUnselectedFill, bgr(214, 236, 252));
    EXPECT_EQ(LessonGuidance::kHoverBorder, bgr(255, 128, 0));
    EXPECT_EQ(LessonGuidance::kBeginBorder, bgr(192, 0, 0));
    EXPECT_EQ(LessonGuidance::kOtherBorder, bgr(0, 0, 192));
}

} // namespace
} // namespace tarvelo
