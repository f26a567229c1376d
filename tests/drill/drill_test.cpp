#include "drill/drill_line.h"
#include "drill/drill_plan.h"
#include "drill/key_speed.h"
#include "drill/keystroke_log.h"
#include "drill/keystroke_recorder.h"
#include "drill/layout_identity.h"
#include "drill/seeded_random.h"
#include "drill/text_language.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

namespace tarvelo {
namespace {

const std::string kHeader = "Header line: zzzz qqqq\r\n";

// Letters with their best and current times; 342.9 ms is at target.
KeySpeeds Speeds(const std::map<char, std::pair<double, double>>& times)
{
    KeySpeeds speeds;
    for (const auto& [letter, time] : times)
        speeds.Set(letter, {time.second, time.first, 1, 0});
    return speeds;
}

TEST(TextLanguageTest, LettersByFrequencyAndMadeUpWordsWithTheRequiredLetter)
{
    // Ties to the first seen and capitals folded: the probe's drill test.
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"header_left_out", kHeader + "abb", "ba"},
        {"marks_and_digits_skipped", kHeader + "x1-y2 \xD7\xF7 y", "yx"},
        {"lf_lines", "Header\nxy\ny\n", "yx"},
    };
    for (const auto& [name, text, letters] : rows)
        EXPECT_EQ(TextLanguage::Learn(text).Letters(), letters) << name;
    const TextLanguage language = TextLanguage::Learn(kHeader + "see the tea, she sat\r\n");
    for (std::uint64_t seed = 0; seed < 20; ++seed) {
        SeededRandom random(seed);
        for (const char required : {'h', 'z'}) {
            const auto word = language.MakeWord("ethas", required, 4, random);
            ASSERT_TRUE(word);
            EXPECT_TRUE(word->size() >= 3 && word->size() <= 4) << *word;
            EXPECT_NE(word->find(required), std::string::npos) << *word;
            EXPECT_EQ(word->find_first_not_of(std::string("ethas") + required), std::string::npos)
                << *word;
        }
    }
    SeededRandom random(1);
    EXPECT_FALSE(language.MakeWord("xyz", 'x', 10, random));
    EXPECT_FALSE(language.MakeWord("eth", 'e', 2, random));
}

// Best and current times of the letters a, b, c... in turn: F fast (at
// target), S slow, - no samples.
KeySpeeds Speeds(const std::string& pairs)
{
    std::map<char, std::pair<double, double>> times;
    const auto time = [](char c) { return c == 'F' ? 300.0 : 500.0; };
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 3) {
        if (pairs[i] != '-')
            times[static_cast<char>('a' + i / 3)] = {time(pairs[i]), time(pairs[i + 1])};
    }
    return Speeds(times);
}

TEST(DrillPlanTest, OpensLettersOneAtATimeAndFocusesOnTheSlowest)
{
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"first_six_without_samples", "", "abcdef"},
        {"first_six_when_slow", "SS", "abcdef"},
        {"next_when_all_open_were_at_target", "FS FF FF FF FF FF", "abcdefg"},
        {"only_one_new_letter", "FF FF FF FF FF FF SS", "abcdefg"},
        {"a_letter_at_target_opens_anyway", "SS -- -- -- -- -- -- -- FS", "abcdefi"},
        {"chain_continues_past_fast_letters", "FF FF FF FF FF FF FF FS", "abcdefghi"},
    };
    for (const auto& [name, times, open] : rows)
        EXPECT_EQ(OpenLetters("abcdefghij", Speeds(times), TargetSpeed()), open) << name;
    EXPECT_EQ(OpenLetters("abc", KeySpeeds(), TargetSpeed()), "abc");
    // clang-format off
    const struct { const char* name; std::map<char, std::pair<double, double>> times; std::optional<char> focus; } focusRows[] = {
        {"no_samples_is_slowest", {{'a', {300, 300}}, {'b', {300, 400}}}, 'c'},
        {"lowest_by_current_average", {{'a', {300, 500}}, {'b', {200, 600}}, {'c', {300, 300}}}, 'b'},
        {"ties_to_earlier_opened", {{'a', {300, 300}}, {'b', {300, 500}}, {'c', {300, 500}}}, 'b'},
        {"all_at_target_the_slowest", {{'a', {200, 200}}, {'b', {200, 300}}, {'c', {200, 250}}}, 'b'},
    }; // times: best, current
    // clang-format on
    for (const auto& row : focusRows)
        EXPECT_EQ(FocusLetter("abc", Speeds(row.times), TargetSpeed()), row.focus) << row.name;
    EXPECT_EQ(FocusLetter("", KeySpeeds(), TargetSpeed()), std::nullopt);
}

