// The practice-text splitter: no character lost or added (spaces and Tabs
// aside), every sentence ends with one space, holds at most 75 characters
// before it, and no Tab.
#include "material/practice_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string WithoutBlanks(std::string_view text)
{
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t')
            kept.push_back(c);
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using tarvelo::PracticeText;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = tarvelo::ReadPracticeLines(bytes);
    Check(lines.size() <= PracticeText::kMaxLines);
    const auto sentences = tarvelo::SplitIntoSentences(lines);
    Check(sentences.size() <= PracticeText::kMaxSentences);

    std::string typed;
    for (const std::string& sentence : sentences) {
        Check(sentence.size() >= 2 && sentence.size() <= PracticeText::kMaxSentenceLength);
        Check(sentence.back() == ' ' && sentence[sentence.size() - 2] != ' ');
        Check(sentence.front() != ' ');
        Check(sentence.find('\t') == std::string::npos);
        typed += WithoutBlanks(sentence);
    }
    if (sentences.size() == PracticeText::kMaxSentences)
        return 0; // the table is full: the rest of the text is dropped by design
    std::string given;
    for (const std::string& line : lines) {
        // A line of spaces only becomes the sentence "blank line ".
        given +=
            line.find_first_not_of(' ') == std::string::npos ? "blankline" : WithoutBlanks(line);
    }
    Check(typed == given);
    return 0;
}
