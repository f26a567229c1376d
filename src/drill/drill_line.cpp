#include "drill/drill_line.h"

#include "drill/text_language.h"
#include "platform/random_source.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tarvelo {
namespace {

// Attempts at a made-up word that differs from the one before it.
constexpr int kWordAttempts = 20;

std::vector<const std::string*> FittingWords(const TextLanguage& language, std::string_view open,
                                             char focus)
{
    std::array<bool, 256> isOpen{};
    for (char c : open)
        isOpen[static_cast<unsigned char>(c)] = true;
    std::vector<const std::string*> fitting;
    for (const std::string& word : language.Words()) {
        if (word.size() + 1 <= kLongestDrillLine && word.find(focus) != std::string::npos &&
            std::all_of(word.begin(), word.end(),
                        [&](char c) { return isOpen[static_cast<unsigned char>(c)]; }))
            fitting.push_back(&word);
    }
    return fitting;
}

} // namespace

std::string MakeDrillLine(const TextLanguage& language, std::string_view open, char focus,
                          RandomSource& random)
{
    std::vector<const std::string*> realWords = FittingWords(language, open, focus);
    std::string line;
    std::string previous;
    while (line.size() + TextLanguage::kShortestWord + 1 <= kLongestDrillLine) {
        const std::size_t room = kLongestDrillLine - line.size() - 1;
        std::string word;
        while (word.empty() && !realWords.empty()) {
            const auto at =
                static_cast<std::size_t>(random.Next() * static_cast<double>(realWords.size()));
            const std::string& drawn = *realWords[at];
            if (drawn.size() <= room)
                word = drawn;
            // Each real word once a line; one too long for the rest is done.
            realWords[at] = realWords.back();
            realWords.pop_back();
        }
        for (int attempt = 0; word.empty() && attempt < kWordAttempts; ++attempt) {
            auto made = language.MakeWord(open, focus,
                                          std::min(room, TextLanguage::kLongestMadeUpWord), random);
            if (!made)
                return line;
            if (*made != previous)
                word = std::move(*made);
        }
        if (word.empty())
            break;
        line += word;
        line += ' ';
        previous = std::move(word);
    }
    return line;
}

} // namespace tarvelo
