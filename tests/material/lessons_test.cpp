#include "material/lesson_catalogue.h"
#include "material/lesson_guidance.h"
#include "material/practice_text.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
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
constexpr int kLessons = 13;

// Each lesson is given by its drill lines; each gets its blank line.
std::string LessonsFile(const std::vector<Lines>& lessons)
{
    Lines lines;
    for (const Lines& lesson : lessons) {
        lines.insert(lines.end(), lesson.begin(), lesson.end());
        lines.emplace_back();
    }
    return DataFileText(lines);
}

// "<prefix>1<suffix>" .. "<prefix><count><suffix>".
Lines Numbered(const std::string& prefix, int count, const std::string& suffix = "")
{
    Lines lines;
    for (int k = 1; k <= count; ++k)
        lines.push_back(prefix + std::to_string(k) + suffix);
    return lines;
}

// Lessons `from`..`to`, lesson n holding n lines "Ln.1" .. "Ln.n", with
// their final space when `spaced`.
std::vector<Lines> CountedLessons(bool spaced, int to = kLessons, int from = 1)
{
    std::vector<Lines> lessons;
    for (int n = from; n <= to; ++n)
        lessons.push_back(Numbered("L" + std::to_string(n) + ".", n, spaced ? " " : ""));
    return lessons;
}

