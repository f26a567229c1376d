#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "stats/speed_report.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(SpeedReportTest, KeysAreColouredByTheirTimeAgainstTheTarget)
{
    // clang-format off
    const struct { double ms; std::int32_t colour; } rows[] = {
        {300, 0x40B030}, // at target or faster: green
        {450, 0x20D0F0}, // half as slow again: yellow
        {600, 0x2030E0}, // twice as slow and more: red
    };
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(SpeedColour(row.ms, 300), row.colour) << row.ms;
}

TEST(SpeedReportTest, AKeyShowsItsSlowestLetter)
{
    test::TempFolder folder;
    ProfileStore profile{folder.Path()};
    KeyboardLayout layout;
    layout.Load(profile);
    SpeedReport report;
    report.averageMs['a'] = 250;
    report.averageMs['s'] = 0; // no samples
    EXPECT_EQ(KeyAverageMs(report, layout, layout.KeyOfChar('a')), 250);
    EXPECT_EQ(KeyAverageMs(report, layout, layout.KeyOfChar('s')), std::nullopt);
    EXPECT_EQ(KeyAverageMs(report, layout, layout.KeyOfChar('1')), std::nullopt);
}

} // namespace
} // namespace tarvelo
