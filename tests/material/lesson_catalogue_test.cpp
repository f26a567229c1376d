#include "material/lesson_catalogue.h"
#include "material/lesson_guide.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "support/temp_folder.h"

#include <cctype>
#include <deque>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

namespace tarvelo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

constexpr std::string_view kUser = "user0";
constexpr int kLessons = LessonCatalogue::kLessonCount;

// Records every introduction; pops a lesson to choose from `choices`, if any.
class FakeGuide : public LessonGuide
{
public:
    void IntroduceLesson(LessonCatalogue& catalogue) override
    {
        // Turns a catalogue that introduces lessons endlessly into a failure.
        if (shown.size() >= kMaxIntroductions)
            throw std::runtime_error("the lesson guide is shown again and again");
        shown.push_back(catalogue.LessonNumber());
        letters.emplace_back(catalogue.LessonLetters(catalogue.LessonNumber()));
        if (!choices.empty()) {
            catalogue.SetLesson(choices.front());
            choices.pop_front();
        }
    }

    static constexpr std::size_t kMaxIntroductions = 1000;
    std::vector<int> shown;
    Lines letters;
    std::deque<int> choices;
};

std::string FileText(const Lines& lines)
{
    std::string text = "A header line\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Lesson n of `lessons` is given by its drill lines; each gets its blank line.
std::string LessonsFile(const std::vector<Lines>& lessons)
{
    Lines lines;
    for (const Lines& lesson : lessons) {
        lines.insert(lines.end(), lesson.begin(), lesson.end());
        lines.emplace_back();
    }
    return FileText(lines);
}

// Thirteen lessons; lesson n holds `n` lines "Ln.1" .. "Ln.n".
std::vector<Lines> CountedLessons()
{
    std::vector<Lines> lessons;
    for (int n = 1; n <= kLessons; ++n) {
        Lines lesson;
        for (int k = 1; k <= n; ++k)
            lesson.push_back("L" + std::to_string(n) + "." + std::to_string(k));
        lessons.push_back(lesson);
    }
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
    // Hands out `count` lines.
    Lines Next(int count)
    {
        Lines lines;
        for (int i = 0; i < count; ++i)
            lines.push_back(catalogue.NextLessonLine(guide));
        return lines;
    }

    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    LessonCatalogue catalogue{profile, folder.Path()};
    FakeGuide guide;
};

// Reading the lessons file.

TEST_F(LessonCatalogueTest, DrillLinesGetOneTrailingSpace)
{
    WriteLessons(LessonsFile({{"fjfj fjfj", "fjfj fjf ", "  "}}));
    catalogue.LoadLessons(kUser);
    EXPECT_THAT(catalogue.DrillLines(1), ElementsAre("fjfj fjfj ", "fjfj fjf ", "  "));
    EXPECT_EQ(Next(1), Lines{"fjfj fjfj "}); // nine characters handed out as ten
    EXPECT_EQ(Next(1), Lines{"fjfj fjf "});  // already ending with a space: unchanged
    EXPECT_EQ(Next(1), Lines{"  "});         // two spaces are a drill line
}

TEST_F(LessonCatalogueTest, EmptyLineAndOneSpaceBothEndALesson)
{
    WriteLessons(FileText({"a", "", "b", " ", "c", ""}));
    catalogue.LoadLessons(kUser);
    EXPECT_THAT(catalogue.DrillLines(1), ElementsAre("a "));
    EXPECT_THAT(catalogue.DrillLines(2), ElementsAre("b "));
    EXPECT_THAT(catalogue.DrillLines(3), ElementsAre("c "));
}

TEST_F(LessonCatalogueTest, LinesMayEndWithCrLfLfOrCr)
{
    WriteLessons("header\r\na\nb\rc\r\n\nd\r\re");
    catalogue.LoadLessons(kUser);
    EXPECT_THAT(catalogue.DrillLines(1), ElementsAre("a ", "b ", "c "));
    EXPECT_THAT(catalogue.DrillLines(2), ElementsAre("d "));
    EXPECT_THAT(catalogue.DrillLines(3), ElementsAre("e ")); // a last line without ending
}

TEST_F(LessonCatalogueTest, ReadingStopsAfterTheThirteenthLessonsBlankLine)
{
    std::vector<Lines> lessons = CountedLessons();
    lessons.push_back({"a fourteenth lesson"});
    WriteLessons(LessonsFile(lessons));
    StoreLesson("13");
    catalogue.LoadLessons(kUser);
    EXPECT_EQ(catalogue.DrillLines(13).size(), 13u);
    EXPECT_THAT(catalogue.DrillLines(14), IsEmpty());
    Next(13);
    EXPECT_EQ(Next(1), Lines{"L1.1 "});
}

TEST_F(LessonCatalogueTest, LinesBeyondTwentyAreIgnoredUpToTheBlankLine)
{
    Lines longLesson;
    for (int k = 1; k <= 25; ++k)
        longLesson.push_back("x" + std::to_string(k));
    WriteLessons(LessonsFile({longLesson, {"second"}}));
    catalogue.LoadLessons(kUser);
    const Lines kept = catalogue.DrillLines(1);
    ASSERT_EQ(kept.size(), 20u);
    EXPECT_EQ(kept.back(), "x20 ");
    EXPECT_THAT(catalogue.DrillLines(2), ElementsAre("second "));
    EXPECT_EQ(Next(21).back(), "second ");
    EXPECT_THAT(guide.shown, ElementsAre(1, 2));
}

TEST_F(LessonCatalogueTest, MissingOrEmptyLessonsFileHandsOutNothing)
{
    for (const char* bytes : {"", "header only\r\n", "header\r\n\r\n \r\n\r\n"}) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        WriteLessons(bytes);
        catalogue.LoadLessons(kUser);
        EXPECT_EQ(catalogue.NextLessonLine(guide), "");
    }
    LessonCatalogue noFiles(profile, folder.Path() + "absent/");
    noFiles.LoadLessons(kUser);
    noFiles.LoadLessonLetters();
    EXPECT_EQ(noFiles.NextLessonLine(guide), "");
    EXPECT_EQ(noFiles.LessonLetters(1), "");
    EXPECT_THAT(guide.shown, IsEmpty());
    EXPECT_EQ(StoredLesson(), "absent");
}

TEST_F(LessonCatalogueTest, ReloadingForgetsTheEarlierFile)
{
    WriteLessons(LessonsFile({{"a", "b"}, {"c"}}));
    catalogue.LoadLessons(kUser);
    WriteLessons(LessonsFile({{"d"}}));
    catalogue.LoadLessons(kUser);
    EXPECT_THAT(catalogue.DrillLines(1), ElementsAre("d "));
    EXPECT_THAT(catalogue.DrillLines(2), IsEmpty());
}

// Handing out lines and moving through the lessons.

TEST_F(LessonCatalogueTest, ThreeLineLessonThenTheNextIsIntroduced)
{
    WriteLessons(LessonsFile({{"one", "two", "three"}, {"next"}}));
    catalogue.LoadLessons(kUser);
    EXPECT_EQ(Next(3), (Lines{"one ", "two ", "three "}));
    EXPECT_THAT(guide.shown, ElementsAre(1));
    EXPECT_EQ(Next(1), Lines{"next "});
    EXPECT_THAT(guide.shown, ElementsAre(1, 2));
    EXPECT_EQ(catalogue.LessonNumber(), 2);
    EXPECT_EQ(StoredLesson(), "2");
}

TEST_F(LessonCatalogueTest, StoredFourteenResumesAtThirteen)
{
    WriteLessons(LessonsFile(CountedLessons()));
    StoreLesson("14");
    catalogue.LoadLessons(kUser);
    EXPECT_EQ(Next(1), Lines{"L13.1 "});
    EXPECT_THAT(guide.shown, ElementsAre(13));
}

TEST_F(LessonCatalogueTest, AfterTheLastLessonCompletionIsShownAndLessonOneFollows)
{
    WriteLessons(LessonsFile(CountedLessons()));
    StoreLesson("13");
    catalogue.LoadLessons(kUser);
    Next(13);
    EXPECT_EQ(Next(1), Lines{"L1.1 "});
    EXPECT_THAT(guide.shown, ElementsAre(13, 14));
    EXPECT_EQ(StoredLesson(), "14");
    EXPECT_EQ(catalogue.LessonNumber(), 1);
    EXPECT_EQ(Next(1), Lines{"L2.1 "}); // lesson 1 has one line
    EXPECT_EQ(StoredLesson(), "2");
}