// The lines typed from lesson `from` to the last, then `more`.
Lines CountedLines(int from, const Lines& more = {})
{
    Lines lines;
    for (const Lines& lesson : CountedLessons(true, kLessons, from))
        lines.insert(lines.end(), lesson.begin(), lesson.end());
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

const std::string kCounted = LessonsFile(CountedLessons(false));

class LessonCatalogueTest : public ::testing::Test
{
protected:
    // nullopt: no lessons file; nullptr: no stored lesson.
    void Load(const std::optional<std::string>& file, const char* stored = nullptr)
    {
        std::remove(folder.File(LessonCatalogue::kLessonsFileName).c_str());
        if (file)
            folder.Write(LessonCatalogue::kLessonsFileName, *file);
        profile.WriteProfile(kUser, settings::kLesson.name, stored ? stored : "");
        catalogue.LoadLessons(kUser);
    }
    std::string StoredLesson() const
    {
        return profile.ReadProfile(kUser, settings::kLesson.name, "absent");
    }
    Lines Next(std::size_t count)
    {
        Lines lines;
        while (lines.size() < count)
            lines.push_back(catalogue.NextLessonLine(guide));
        return lines;
    }

    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    LessonCatalogue catalogue{profile, folder.Path()};
    test::RecordingGuide guide;
};

TEST_F(LessonCatalogueTest, ReadsTheDrillLines)
{
    // clang-format off
    const std::tuple<const char*, std::optional<std::string>, std::vector<Lines>> rows[] = {
        {"one trailing space", LessonsFile({{"fjfj fjfj", "fjfj fjf ", "  "}}),
         {{"fjfj fjfj ", "fjfj fjf ", "  "}}},
        {"empty line or one space ends a lesson", DataFileText({"a", "", "b", " ", "c", ""}),
         {{"a "}, {"b "}, {"c "}}},
        {"crlf lf cr and no final ending", "header\r\na\nb\rc\r\n\nd\r\re",
         {{"a ", "b ", "c "}, {"d "}, {"e "}}},
        {"lines beyond twenty ignored up to the blank line",
         LessonsFile({Numbered("x", 25), {"second"}}), {Numbered("x", 20, " "), {"second "}}},
        {"stops after the thirteenth lesson", LessonsFile(CountedLessons(false, kLessons + 1)),
         CountedLessons(true)},
        {"no file", std::nullopt, {}},
        {"blank lessons only", "header\r\n\r\n \r\n\r\n", {}},
    };
    // clang-format on
    for (const auto& [name, file, lessons] : rows) {
        SCOPED_TRACE(name);
        Load(file);
        std::vector<Lines> read;
        for (int n = 1; n <= kLessons; ++n)
            read.push_back(catalogue.DrillLines(n));
        while (!read.empty() && read.back().empty())
            read.pop_back();
        EXPECT_EQ(read, lessons) << "and an earlier file is forgotten";
        EXPECT_EQ(catalogue.NextLessonLine(guide), lessons.empty() ? "" : lessons[0][0]);
    }
}

TEST_F(LessonCatalogueTest, HandsOutLinesAndIntroducesLessons)
{
    // The file, the stored lesson (nullptr: none), the guide's choices, then the
    // lines handed out, the lessons introduced and the lesson stored after them.
    using Row = std::tuple<const char*, std::string, const char*, std::deque<int>, Lines,
                           std::vector<int>, std::string>;
    // clang-format off
    const Row rows[] = {
        {"next lesson after the last line", LessonsFile({{"one", "two", "three"}, {"next"}}),
         nullptr, {}, {"one ", "two ", "three ", "next "}, {1, 2}, "2"},
        {"whole course introduces every lesson once", kCounted, nullptr, {}, CountedLines(1),
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, "13"},
        {"lesson two follows the completion page", kCounted, "13", {},
         CountedLines(13, {"L1.1 ", "L2.1 "}), {13, 14, 2}, "2"},
        {"stored fourteen resumes at thirteen", kCounted, "14", {}, {"L13.1 "}, {13}, "14"},
        {"stored above int16 resumes at thirteen", kCounted, "99999", {}, {"L13.1 "}, {13},
         "99999"},
        {"guide chooses another lesson", kCounted, nullptr, {5}, {"L5.1 ", "L5.2 "}, {1}, "5"},
        {"choosing the completion page continues at lesson one", kCounted, "13", {14},
         {"L1.1 "}, {13}, "14"},
        {"lessons without lines are passed over", LessonsFile({{"one"}, {}, {}, {"four"}}),
         nullptr, {}, {"one ", "four ", "one "}, {1, 4, 14}, "14"},
        {"empty lesson one is passed over after completion", LessonsFile({{}, {"two"}}), "2", {},
         {"two ", "two "}, {2, 14, 2}, "2"},
        {"choosing an empty lesson moves on to the next with lines",
         LessonsFile({{"one"}, {}, {"three"}}), nullptr, {2}, {"three "}, {1, 3}, "3"},
    };
    // clang-format on
    for (const auto& [name, file, stored, choices, lines, shown, storedAfter] : rows) {
        SCOPED_TRACE(name);
        Load(file, stored);
        guide = {};
        guide.choices = choices;
        EXPECT_EQ(Next(lines.size()), lines);
        EXPECT_EQ(guide.shown, shown);
        EXPECT_EQ(StoredLesson(), storedAfter);
    }
}

TEST_F(LessonCatalogueTest, RewindHandsOutTheStoppedLineAgainIntroducingALessonStartAgain)
{
    Load(LessonsFile({{"one", "two"}, {"three"}}));
    Next(2);
    catalogue.RewindLessonLine();
    EXPECT_EQ(Next(2), (Lines{"two ", "three "}));
    catalogue.RewindLessonLine();
    EXPECT_EQ(Next(1), Lines{"three "});
    EXPECT_EQ(guide.shown, (std::vector<int>{1, 2, 2}));
    catalogue.RewindLessonLine();
    catalogue.RewindLessonLine(); // below the first line
    EXPECT_EQ(Next(1), Lines{"three "});
}

TEST_F(LessonCatalogueTest, SetLessonKeepsTheLineClampsAndStoresUnderTheLoadedUser)
{
    profile.WriteProfile("user3", settings::kLesson.name, "4");
    Load(kCounted);
    Next(1);
    catalogue.SetLesson(3);
    EXPECT_EQ(Next(1), Lines{"L3.2 "});
    catalogue.SetLesson(0);
    EXPECT_EQ(catalogue.LessonNumber(), 1);
    catalogue.SetLesson(40);
    EXPECT_EQ(StoredLesson(), "14");
    catalogue.LoadLessons("user3"); // another user
    catalogue.AdvanceLesson();
    EXPECT_EQ(profile.ReadProfile("user3", settings::kLesson.name, ""), "5");
    EXPECT_EQ(StoredLesson(), "14");
}

TEST_F(LessonCatalogueTest, LettersKeepTenPerLessonAreReadOnceAndReachTheGuide)
{
    folder.Write(LessonCatalogue::kLettersFileName,
                 DataFileText({"FJ", "ABCDEFGHIJKLM", "", "^?"}));
    Load(LessonsFile({{"f"}, {"d"}}));
    Next(2);
    EXPECT_EQ(guide.letters, (Lines{"FJ", "ABCDEFGHIJ"}));
    EXPECT_EQ(catalogue.LessonLetters(4), "^?");
    EXPECT_EQ(catalogue.LessonLetters(LessonCatalogue::kCompletedLesson), "");

    folder.Write(LessonCatalogue::kLettersFileName, DataFileText({"QP"}));
    catalogue.LoadLessonLetters();
    EXPECT_EQ(catalogue.LessonLetters(1), "FJ");
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

class LessonGuidanceTest : public LessonCatalogueTest
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

    KeyboardLayout layout;
    LessonGuidance guidance;
};

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

using ::testing::ElementsAre;
using Sentences = std::vector<std::string>;

const std::string kHeader = "Do not edit this file here.\r\n";

std::string Words(int count, const std::string& word)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? " " : "") + word;
    return text;
}

