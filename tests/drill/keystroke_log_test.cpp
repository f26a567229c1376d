#include "drill/keystroke_log.h"
#include "drill/keystroke_recorder.h"
#include "drill/layout_identity.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace tarvelo {
namespace {

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

TEST(KeystrokeLogTest, LinesComeBackAsTypedDamagedBytesStopWithTheLinesBefore)
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
}

TEST(KeystrokeRecorderTest, TimesFromEventStampsAndCountsExtraKeys)
{
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
    bool whole = false;
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