std::vector<std::string> SplitLine(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

TEST(DrillLineTest, FollowsTheRulesPrefersTheTextsWordsAndRepeatsForASeed)
{
    const std::string text = kHeader +
                             "The baker rises early, lights the oven and bakes bread for the "
                             "street. Her husband takes rolls to the school in a quiet van.\r\n"
                             "Dozens of jars sit in the window; a fox watches the jazz band.\r\n";
    const TextLanguage language = TextLanguage::Learn(text);
    const std::tuple<const char*, std::string, char> rows[] = {
        {"common", "etaosr", 'e'},
        {"rare_focus", "etaosrnhilzq", 'q'},
        {"few_letters", "eta", 't'},
        {"focus_in_few_words", "etaosrnhilwx", 'x'}};
    for (const auto& [name, open, focus] : rows) {
        for (std::uint64_t seed = 0; seed < 20; ++seed) {
            SeededRandom random(seed);
            const std::string line = MakeDrillLine(language, open, focus, random);
            const std::string where =
                std::string(name) + " seed " + std::to_string(seed) + ": \"" + line + "\"";
            ASSERT_GE(line.size(), kShortestDrillLine) << where;
            ASSERT_LE(line.size(), kLongestDrillLine) << where;
            ASSERT_EQ(line.back(), ' ') << where;
            ASSERT_EQ(line.find("  "), std::string::npos) << where;
            std::string previous;
            for (const std::string& word : SplitLine(line)) {
                ASSERT_GE(word.size(), 3u) << where;
                ASSERT_NE(word.find(focus), std::string::npos) << where;
                ASSERT_EQ(word.find_first_not_of(open), std::string::npos) << where;
                ASSERT_NE(word, std::exchange(previous, word)) << where;
            }
        }
    }
    // Every fitting word of the text comes before any made-up one.
    const TextLanguage words =
        TextLanguage::Learn(kHeader + "Tea at ten; eat the tent, then set the nest.\r\n");
    SeededRandom random(3);
    const std::string line = MakeDrillLine(words, "etahns", 't', random);
    const auto made = SplitLine(line);
    std::vector<std::string> first(made.begin(), made.begin() + 8);
    std::sort(first.begin(), first.end());
    EXPECT_EQ(first,
              (std::vector<std::string>{"eat", "nest", "set", "tea", "ten", "tent", "the", "then"}))
        << line;
    SeededRandom again(3);
    EXPECT_EQ(MakeDrillLine(words, "etahns", 't', again), line);
    EXPECT_EQ(MakeDrillLine(words, "", 't', again), "");
}

using Line = std::vector<Keystroke>;

bool Same(const Line& a, const Line& b)
{
    const auto fields = [](const Keystroke& k) {
        return std::tie(k.expected, k.typed, k.intervalMs, k.error, k.extraKeys);
    };
    return std::ranges::equal(a, b, {}, fields, fields);
}

std::vector<Line> Lines(std::string_view bytes, bool& whole)
{
    std::vector<Line> lines;
    whole = ForEachLoggedLine(bytes, [&](std::span<const Keystroke> line) {
        lines.emplace_back(line.begin(), line.end());
    });
    return lines;
}

const std::vector<Line> kRun = {
    {{'T', 'T', 0, false, 1}, {'h', 'g', 131, true}, {'h', 'h', 250, false}, {' ', ' ', 90}},
    {{'\xE9', '\xE9', 70000, false, 7}, {'x', 'x', 12.6, false}},
};

TEST(KeystrokeLogTest, RecordedLinesComeBackAsTypedDamagedBytesStopWithTheLinesBefore)
{
    KeystrokeLog log;
    for (const Line& line : kRun)
        log.AddLine(line);
    bool whole = false;
    std::vector<Line> lines = Lines(log.Bytes(), whole);
    EXPECT_TRUE(whole);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Same(lines[0], kRun[0]));
    Line rounded = kRun[1];
    rounded[1].intervalMs = 13; // whole milliseconds
    EXPECT_TRUE(Same(lines[1], rounded));
    const std::string& bytes = log.Bytes();
    // Cut inside the second line: the first still comes, the cut one does not.
    EXPECT_EQ(Lines(bytes.substr(0, bytes.size() - 1), whole).size(), 1u);
    EXPECT_FALSE(whole);
    EXPECT_TRUE(Lines(std::string(1, '\x09') + bytes.substr(1), whole).empty());
    EXPECT_FALSE(whole);
    EXPECT_TRUE(Lines("", whole).empty());
    EXPECT_TRUE(whole);

    // The recorder times each keystroke from its event stamp and counts extra keys.
    KeystrokeRecorder recorder;
    recorder.ExtraKey(); // shift
    recorder.Typed('T', 'T', false, 1000);
    recorder.Typed('o', 'p', true, 1180);
    recorder.Typed('o', 'o', false, 1400);
    const Line first = recorder.EndLine();
    recorder.ExtraKey(); // a dead key, then the letter
    recorder.Typed('\xE9', '\xE9', false, 5400);
    recorder.Typed('t', 't', false, 5000); // stamps out of order
    const Line second = recorder.EndLine();
    EXPECT_TRUE(Same(first, {{'T', 'T', 0, false, 1}, {'o', 'p', 180, true}, {'o', 'o', 220}}));
    EXPECT_TRUE(Same(second, {{'\xE9', '\xE9', 4000, false, 1}, {'t', 't', 0}}));
    const auto logged = Lines(recorder.PackedLog(), whole);
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_TRUE(Same(logged[0], first));
    EXPECT_TRUE(Same(logged[1], second));
}

// Speeds are kept per identity: a letter moved starts afresh, a symbol
// relabelled does not.
TEST(LayoutIdentityTest, FollowsTheLettersOnly)
{
    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    KeyboardLayout layout;
    layout.Load(profile);
    const std::string start = LayoutIdentity(layout);
    EXPECT_EQ(start.size(), 8u);

    const int semicolonKey = layout.KeyOfChar(';');
    layout.AssignCharacter(semicolonKey, '#', false, profile);
    EXPECT_EQ(LayoutIdentity(layout), start) << "a symbol moved";

    layout.AssignCharacter(layout.KeyOfChar('z'), 'y', false, profile);
    const std::string moved = LayoutIdentity(layout);
    EXPECT_NE(moved, start) << "a letter moved";
    layout.ResetToDefault(profile);
    EXPECT_EQ(LayoutIdentity(layout), start);
}

} // namespace
} // namespace tarvelo