TEST_F(LessonCatalogueTest, WalkingTheWholeCourseIntroducesEveryLessonOnce)
{
    WriteLessons(LessonsFile(CountedLessons()));
    catalogue.LoadLessons(kUser);
    Lines expected;
    for (const Lines& lesson : CountedLessons()) {
        for (const std::string& line : lesson)
            expected.push_back(line + " ");
    }
    EXPECT_EQ(Next(static_cast<int>(expected.size())), expected);
    EXPECT_THAT(guide.shown, ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13));
}

TEST_F(LessonCatalogueTest, RewindHandsOutTheStoppedLineAgain)
{
    WriteLessons(LessonsFile({{"one", "two", "three"}}));
    catalogue.LoadLessons(kUser);
    Next(2);
    catalogue.RewindLessonLine();
    EXPECT_EQ(Next(1), Lines{"two "});
    EXPECT_THAT(guide.shown, ElementsAre(1));
}

TEST_F(LessonCatalogueTest, RewindAtTheFirstLineIntroducesTheLessonAgain)
{
    WriteLessons(LessonsFile({{"one", "two"}, {"three"}}));
    catalogue.LoadLessons(kUser);
    Next(3);
    catalogue.RewindLessonLine();
    EXPECT_EQ(Next(1), Lines{"three "});
    EXPECT_THAT(guide.shown, ElementsAre(1, 2, 2));
    catalogue.RewindLessonLine();
    catalogue.RewindLessonLine(); // below the first line
    EXPECT_EQ(Next(1), Lines{"three "});
}

TEST_F(LessonCatalogueTest, TheGuideMayChooseAnotherLesson)
{
    WriteLessons(LessonsFile(CountedLessons()));
    catalogue.LoadLessons(kUser);
    guide.choices = {5};
    EXPECT_EQ(Next(1), Lines{"L5.1 "});
    EXPECT_EQ(StoredLesson(), "5");
    EXPECT_EQ(catalogue.LessonLine(), 2);
}

TEST_F(LessonCatalogueTest, ChoosingTheCompletionPageContinuesAtLessonOne)
{
    WriteLessons(LessonsFile(CountedLessons()));
    StoreLesson("13");
    catalogue.LoadLessons(kUser);
    guide.choices = {14};
    EXPECT_EQ(Next(1), Lines{"L1.1 "});
    EXPECT_EQ(StoredLesson(), "14");
}

TEST_F(LessonCatalogueTest, LessonsWithoutLinesArePassedOver)
{
    WriteLessons(LessonsFile({{"one"}, {}, {}, {"four"}}));
    catalogue.LoadLessons(kUser);
    EXPECT_EQ(Next(3), (Lines{"one ", "four ", "one "}));
    EXPECT_THAT(guide.shown, ElementsAre(1, 4, 14));
    EXPECT_EQ(StoredLesson(), "14");
}

TEST_F(LessonCatalogueTest, AnEmptyLessonOneIsPassedOverAfterCompletion)
{
    WriteLessons(LessonsFile({{}, {"two"}}));
    StoreLesson("2");
    catalogue.LoadLessons(kUser);
    EXPECT_EQ(Next(2), (Lines{"two ", "two "}));
    EXPECT_THAT(guide.shown, ElementsAre(2, 14, 2));
    EXPECT_EQ(StoredLesson(), "2");
}

TEST_F(LessonCatalogueTest, ChoosingAnEmptyLessonMovesOnToTheNextWithLines)
{
    WriteLessons(LessonsFile({{"one"}, {}, {"three"}}));
    catalogue.LoadLessons(kUser);
    guide.choices = {2};
    EXPECT_EQ(Next(1), Lines{"three "});
    EXPECT_THAT(guide.shown, ElementsAre(1, 3));
    EXPECT_EQ(StoredLesson(), "3");
}

TEST_F(LessonCatalogueTest, LessonsEndingEarlyLeaveTheRestEmpty)
{
    WriteLessons(FileText({"one", "", "two", "", "three"})); // no blank after lesson 3
    catalogue.LoadLessons(kUser);
    EXPECT_EQ(Next(4), (Lines{"one ", "two ", "three ", "one "}));
    EXPECT_THAT(guide.shown, ElementsAre(1, 2, 3, 14));
}