TEST(SplitTest, CutsAsExpected)
{
    // clang-format off
    const std::tuple<const char*, std::string, Sentences> rows[] = {
        {"initials", "It was J. R. Smith. Yes.", {"It was J. R. Smith. ", "Yes. "}},
        {"early mark", "Hi. Yes.", {"Hi. Yes. "}},
        {"capital I ends", "So was I. Then we went.", {"So was I. ", "Then we went. "}},
        {"case sensitive", "Ask dr. Who. Fine.", {"Ask dr. ", "Who. ", "Fine. "}},
        {"spaces", "Too    many   spaces.  Next one.", {"Too many spaces. ", "Next one. "}},
        {"tab next to space", "a\t b", {"a  b "}},
        {"tab after mark", "The end.\tNext one", {"The end. Next one "}},
        {"only spaces", "    ", {"blank line "}},
        // 9 words and their spaces are 72 characters; the tenth would end at 79.
        {"long line cut before the word crossing the limit", Words(20, "abcdefg"),
         {Words(9, "abcdefg") + " ", Words(9, "abcdefg") + " ", Words(2, "abcdefg") + " "}},
        // The mark falls at 76 and its space makes 77.
        {"mark at the limit carries its word over", Words(14, "abcd") + " abcde. Next.",
         {Words(14, "abcd") + " ", "abcde. ", "Next. "}}};
    // clang-format on
    for (const auto& [name, line, sentences] : rows)
        EXPECT_EQ(SplitIntoSentences({line}), sentences) << name;
}

TEST(ReadLinesTest, HeaderAndBlankLinesAreSkippedAndAt350LinesRead)
{
    EXPECT_THAT(ReadPracticeLines(kHeader + "One.\r\n\r\n\r\n  \r\nTwo.\rThree.\nFour."),
                ElementsAre("One.", "  ", "Two.", "Three.", "Four."));
    std::string file = kHeader;
    for (int i = 1; i <= 400; ++i)
        file += "Line " + std::to_string(i) + ".\r\n\r\n";
    const auto lines = ReadPracticeLines(file);
    ASSERT_EQ(lines.size(), 350u);
    EXPECT_EQ(lines.back(), "Line 350.");
    EXPECT_EQ(SplitIntoSentences(std::vector<std::string>(350, Words(10, "Hello there."))).size(),
              1500u);
}

// The stored number resumes the text: the first fetch writes nothing, the second
// advances it, and Stop then Begin fetches the current one again. Below one
// counts as one; the running number never overflows.
TEST(NextSentenceTest, ResumesTheStoredSentenceThenAdvances)
{
    test::TempFolder folder;
    ProfileStore store(folder.Path());
    PracticeText text;
    const auto next = [&] { return text.NextSentence(store, "user0").value_or("<none>"); };
    const auto stored = [&] { return store.ReadProfile("user0", "sentencenumber", "<absent>"); };
    text.LoadFromBytes(kHeader + "\r\n\r\n");
    EXPECT_EQ(next(), "<none>");
    EXPECT_EQ(stored(), "<absent>") << "a text without sentences";

    std::string file = kHeader;
    for (int i = 1; i <= 7; ++i)
        file += "Sentence " + std::to_string(i) + ".\r\n";
    text.LoadFromBytes(file);
    // clang-format off
    const std::tuple<const char*, std::string, const char*> rows[] = {
        {"12", "Sentence 5. ", "13"}, {"-7", "Sentence 1. ", "2"},
        {"32767", "Sentence 7. ", "32768"}, // (32767 - 1) mod 7 + 1
        {"2147483647", "Sentence 1. ", "2"}};
    // clang-format on
    for (const auto& [storedBefore, first, storedAfter] : rows) {
        SCOPED_TRACE(storedBefore);
        store.WriteProfile("user0", "sentencenumber", storedBefore);
        text.ResetCurrentSentence();
        EXPECT_EQ(next(), first);
        EXPECT_EQ(stored(), storedBefore);
        const std::string second = next();
        EXPECT_EQ(stored(), storedAfter);
        text.ResetCurrentSentence();
        EXPECT_EQ(next(), second);
    }
}

} // namespace
} // namespace tarvelo
