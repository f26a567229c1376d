#include "material/lesson_catalogue.h"
#include "material/lesson_guidance.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace tarvelo {
namespace {

using Key = LessonGuidance::Key;
using Lines = std::vector<std::string>;
using test::DataFileText;

constexpr std::string_view kUser = "user0";

// "Intro n" for lessons 1..13, then the completion page.
Lines Introductions()
{
    Lines lines;
    for (int n = 1; n <= LessonCatalogue::kLessonCount; ++n)
        lines.push_back("Intro " + std::to_string(n));
    lines.emplace_back("All done");
    return lines;
}

class LessonGuidanceTest : public ::testing::Test
{
protected:
    LessonGuidanceTest()
    {
        folder.Write(LessonCatalogue::kHelpFileName, DataFileText(Introductions()));
        WriteLetters({"FJ", "DK"});
        layout.Load(profile);
        guidance.LoadLessonLabels(layout);
        catalogue.LoadLessonNumber(kUser);
    }

    // Letters of lessons 1..13; lessons not given introduce "Z".
    void WriteLetters(Lines lessons) const
    {
        lessons.resize(LessonCatalogue::kLessonCount, "Z");
        folder.Write(LessonCatalogue::kLettersFileName, DataFileText(lessons));
    }

    // Starts lesson `lesson` as the window does at a lesson start.
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

    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    LessonCatalogue catalogue{profile, folder.Path()};
    KeyboardLayout layout;
    LessonGuidance guidance;
};

TEST_F(LessonGuidanceTest, HelpFileIsReadOnceUnlessItsFirstIntroductionIsEmpty)
{
    guidance.ShowIntro(2, catalogue);
    folder.Write(LessonCatalogue::kHelpFileName, DataFileText({"", "Changed 2"}));
    guidance.ShowIntro(2, catalogue);
    EXPECT_EQ(guidance.Introduction(), "Intro 2"); // kept from the first reading

    LessonGuidance fresh;
    fresh.ShowIntro(2, catalogue);
    EXPECT_EQ(fresh.Introduction(), "Changed 2");
    folder.Write(LessonCatalogue::kHelpFileName, DataFileText({"", "Again 2"}));
    fresh.ShowIntro(2, catalogue);
    EXPECT_EQ(fresh.Introduction(), "Again 2"); // read again: the first line is empty
}

TEST_F(LessonGuidanceTest, StepsWrapSelectTheLessonAndShowItsPageAndKeys)
{
    // clang-format off
    const std::tuple<const char*, int, bool, int> rows[] = {
        {"next from 1", 1, true, 2}, {"next from the completion page", 14, true, 2},
        {"previous from 1", 1, false, 13}, {"previous from the completion page", 14, false, 13},
        {"next from 13 shows the completion page", 13, true, 14}};
    // clang-format on
    for (const auto& [name, from, next, to] : rows) {
        SCOPED_TRACE(name);
        Introduce(from);
        if (next)
            guidance.NextLesson(catalogue);
        else
            guidance.PreviousLesson(catalogue);
        EXPECT_EQ(guidance.ShownLesson(), to);
        EXPECT_EQ(profile.ReadProfile(kUser, settings::kLesson.name, ""), std::to_string(to));
        EXPECT_EQ(guidance.Introduction(), Introductions()[static_cast<std::size_t>(to - 1)]);
        EXPECT_EQ(guidance.OptionCaption(GuidanceOption::Level),
                  "Level " + std::to_string(to == 14 ? 1 : to));
    }
    EXPECT_EQ(guidance.Heading(), "You have now completed all lessons.");
    EXPECT_EQ(LessonKeys(), (std::set<int>{14, 17})) << "the completion page shows lesson 1's";
    guidance.ShowIntro(1, catalogue);
    EXPECT_EQ(guidance.Heading(), "You are now beginning Lesson 1. ");

    // Each step loads the letters and turns the previous lesson's keys back.
    LessonCatalogue unloaded(profile, folder.Path());
    unloaded.LoadLessonNumber(kUser);
    guidance.NextLesson(unloaded);
    EXPECT_EQ(LessonKeys(), (std::set<int>{13, 18})); // D and K
    guidance.PreviousLesson(unloaded);
    EXPECT_EQ(LessonKeys(), (std::set<int>{14, 17})); // F and J
}

TEST_F(LessonGuidanceTest, LettersMatchLabelsExactly)
{
    // clang-format off
    const std::tuple<const char*, std::string, std::set<int>> rows[] = {
        {"both Shift keys", "^A", {11, 32, 33}}, {"lower case matches no label", "fj", {}},
        {"number row", "!-", {35, 36}}, {"punctuation on letter keys", ";,.?", {20, 29, 30, 31}}};
    // clang-format on
    for (const auto& [name, letters, keys] : rows) {
        SCOPED_TRACE(name);
        LessonCatalogue fresh(profile, folder.Path());
        WriteLetters({letters});
        fresh.LoadLessonLetters();
        guidance.HighlightLessonKeys(fresh);
        EXPECT_EQ(LessonKeys(), keys);
    }
    WriteLetters({"FJ"});
    layout.AssignCharacter(1, 'F', false, profile);
    guidance.LoadLessonLabels(layout);
    Introduce(1);
    EXPECT_EQ(LessonKeys(), (std::set<int>{1, 17})) << "a relabelled key goes by its new label";

    SystemKeys keys; // É through the dead acute on key 21 and Shift with E
    keys[21] = {U'\u00B4', U'\u00A8', true, true};
    keys[3] = {U'e', U'E'};
    layout.MatchSystemKeys(keys, profile);
    guidance.LoadLessonLabels(layout);
    WriteLetters({"\xC9"});
    LessonCatalogue fresh(profile, folder.Path());
    fresh.LoadLessonLetters();
    guidance.HighlightLessonKeys(fresh);
    EXPECT_EQ(LessonKeys(), (std::set<int>{3, 21, 32, 33})) << "a dead key lights with its base";
}

TEST_F(LessonGuidanceTest, KeysActOnTheSelectedOptionClicksOnTheirOwn)
{
    constexpr GuidanceOption kBegin = GuidanceOption::Begin, kLevel = GuidanceOption::Level;
    // Level selected?, the key, then: closes?, the lesson shown, the option selected.
    // clang-format off
    const std::tuple<const char*, bool, Key, bool, int, GuidanceOption> rows[] = {
        {"Enter on Begin", false, Key::Enter, true, 5, kBegin},
        {"Right on Begin", false, Key::Right, true, 5, kBegin},
        {"Left on Begin", false, Key::Left, false, 5, kBegin},
        {"Escape on Level", true, Key::Escape, true, 5, kLevel},
        {"Up on Begin wraps", false, Key::Up, false, 5, kLevel},
        {"Down on Level wraps", true, Key::Down, false, 5, kBegin},
        {"Enter on Level", true, Key::Enter, false, 6, kLevel},
        {"Left on Level", true, Key::Left, false, 4, kLevel},
    };
    // clang-format on
    for (const auto& [name, levelSelected, key, closes, shown, selected] : rows) {
        SCOPED_TRACE(name);
        LessonGuidance fresh;
        catalogue.SetLesson(5);
        fresh.ShowIntro(5, catalogue);
        if (levelSelected)
            fresh.PressKey(Key::Down, catalogue);
        EXPECT_EQ(fresh.PressKey(key, catalogue), closes);
        EXPECT_EQ(fresh.ShownLesson(), shown);
        EXPECT_EQ(catalogue.LessonNumber(), shown);
        EXPECT_EQ(fresh.SelectedOption(), selected);
    }

    Introduce(5);
    EXPECT_FALSE(guidance.PressOption(GuidanceOption::Next, catalogue));
    EXPECT_FALSE(guidance.PressOption(GuidanceOption::Previous, catalogue));
    EXPECT_EQ(guidance.SelectedOption(), GuidanceOption::Begin); // arrows select nothing
    EXPECT_FALSE(guidance.PressOption(GuidanceOption::Level, catalogue));
    EXPECT_EQ(guidance.ShownLesson(), 6);
    EXPECT_TRUE(guidance.PressOption(GuidanceOption::Begin, catalogue));
    EXPECT_EQ(guidance.SelectedOption(), GuidanceOption::Begin);
}

} // namespace
} // namespace tarvelo
