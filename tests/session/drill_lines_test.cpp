#include "drill/keystroke_log.h"
#include "drill/text_language.h"
#include "session/drill_lines.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tarvelo {
namespace {

constexpr std::string_view kText = "Header\r\nthe cat sat on the mat and ate a rat\r\n";

// One line typing each letter at `ms`, `slow` at `slowMs`.
std::vector<Keystroke> Line(std::string_view letters, char slow, double ms, double slowMs)
{
    std::vector<Keystroke> line{{' ', ' ', 0}}; // a line's first keystroke is not timed
    for (char c : letters)
        line.push_back({c, c, c == slow ? slowMs : ms});
    return line;
}

// The figures come from the stored logs and every line typed since; each
// new line tells how its focus letter changed.
TEST(DrillLinesTest, LinesFollowTheFiguresAfterEachLine)
{
    const std::string letters = TextLanguage::Learn(kText).Letters();
    const char slow = letters[1];
    KeystrokeLog log;
    log.AddLine(Line(letters, slow, 100, 400));

    DrillLines drills(7);
    drills.Load(kText, std::vector{log.Bytes()}, TargetSpeed(35));
    const std::string first = drills.NextLine(false);
    ASSERT_GE(first.size(), 30u);
    EXPECT_NE(first.find(slow), std::string::npos) << first;
    EXPECT_EQ(drills.FocusChange(), "");
    std::string focus;
    for (const DrillLetter& letter : drills.Letters())
        if (letter.focus)
            focus.push_back(letter.letter);
    EXPECT_EQ(focus, std::string(1, slow));

    drills.Rewind(false);
    EXPECT_EQ(drills.NextLine(false), first) << "a stopped line comes again";

    // clang-format off
    const struct { double lineMs; const char* told; } rows[] = {
        {300, ": 10 ms faster"},  // 400 + 0.1 * (300 - 400)
        {390, ": unchanged"},
        {490, ": 10 ms slower"},
    };
    // clang-format on
    for (const auto& row : rows) {
        drills.FoldLine(Line(letters, slow, 100, row.lineMs));
        (void)drills.NextLine(false);
        EXPECT_EQ(drills.FocusChange(), slow + std::string(row.told));
    }
}

TEST(DrillLinesTest, TargetSpeedIsAWholeNumberFrom10To150AndNoLettersGiveNoLine)
{
    // clang-format off
    const struct { const char* typed; std::optional<int> wpm; } rows[] = {
        {"35", 35}, {" 10\t", 10}, {"150", 150},
        {"9", std::nullopt}, {"151", std::nullopt}, {"", std::nullopt}, {"  ", std::nullopt},
        {"40.5", std::nullopt}, {"4O", std::nullopt}, {"-35", std::nullopt},
        {"99999999999", std::nullopt},
    };
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(ParseTargetWpm(row.typed), row.wpm) << '"' << row.typed << '"';
    DrillLines drills(7);
    drills.Load("Header\r\n123 456\r\n", {}, TargetSpeed(35));
    EXPECT_EQ(drills.NextLine(false), "");
    EXPECT_TRUE(drills.Letters().empty());
}

} // namespace
} // namespace tarvelo
