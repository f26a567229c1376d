#include "profile/ini_document.h"

#include <array>
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
    std::string found;
    for (const char* key : {"spaced", "dq", "sq", "nested", "mismatched", "lone"})
        found += IniDocument::FindValue(text, "s", key).value_or("<none>") + "|";
    EXPECT_EQ(found, "v w|x|y|'z'|\"a'|\"|");
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
    // Section, key, value.
    const std::array<std::string, 3> rows[] = {
        {"s", "a\rb", "1"}, {"s", "[x", "1"},  {"s", "a=b", "1"},
        {"s", ";k", "1"},   {"s", " k", "1"},  {"a\nb", "k", "1"},
        {"a]b", "k", "1"},  {"a=b", "k", "1"}, {"s", "k", "1\r\n[t]"},
    };
    for (const auto& [section, key, value] : rows) {
        IniDocument doc = IniDocument::Parse("[s]\nk=0\n");
        EXPECT_FALSE(doc.SetValue(section, key, value)) << section << "/" << key << "/" << value;
        EXPECT_EQ(doc.Serialise(), "[s]\r\nk=0\r\n");
    }
}

} // namespace
TEST(IniDocumentTest, KeysOutsideTheirSectionOrInCommentsAreNotFound)
{
    const char* text = "k=top\n[a]\n;k=comment\n[b]\nk=b\n";
    EXPECT_EQ(IniDocument::FindValue(text, "a", "k"), std::nullopt);
    EXPECT_EQ(IniDocument::FindValue(text, "b", "k"), "b");
    EXPECT_EQ(IniDocument::FindValue(text, "c", "k"), std::nullopt);
}

} // namespace tarvelo
