#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

class RandomSource;

// What the drills learn from a practice text: its letters, its words and
// which letter tends to follow which two, so made-up words sound like the
// text's own language. Letters are code-page bytes folded to lower case.
class TextLanguage
{
public:
    // Made-up words are this long at the least.
    static constexpr std::size_t kShortestWord = 3;
    static constexpr std::size_t kLongestMadeUpWord = 10;

    // `fileBytes`: the practice file as stored; its header line is left out.
    static TextLanguage Learn(std::string_view fileBytes);

    // The text's letters, most frequent first; ties go to the one seen first.
    const std::string& Letters() const { return m_letters; }
    // Its distinct words of kShortestWord letters or more, in first-seen order.
    const std::vector<std::string>& Words() const { return m_words; }

    // A made-up word of kShortestWord..`longest` letters, all of them in
    // `allowed`, containing `required`; nullopt when `allowed` holds no letter
    // of the text or `longest` is below kShortestWord.
    std::optional<std::string> MakeWord(std::string_view allowed, char required,
                                        std::size_t longest, RandomSource& random) const;

private:
    // Letter indexes are positions in m_letters; the boundary is one past them.
    std::size_t Boundary() const { return m_letters.size(); }
    std::size_t Index(char letter) const;
    // One word from the model; the letter `favoured` (none: the boundary),
    // until drawn, is many times as likely as the model has it and the word
    // cannot end before it.
    std::string Draw(const std::vector<bool>& allowed, std::size_t longest, std::size_t favoured,
                     RandomSource& random) const;

    std::string m_letters;
    std::vector<std::string> m_words;
    std::vector<std::uint32_t> m_letterCounts;
    // Counts of the letter (or word end) after one letter and after two;
    // a word start stands as the boundary before it.
    std::vector<std::uint32_t> m_afterOne;
    std::vector<std::uint32_t> m_afterTwo;
};

} // namespace tarvelo
