#include "profile/value_text.h"

#include <gtest/gtest.h>

namespace tarvelo::valuetext {
namespace {

TEST(ValueTextTest, NumbersAcceptEitherDecimalSeparatorAndBlanks)
{
    EXPECT_EQ(ParseNumber(" 12.5\t"), 12.5);
    EXPECT_EQ(ParseNumber("12,5"), 12.5);
    EXPECT_EQ(ParseNumber("+7"), 7);
    EXPECT_EQ(ParseNumber("-1E3"), -1000);
    for (const char* bad : {"", " ", "1.2.3", "12a", "nan", "inf", "1,2,3", "--1"})
        EXPECT_EQ(ParseNumber(bad), std::nullopt) << bad;
}

TEST(ValueTextTest, IntegersRoundHalfToEvenAndClamp)
{
    EXPECT_EQ(ParseInteger("3.5"), 4);
    EXPECT_EQ(ParseInteger("-2.5"), -2);
    EXPECT_EQ(ParseInteger("-40000"), -32768);
    EXPECT_EQ(ParseLong("1e300"), 2147483647);
    EXPECT_EQ(ParseLong("1e999"), 2147483647);
}

TEST(ValueTextTest, BooleansReadWordsOrNumbers)
{
    EXPECT_EQ(ParseBoolean("True"), true);
    EXPECT_EQ(ParseBoolean("false"), false);
    EXPECT_EQ(ParseBoolean("-1"), true);
    EXPECT_EQ(ParseBoolean("0"), false);
    EXPECT_EQ(ParseBoolean("yes"), std::nullopt);
}

TEST(ValueTextTest, SinglesAreWrittenWithAPointWhateverTheLocale)
{
    EXPECT_EQ(FormatSingle(2.5f), "2.5");
    EXPECT_EQ(FormatSingle(100.0f), "100");
    EXPECT_EQ(ParseSingle(FormatSingle(1.0f / 3.0f)), 1.0f / 3.0f);
    EXPECT_EQ(ParseSingle("1e40"), 3.4028234663852886e38f);
}

} // namespace
} // namespace tarvelo::valuetext
