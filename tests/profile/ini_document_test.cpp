#include "profile/ini_document.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(IniDocumentTest, ReadsEveryLineEndAndAMissingFinalOne)
{
    for (const char* text : {"[s]\r\nk=v\r\n", "[s]\nk=v\n", "[s]\r\nk=v", "[s]\nk=v"}) {
        EXPECT_EQ(IniDocument::FindValue(text, "s", "k"), "v") << text;
        EXPECT_EQ(IniDocument::Parse(text).Value("s", "k"), "v") << text;
    }
}

TEST(IniDocumentTest, ValueIsTrimmedAndOnePairOfQuotesStripped)
{
    const char* text = "[s]\n  spaced \t=\t  v w  \n"
                       "dq=\"x\"\nsq='y'\nnested=\"'z'\"\nmismatched=\"a'\nlone=\"\n";
    EXPECT_EQ(IniDocument::FindValue(text, "s", "spaced"), "v w");
    EXPECT_EQ(IniDocument::FindValue(text, "s", "dq"), "x");
    EXPECT_EQ(IniDocument::FindValue(text, "s", "sq"), "y");
    EXPECT_EQ(IniDocument::FindValue(text, "s", "nested"), "'z'");
    EXPECT_EQ(IniDocument::FindValue(text, "s", "mismatched"), "\"a'");
    EXPECT_EQ(IniDocument::FindValue(text, "s", "lone"), "\"");
}

TEST(IniDocumentTest, KeysOutsideTheirSectionOrInCommentsAreNotFound)
{
    const char* text = "k=top\n[a]\n;k=comment\n[b]\nk=b\n";
    EXPECT_EQ(IniDocument::FindValue(text, "a", "k"), std::nullopt);
    EXPECT_EQ(IniDocument::FindValue(text, "b", "k"), "b");
    EXPECT_EQ(IniDocument::FindValue(text, "c", "k"), std::nullopt);
}

TEST(IniDocumentTest, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    IniDocument doc = IniDocument::Parse("[a]\n\n[b]\nx=1\n; note\n\n[c]\n");
    doc.SetValue("a", "first", "1");
    doc.SetValue("b", "y", "2");
    doc.SetValue("d", "z", "3");
    EXPECT_EQ(doc.Serialise(),
              "[a]\r\nfirst=1\r\n\r\n[b]\r\nx=1\r\ny=2\r\n; note\r\n\r\n[c]\r\n[d]\r\nz=3\r\n");
}

TEST(IniDocumentTest, NamesThatWouldNotReadBackAreRefused)
{
    struct Case
    {
        const char* name;
        std::string section;
        std::string key;
        std::string value;
    };
    const Case cases[] = {
        {"cr_in_key", "s", "a\rb", "1"},        {"lf_in_key", "s", "a\nb", "1"},
        {"bracket_in_key", "s", "[x", "1"},     {"equals_in_key", "s", "a=b", "1"},
        {"comment_key", "s", ";k", "1"},        {"blank_around_key", "s", " k", "1"},
        {"lf_in_section", "a\nb", "k", "1"},    {"bracket_in_section", "a]b", "k", "1"},
        {"equals_in_section", "a=b", "k", "1"}, {"line_end_in_value", "s", "k", "1\r\n[t]"},
    };
    for (const Case& c : cases) {
        IniDocument doc = IniDocument::Parse("[s]\nk=0\n");
        EXPECT_FALSE(doc.SetValue(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(doc.Serialise(), "[s]\r\nk=0\r\n") << c.name;
    }
}

} // namespace
} // namespace tarvelo