TEST_F(LessonCatalogueTest, StoredLessonBelowOneOrNotANumberStartsAtOne)
{
    WriteLessons(LessonsFile(CountedLessons()));
    for (const char* stored : {"0", "-3", "abc", "", "-99999"}) {
        SCOPED_TRACE(stored);
        StoreLesson(stored);
        catalogue.LoadLessons(kUser);
        EXPECT_EQ(catalogue.LessonNumber(), 1);
        EXPECT_EQ(catalogue.NextLessonLine(guide), "L1.1 ");
    }
}

TEST_F(LessonCatalogueTest, StoredLessonAboveFourteenResumesAtThirteen)
{
    WriteLessons(LessonsFile(CountedLessons()));
    StoreLesson("99999");
    catalogue.LoadLessons(kUser);
    EXPECT_EQ(Next(1), Lines{"L13.1 "});
}

TEST_F(LessonCatalogueTest, ChangesAreStoredUnderTheLoadedUsersSection)
{
    WriteLessons(LessonsFile(CountedLessons()));
    profile.WriteProfile("user3", settings::kLesson.name, "4");
    catalogue.LoadLessons("user3");
    EXPECT_EQ(catalogue.LessonNumber(), 4);
    catalogue.AdvanceLesson();
    EXPECT_EQ(profile.ReadProfile("user3", settings::kLesson.name, ""), "5");
    catalogue.SetLesson(9);
    EXPECT_EQ(profile.ReadProfile("user3", settings::kLesson.name, ""), "9");
    EXPECT_EQ(StoredLesson(), "absent");

    catalogue.LoadLessonNumber(kUser); // another user
    EXPECT_EQ(catalogue.LessonNumber(), 1);
    catalogue.AdvanceLesson();
    EXPECT_EQ(StoredLesson(), "2");
    EXPECT_EQ(profile.ReadProfile("user3", settings::kLesson.name, ""), "9");
}

TEST_F(LessonCatalogueTest, SetLessonKeepsTheLineAndClampsTheNumber)
{
    WriteLessons(LessonsFile(CountedLessons()));
    catalogue.LoadLessons(kUser);
    Next(1);
    catalogue.SetLesson(3);
    EXPECT_EQ(catalogue.LessonLine(), 2);
    EXPECT_EQ(Next(1), Lines{"L3.2 "});
    catalogue.SetLesson(0);
    EXPECT_EQ(catalogue.LessonNumber(), 1);
    catalogue.SetLesson(40);
    EXPECT_EQ(catalogue.LessonNumber(), 14);
    EXPECT_EQ(StoredLesson(), "14");
}

// The letters file.

TEST_F(LessonCatalogueTest, LettersAreReadOncePerCatalogue)
{
    folder.Write(LessonCatalogue::kLettersFileName, FileText({"FJ", "ABCDEFGHIJKLM", "", "^?"}));
    catalogue.LoadLessonLetters();
    EXPECT_EQ(catalogue.LessonLetters(1), "FJ");
    EXPECT_EQ(catalogue.LessonLetters(2), "ABCDEFGHIJ"); // the first ten
    EXPECT_EQ(catalogue.LessonLetters(3), "");
    EXPECT_EQ(catalogue.LessonLetters(4), "^?");
    EXPECT_EQ(catalogue.LessonLetters(5), ""); // the file ends early
    EXPECT_EQ(catalogue.LessonLetters(13), "");
    EXPECT_EQ(catalogue.LessonLetters(14), "");
    EXPECT_EQ(catalogue.LessonLetters(0), "");

    folder.Write(LessonCatalogue::kLettersFileName, FileText({"QP"}));
    catalogue.LoadLessonLetters();
    EXPECT_EQ(catalogue.LessonLetters(1), "FJ");
}

TEST_F(LessonCatalogueTest, TheGuideSeesTheLettersOfTheLessonItIntroduces)
{
    WriteLessons(LessonsFile({{"f"}, {"d"}}));
    folder.Write(LessonCatalogue::kLettersFileName, FileText({"FJ", "DK"}));
    catalogue.LoadLessons(kUser);
    Next(2);
    EXPECT_THAT(guide.letters, ElementsAre("FJ", "DK"));
}

// The lesson help file.

