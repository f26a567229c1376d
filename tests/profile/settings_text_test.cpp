// The text layers of the settings file: the INI document, the values in it
// and the code page.
#include "profile/code_page.h"
#include "profile/ini_document.h"
#include "profile/value_text.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(IniDocumentTest, ValuesAreFoundTrimmedInTheirOwnSectionWhateverTheLineEnds)
{
    for (const char* ends : {"[s]\r\nk=v\r\n", "[s]\nk=v\n", "[s]\r\nk=v", "[s]\nk=v"}) {
        EXPECT_EQ(IniDocument::FindValue(ends, "s", "k"), "v") << ends;
        EXPECT_EQ(IniDocument::Parse(ends).Value("s", "k"), "v") << ends;
    }
    const char* text = "[s]\n  spaced \t=\t  v w  \n"
                       "dq=\"x\"\nsq='y'\nnested=\"'z'\"\nmismatched=\"a'\nlone=\"\n";
    std::string found;
    for (const char* key : {"spaced", "dq", "sq", "nested", "mismatched", "lone"})
        found += IniDocument::FindValue(text, "s", key).value_or("<none>") + "|";
    EXPECT_EQ(found, "v w|x|y|'z'|\"a'|\"|");
    const char* sections = "k=top\n[a]\n;k=comment\n[b]\nk=b\n";
    EXPECT_EQ(IniDocument::FindValue(sections, "a", "k"), std::nullopt);
    EXPECT_EQ(IniDocument::FindValue(sections, "b", "k"), "b");
    EXPECT_EQ(IniDocument::FindValue(sections, "c", "k"), std::nullopt);
}

TEST(IniDocumentTest, NewKeysGoAfterTheirSectionsLastKey)
{
    IniDocument doc = IniDocument::Parse("[a]\n\n[b]\nx=1\n; note\n\n[c]\n");
    doc.SetValue("a", "first", "1");
    doc.SetValue("b", "y", "2");
    doc.SetValue("d", "z", "3");
    EXPECT_EQ(doc.Serialise(),
              "[a]\r\nfirst=1\r\n\r\n[b]\r\nx=1\r\ny=2\r\n; note\r\n\r\n[c]\r\n[d]\r\nz=3\r\n");
}

using namespace valuetext;

TEST(ValueTextTest, NumbersBooleansAndSingles)
{
    EXPECT_EQ(ParseNumber(" 12.5\t"), 12.5);
    EXPECT_EQ(ParseNumber("12,5"), 12.5);
    EXPECT_EQ(ParseNumber("-1E3"), -1000);
    for (const char* bad : {"", " ", "1.2.3", "12a", "nan", "inf", "1,2,3", "--1"})
        EXPECT_EQ(ParseNumber(bad), std::nullopt) << bad;
    EXPECT_EQ(ParseInteger("3.5"), 4);
    EXPECT_EQ(ParseInteger("-2.5"), -2);
    EXPECT_EQ(ParseInteger("-40000"), -32768);
    EXPECT_EQ(ParseLong("1e999"), 2147483647);
    EXPECT_EQ(ParseBoolean("True"), true);
    EXPECT_EQ(ParseBoolean("false"), false);
    EXPECT_EQ(ParseBoolean("-1"), true);
    EXPECT_EQ(ParseBoolean("0"), false);
    EXPECT_EQ(ParseBoolean("yes"), std::nullopt);
    EXPECT_EQ(FormatSingle(2.5f), "2.5");
    EXPECT_EQ(FormatSingle(100.0f), "100");
    EXPECT_EQ(ParseSingle(FormatSingle(1.0f / 3.0f)), 1.0f / 3.0f);
    EXPECT_EQ(ParseSingle("1e40"), 3.4028234663852886e38f);
}

using namespace codepage;

TEST(CodePageTest, EveryCodeRoundTripsAndTextWithoutOneIsToldAndReplaced)
{
    for (int code = 1; code <= 255; ++code)
        EXPECT_EQ(FromUnicode(ToUnicode(static_cast<unsigned char>(code))), code) << code;
    EXPECT_EQ(ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(ToUnicode(0xE9), U'\u00E9');
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(ToUnicode(undefined), char32_t{undefined});
    EXPECT_TRUE(Fits(U"Déjà vu – “quoted” €5"));
    EXPECT_FALSE(Fits(U"Łódź"));
    EXPECT_FALSE(Fits(U"\u0080")); // the code page puts the euro sign at 0x80
    EXPECT_EQ(FromUnicode(U"a\u0141b"), "a?b");
    EXPECT_EQ(FromUtf8("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b\xE2\x82"),
              "a?b??");
    EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), "?");
}

} // namespace
} // namespace tarvelo
