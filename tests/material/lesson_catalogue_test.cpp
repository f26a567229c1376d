#include "material/lesson_catalogue.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

#include <cctype>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace tarvelo {
namespace {

using ::testing::ElementsAre;
using Lines = std::vector<std::string>;
using test::DataFileText;

constexpr std::string_view kUser = "user0";
constexpr int kLessons = LessonCatalogue::kLessonCount;

// Lesson n of `lessons` is given by its drill lines; each gets its blank line.
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

// Lesson n holds `n` lines "Ln.1" .. "Ln.n", with their final space when
// `spaced`.
std::vector<Lines> CountedLessons(bool spaced = false, int count = kLessons)
{
    std::vector<Lines> lessons;
    for (int n = 1; n <= count; ++n)
        lessons.push_back(Numbered("L" + std::to_string(n) + ".", n, spaced ? " " : ""));
    return lessons;
}

class LessonCatalogueTest : public ::testing::Test
{
protected:
    void WriteLessons(std::string_view bytes) const
    {
        folder.Write(LessonCatalogue::kLessonsFileName, bytes);
    }
    void StoreLesson(std::string_view value)
    {
        profile.WriteProfile(kUser, settings::kLesson.name, value);
    }
    std::string StoredLesson() const
    {
        return profile.ReadProfile(kUser, settings::kLesson.name, "absent");
    }
    Lines Next(int count)
    {
        Lines lines;
        for (int i = 0; i < count; ++i)
            lines.push_back(catalogue.NextLessonLine(guide));
        return lines;
    }
    // The drill lines of every lesson, up to the last lesson that has any.
    std::vector<Lines> AllDrillLines() const
    {
        std::vector<Lines> lessons;
        for (int n = 1; n <= kLessons; ++n)
            lessons.push_back(catalogue.DrillLines(n));
        while (!lessons.empty() && lessons.back().empty())
            lessons.pop_back();
        return lessons;
    }

    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    LessonCatalogue catalogue{profile, folder.Path()};
    test::RecordingGuide guide;
};

// --- Reading the lessons file ------------------------------------------------

struct ReadCase
{
    const char* name;
    std::optional<std::string> file; // nullopt: no file
    std::vector<Lines> lessons;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class LessonsFileTest : public LessonCatalogueTest, public ::testing::WithParamInterface<ReadCase>
{};

TEST_P(LessonsFileTest, ReadsTheDrillLines)
{
    const ReadCase& c = GetParam();
    if (c.file)
        WriteLessons(*c.file);
    catalogue.LoadLessons(kUser);
    EXPECT_EQ(AllDrillLines(), c.lessons);
    // The first line handed out is lesson 1's, or nothing without lines.
    const std::string first = c.lessons.empty() ? "" : c.lessons.front().front();
    EXPECT_EQ(catalogue.NextLessonLine(guide), first);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LessonsFileTest,
    ::testing::Values(ReadCase{"one_trailing_space",
                               LessonsFile({{"fjfj fjfj", "fjfj fjf ", "  "}}),
                               {{"fjfj fjfj ", "fjfj fjf ", "  "}}},
                      ReadCase{"empty_line_or_one_space_ends_a_lesson",
                               DataFileText({"a", "", "b", " ", "c", ""}),
                               {{"a "}, {"b "}, {"c "}}},
                      ReadCase{"crlf_lf_cr_and_no_final_ending",
                               "header\r\na\nb\rc\r\n\nd\r\re",
                               {{"a ", "b ", "c "}, {"d "}, {"e "}}},
                      ReadCase{"lines_beyond_twenty_ignored_up_to_the_blank_line",
                               LessonsFile({Numbered("x", 25), {"second"}}),
                               {Numbered("x", 20, " "), {"second "}}},
                      ReadCase{"stops_after_the_thirteenth_lesson",
                               LessonsFile(CountedLessons(false, kLessons + 1)),
                               CountedLessons(true)},
                      ReadCase{"no_file", std::nullopt, {}}, ReadCase{"empty_file", "", {}},
                      ReadCase{"header_only", "header only\r\n", {}},
                      ReadCase{"blank_lessons_only", "header\r\n\r\n \r\n\r\n", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LessonCatalogueTest, ReloadingForgetsTheEarlierFile)
{
    WriteLessons(LessonsFile({{"a", "b"}, {"c"}}));
    catalogue.LoadLessons(kUser);
    WriteLessons(LessonsFile({{"d"}}));
    catalogue.LoadLessons(kUser);
    EXPECT_EQ(AllDrillLines(), (std::vector<Lines>{{"d "}}));
}

// --- Handing out lines and moving through the lessons -----------------------

struct WalkCase
{
    const char* name;
    std::string file;
    const char* stored; // nullptr: no stored lesson
    std::deque<int> choices;
    Lines lines; // handed out, in order
    std::vector<int> shown;
    std::string storedAfter;
    friend void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }
};

WalkCase Walk(const char* name, std::string file, const char* stored, std::deque<int> choices,
              Lines lines, std::vector<int> shown, std::string storedAfter)
{
    return {name,
            std::move(file),
            stored,
            std::move(choices),
            std::move(lines),
            std::move(shown),
            std::move(storedAfter)};
}

class WalkTest : public LessonCatalogueTest, public ::testing::WithParamInterface<WalkCase>
{};

TEST_P(WalkTest, HandsOutLinesAndIntroducesLessons)
{
    const WalkCase& c = GetParam();
    WriteLessons(c.file);
    if (c.stored)
        StoreLesson(c.stored);
    catalogue.LoadLessons(kUser);
    guide.choices = c.choices;
    EXPECT_EQ(Next(static_cast<int>(c.lines.size())), c.lines);
    EXPECT_EQ(guide.shown, c.shown);
    EXPECT_EQ(StoredLesson(), c.storedAfter);
}

// The counted lessons' lines from lesson `from` on, then `more`.
Lines CountedLines(int from, const Lines& more = {})
{
    Lines lines;
    for (int n = from; n <= kLessons; ++n) {
        const Lines lesson = Numbered("L" + std::to_string(n) + ".", n, " ");
        lines.insert(lines.end(), lesson.begin(), lesson.end());
    }
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

const std::string kCounted = LessonsFile(CountedLessons());

INSTANTIATE_TEST_SUITE_P(
    Courses, WalkTest,
    ::testing::Values(
        Walk("next_lesson_after_the_last_line", LessonsFile({{"one", "two", "three"}, {"next"}}),
             nullptr, {}, {"one ", "two ", "three ", "next "}, {1, 2}, "2"),
        Walk("whole_course_introduces_every_lesson_once", kCounted, nullptr, {}, CountedLines(1),
             {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, "13"),
        Walk("completion_page_after_the_last_lesson_keeps_fourteen_stored", kCounted, "13", {},
             CountedLines(13, {"L1.1 "}), {13, 14}, "14"),
        Walk("lesson_two_follows_the_completion_page", kCounted, "13", {},
             CountedLines(13, {"L1.1 ", "L2.1 "}), {13, 14, 2}, "2"),
        Walk("stored_fourteen_resumes_at_thirteen", kCounted, "14", {}, {"L13.1 "}, {13}, "14"),
        Walk("stored_above_int16_resumes_at_thirteen", kCounted, "99999", {}, {"L13.1 "}, {13},
             "99999"),
        Walk("stored_zero_starts_at_one", kCounted, "0", {}, {"L1.1 "}, {1}, "0"),
        Walk("stored_below_int16_starts_at_one", kCounted, "-99999", {}, {"L1.1 "}, {1}, "-99999"),
        Walk("stored_not_a_number_starts_at_one", kCounted, "abc", {}, {"L1.1 "}, {1}, "abc"),
        Walk("guide_chooses_another_lesson", kCounted, nullptr, {5}, {"L5.1 ", "L5.2 "}, {1}, "5"),
        Walk("choosing_the_completion_page_continues_at_lesson_one", kCounted, "13", {14},
             {"L1.1 "}, {13}, "14"),
        Walk("lessons_without_lines_are_passed_over", LessonsFile({{"one"}, {}, {}, {"four"}}),
             nullptr, {}, {"one ", "four ", "one "}, {1, 4, 14}, "14"),
        Walk("empty_lesson_one_is_passed_over_after_completion", LessonsFile({{}, {"two"}}), "2",
             {}, {"two ", "two "}, {2, 14, 2}, "2"),
        Walk("choosing_an_empty_lesson_moves_on_to_the_next_with_lines",
             LessonsFile({{"one"}, {}, {"three"}}), nullptr, {2}, {"three "}, {1, 3}, "3"),
        Walk("file_ending_without_the_last_blank_line",
             DataFileText({"one", "", "two", "", "three"}), nullptr, {},
             {"one ", "two ", "three ", "one "}, {1, 2, 3, 14}, "14")),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LessonCatalogueTest, RewindHandsOutTheStoppedLineAgainIntroducingALessonStartAgain)
{
    WriteLessons(LessonsFile({{"one", "two"}, {"three"}}));
    catalogue.LoadLessons(kUser);
    Next(2);
    catalogue.RewindLessonLine();
    EXPECT_EQ(Next(2), (Lines{"two ", "three "}));
    EXPECT_THAT(guide.shown, ElementsAre(1, 2));
    catalogue.RewindLessonLine();
    EXPECT_EQ(Next(1), Lines{"three "});
    EXPECT_THAT(guide.shown, ElementsAre(1, 2, 2));
    catalogue.RewindLessonLine();
    catalogue.RewindLessonLine(); // below the first line
    EXPECT_EQ(Next(1), Lines{"three "});
}

TEST_F(LessonCatalogueTest, ChangesAreStoredUnderTheLoadedUsersSection)
{
    WriteLessons(kCounted);
    profile.WriteProfile("user3", settings::kLesson.name, "4");
    catalogue.LoadLessons("user3");
    catalogue.AdvanceLesson();
    EXPECT_EQ(profile.ReadProfile("user3", settings::kLesson.name, ""), "5");

    catalogue.LoadLessonNumber(kUser); // another user
    EXPECT_EQ(catalogue.LessonNumber(), 1);
    catalogue.AdvanceLesson();
    EXPECT_EQ(StoredLesson(), "2");
    EXPECT_EQ(profile.ReadProfile("user3", settings::kLesson.name, ""), "5");
}

TEST_F(LessonCatalogueTest, SetLessonKeepsTheLineAndClampsTheNumber)
{
    WriteLessons(kCounted);
    catalogue.LoadLessons(kUser);
    Next(1);
    catalogue.SetLesson(3);
    EXPECT_EQ(Next(1), Lines{"L3.2 "});
    catalogue.SetLesson(0);
    EXPECT_EQ(catalogue.LessonNumber(), 1);
    catalogue.SetLesson(40);
    EXPECT_EQ(catalogue.LessonNumber(), LessonCatalogue::kCompletedLesson);
    EXPECT_EQ(StoredLesson(), "14");
}

// --- The letters and the lesson help file -----------------------------------

TEST_F(LessonCatalogueTest, LettersKeepTenPerLessonAndAreReadOncePerCatalogue)
{
    folder.Write(LessonCatalogue::kLettersFileName,
                 DataFileText({"FJ", "ABCDEFGHIJKLM", "", "^?"}));
    catalogue.LoadLessonLetters();
    Lines letters;
    for (int n = 0; n <= LessonCatalogue::kCompletedLesson; ++n)
        letters.emplace_back(catalogue.LessonLetters(n));
    EXPECT_EQ(letters,
              (Lines{"", "FJ", "ABCDEFGHIJ", "", "^?", "", "", "", "", "", "", "", "", "", ""}));

    folder.Write(LessonCatalogue::kLettersFileName, DataFileText({"QP"}));
    catalogue.LoadLessonLetters();
    EXPECT_EQ(catalogue.LessonLetters(1), "FJ");
}

TEST_F(LessonCatalogueTest, TheGuideSeesTheLettersOfTheLessonItIntroduces)
{
    WriteLessons(LessonsFile({{"f"}, {"d"}}));
    folder.Write(LessonCatalogue::kLettersFileName, DataFileText({"FJ", "DK"}));
    catalogue.LoadLessons(kUser);
    Next(2);
    EXPECT_THAT(guide.letters, ElementsAre("FJ", "DK"));
}

TEST(LessonIntroductionsTest, FourteenLinesAfterTheHeaderMissingOnesEmpty)
{
    const auto full = ReadLessonIntroductions(DataFileText(Numbered("intro ", 15)));
    EXPECT_EQ(full.back(), "intro 14");
    const auto shortFile = ReadLessonIntroductions(DataFileText({"first"}));
    EXPECT_EQ(Lines(shortFile.begin(), shortFile.begin() + 2), (Lines{"first", ""}));
}

// --- The shipped data files --------------------------------------------------

class ShippedLessonsTest : public LessonCatalogueTest
{
protected:
    void SetUp() override
    {
        for (std::string_view name :
             {LessonCatalogue::kLessonsFileName, LessonCatalogue::kLettersFileName,
              LessonCatalogue::kHelpFileName})
            folder.CopyShipped(name);
        catalogue.LoadLessons(kUser);
        catalogue.LoadLessonLetters();
    }
};

TEST_F(ShippedLessonsTest, EveryLineUsesOnlyKeysIntroducedSoFar)
{
    constexpr std::size_t kTypingLine = 75;
    const std::string labels = "QWERTYUIOPASDFGHJKL;'ZXCVBNM,.?^";
    std::set<char> known{' '};
    for (int n = 1; n <= kLessons; ++n) {
        SCOPED_TRACE("lesson " + std::to_string(n));
        const std::string_view letters = catalogue.LessonLetters(n);
        EXPECT_GE(letters.size(), 1u);
        std::set<char> introduced;
        for (char c : letters) {
            EXPECT_NE(labels.find(c), std::string::npos) << "'" << c << "' is no key label";
            introduced.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
        known.insert(introduced.begin(), introduced.end());

        const Lines lines = catalogue.DrillLines(n);
        EXPECT_GE(lines.size(), 1u);
        std::set<char> used;
        for (const std::string& line : lines) {
            SCOPED_TRACE(line);
            EXPECT_LE(line.size(), kTypingLine); // typed whole, with its final space
            for (char c : line) {
                const auto u = static_cast<unsigned char>(c);
                const char lower = static_cast<char>(std::tolower(u));
                EXPECT_TRUE(known.count(lower)) << "'" << c << "' is not introduced yet";
                EXPECT_TRUE(!std::isupper(u) || known.count('^')) << "Shift is not introduced yet";
                used.insert(lower);
                if (std::isupper(u))
                    used.insert('^');
            }
        }
        for (char key : introduced)
            EXPECT_TRUE(used.count(key)) << "'" << key << "' is introduced but not drilled";
    }
    for (char key : std::string("abcdefghijklmnopqrstuvwxyz;,.?'^"))
        EXPECT_TRUE(known.count(key)) << "'" << key << "' is never introduced";
}

TEST_F(ShippedLessonsTest, EveryLessonAndTheCompletionHaveAnIntroduction)
{
    for (const std::string& intro : catalogue.LoadLessonIntroductions())
        EXPECT_FALSE(intro.empty());
}

} // namespace
} // namespace tarvelo