TEST(LessonIntroductionsTest, FourteenLinesAfterTheHeader)
{
    Lines lines;
    for (int n = 1; n <= 15; ++n)
        lines.push_back("intro " + std::to_string(n));
    const auto intros = ReadLessonIntroductions(FileText(lines));
    EXPECT_EQ(intros.front(), "intro 1");
    EXPECT_EQ(intros.back(), "intro 14");
}

TEST(LessonIntroductionsTest, ShortOrEmptyFilesLeaveEmptyIntroductions)
{
    const auto shortFile = ReadLessonIntroductions("header\nfirst\rsecond");
    EXPECT_EQ(shortFile[0], "first");
    EXPECT_EQ(shortFile[1], "second");
    EXPECT_EQ(shortFile[2], "");
    for (const std::string& intro : ReadLessonIntroductions(""))
        EXPECT_EQ(intro, "");
}

// The shipped data files.

class ShippedLessonsTest : public LessonCatalogueTest
{
protected:
    void SetUp() override
    {
        folder.CopyShipped(LessonCatalogue::kLessonsFileName);
        folder.CopyShipped(LessonCatalogue::kLettersFileName);
        folder.CopyShipped(LessonCatalogue::kHelpFileName);
        catalogue.LoadLessons(kUser);
        catalogue.LoadLessonLetters();
    }
};

TEST_F(ShippedLessonsTest, EveryLineUsesOnlyKeysIntroducedSoFar)
{
    constexpr std::size_t kTypingLine = 75;
    std::set<char> known{' '};
    for (int n = 1; n <= kLessons; ++n) {
        SCOPED_TRACE("lesson " + std::to_string(n));
        const std::string_view letters = catalogue.LessonLetters(n);
        EXPECT_GE(letters.size(), 1u);
        std::set<char> introduced;
        for (char c : letters)
            introduced.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        known.insert(introduced.begin(), introduced.end());

        const Lines lines = catalogue.DrillLines(n);
        EXPECT_GE(lines.size(), 1u);
        EXPECT_LE(lines.size(), 20u);
        std::set<char> used;
        for (const std::string& line : lines) {
            SCOPED_TRACE(line);
            EXPECT_LE(line.size(), kTypingLine); // typed whole, with its final space
            EXPECT_EQ(line.back(), ' ');
            for (char c : line) {
                const auto u = static_cast<unsigned char>(c);
                const char key = std::isupper(u) ? '^' : static_cast<char>(std::tolower(u));
                EXPECT_TRUE(known.count(key)) << "'" << c << "' is not introduced yet";
                if (std::isupper(u)) {
                    EXPECT_TRUE(known.count(static_cast<char>(std::tolower(u)))) << c;
                }
                used.insert(key);
                used.insert(static_cast<char>(std::tolower(u)));
            }
        }
        for (char key : introduced)
            EXPECT_TRUE(used.count(key)) << "'" << key << "' is introduced but not drilled";
    }
    for (char key : std::string("abcdefghijklmnopqrstuvwxyz;,.?'^"))
        EXPECT_TRUE(known.count(key)) << "'" << key << "' is never introduced";
}

TEST_F(ShippedLessonsTest, LettersAreKeyLabels)
{
    const std::string labels = "QWERTYUIOPASDFGHJKL;'ZXCVBNM,.?^";
    for (int n = 1; n <= kLessons; ++n) {
        for (char c : catalogue.LessonLetters(n))
            EXPECT_NE(labels.find(c), std::string::npos) << "lesson " << n << ": '" << c << "'";
    }
}

TEST_F(ShippedLessonsTest, EveryLessonHasAnIntroductionAndCompletionAPage)
{
    for (const std::string& intro : catalogue.LoadLessonIntroductions())
        EXPECT_FALSE(intro.empty());
}

TEST_F(ShippedLessonsTest, EveryLineEndsWithCrLf)
{
    for (std::string_view name :
         {LessonCatalogue::kLessonsFileName, LessonCatalogue::kLettersFileName,
          LessonCatalogue::kHelpFileName}) {
        SCOPED_TRACE(name);
        const std::string bytes = folder.Read(name);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "at byte " << i;
            }
            if (bytes[i] == '\r') {
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "at byte " << i;
            }
        }
    }
}

} // namespace
} // namespace tarvelo
