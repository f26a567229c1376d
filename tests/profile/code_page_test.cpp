#include "profile/code_page.h"

#include <gtest/gtest.h>

namespace tarvelo::codepage {
namespace {

TEST(CodePageTest, EveryCodeRoundTrips)
{
    for (int code = 1; code <= 255; ++code) {
        const char32_t unicode = ToUnicode(static_cast<unsigned char>(code));
        EXPECT_EQ(FromUnicode(unicode), code) << code;
    }
}

TEST(CodePageTest, HighRangeMapsToTypographicCharacters)
{
    EXPECT_EQ(ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(ToUnicode(0x92), U'\u2019');
    EXPECT_EQ(ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(ToUnicode(0xE9), U'\u00E9');
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(ToUnicode(undefined), char32_t{undefined});
}

TEST(CodePageTest, FitsTellsTextThatHasNoCodePageByte)
{
    EXPECT_TRUE(Fits(U"Déjà vu – “quoted” €5"));
    EXPECT_FALSE(Fits(U"Łódź"));
    EXPECT_FALSE(Fits(U"\u0080")); // the code page puts the euro sign at 0x80
    EXPECT_EQ(FromUnicode(U"a\u0141b"), "a?b");
}

TEST(CodePageTest, Utf8IsDecodedAndMalformedBytesReplaced)
{
    EXPECT_EQ(FromUtf8("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b\xE2\x82"),
              "a?b??");
    EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), "?");
}

} // namespace
} // namespace tarvelo::codepage
