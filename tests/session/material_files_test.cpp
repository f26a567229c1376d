#include "session/material_files.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {
namespace {

constexpr const char* kAllFiles[] = {"Tarvelo Text1.txt", "Tarvelo Lessons.txt",
                                     "Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"};

struct MissingCase
{
    const char* name;
    bool practising;
    std::vector<std::string> removed;
    std::vector<std::string> namedAtStart; // empty: no message at the start
    const char* namedAtBegin;              // nullptr: the usual "nothing to type"
    friend void PrintTo(const MissingCase& c, std::ostream* os) { *os << c.name; }
};

class MissingMaterialTest : public ::testing::TestWithParam<MissingCase>
{};

bool Names(const std::string& text, const std::string& file)
{
    return text.find("\"" + file + "\"") != std::string::npos;
}

TEST_P(MissingMaterialTest, SaysWhichFileIsMissing)
{
    const MissingCase& c = GetParam();
    test::TempFolder folder;
    for (const char* name : kAllFiles) {
        if (std::find(c.removed.begin(), c.removed.end(), name) == c.removed.end())
            folder.CopyShipped(name);
    }
    const MaterialFiles files(folder.Path(), c.practising);

    const std::optional<std::string> start = files.MissingAtStart();
    ASSERT_EQ(start.has_value(), !c.namedAtStart.empty()) << start.value_or("");
    for (const std::string& name : c.namedAtStart)
        EXPECT_TRUE(Names(*start, name)) << *start;
    if (start) {
        EXPECT_NE(start->find(folder.Path()), std::string::npos) << *start;
    }

    const std::string begin = files.NothingToType("usual");
    if (c.namedAtBegin) {
        EXPECT_TRUE(Names(begin, c.namedAtBegin)) << begin;
        EXPECT_NE(begin.find("missing"), std::string::npos) << begin;
        EXPECT_EQ(begin.find("no sentences"), std::string::npos) << begin;
    } else {
        EXPECT_EQ(begin, "usual");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MissingMaterialTest,
    ::testing::Values(MissingCase{"all_present_lessons", false, {}, {}, nullptr},
                      MissingCase{"all_present_practice", true, {}, {}, nullptr},
                      MissingCase{"letters_file_missing_is_told_at_the_start",
                                  false,
                                  {"Tarvelo Letters.txt"},
                                  {"Tarvelo Letters.txt"},
                                  nullptr},
                      MissingCase{"lesson_help_file_missing_is_told_at_the_start",
                                  false,
                                  {"Tarvelo Lessonhelp.txt"},
                                  {"Tarvelo Lessonhelp.txt"},
                                  nullptr},
                      MissingCase{"both_in_one_message",
                                  false,
                                  {"Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"},
                                  {"Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"},
                                  nullptr},
                      MissingCase{
                          "practice_does_without_the_lesson_files",
                          true,
                          {"Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt", "Tarvelo Lessons.txt"},
                          {},
                          nullptr},
                      MissingCase{"missing_practice_text_is_named_at_begin",
                                  true,
                                  {"Tarvelo Text1.txt"},
                                  {},
                                  "Tarvelo Text1.txt"},
                      MissingCase{"missing_lessons_file_is_named_at_begin",
                                  false,
                                  {"Tarvelo Lessons.txt"},
                                  {},
                                  "Tarvelo Lessons.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvelo
