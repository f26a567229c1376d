#include "drill/text_language.h"

#include "drill/letters.h"
#include "material/practice_text.h"
#include "platform/random_source.h"

#include <algorithm>
#include <array>
#include <set>

namespace tarvelo {
namespace {

// A made-up word is drawn afresh until one holds the required letter: first
// as the model has it, then with the letter favoured wherever the model lets
// it follow, which a rare letter needs.
constexpr int kPlainDraws = 20;
constexpr int kFavouringDraws = 50;
constexpr std::uint64_t kFavour = 64;

// The folded words of the text's lines, every run of letters one word.
std::vector<std::string> SplitWords(const std::vector<std::string>& lines)
{
    std::vector<std::string> words;
    for (const std::string& line : lines) {
        std::string word;
        for (char c : line + ' ') {
            if (IsLetter(c)) {
                word.push_back(FoldLetter(c));
            } else if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        }
    }
    return words;
}

// Picks an index with chance proportional to its weight; the weights'
// total must be positive.
std::size_t PickWeighted(const std::vector<std::uint64_t>& weights, RandomSource& random)
{
    std::uint64_t total = 0;
    for (auto w : weights)
        total += w;
    auto target = static_cast<std::uint64_t>(random.Next() * static_cast<double>(total));
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (target < weights[i])
            return i;
        target -= weights[i];
    }
    for (std::size_t i = weights.size(); i-- > 0;)
        if (weights[i] > 0)
            return i;
    return 0;
}

} // namespace

TextLanguage TextLanguage::Learn(std::string_view fileBytes)
{
    const std::vector<std::string> words = SplitWords(ReadPracticeLines(fileBytes));
    TextLanguage language;

    std::array<std::uint32_t, 256> counts{};
    std::string seen;
    for (const std::string& word : words)
        for (char c : word)
            if (counts[static_cast<unsigned char>(c)]++ == 0)
                seen.push_back(c);
    language.m_letters = seen;
    std::stable_sort(language.m_letters.begin(), language.m_letters.end(), [&](char a, char b) {
        return counts[static_cast<unsigned char>(a)] > counts[static_cast<unsigned char>(b)];
    });
    for (char c : language.m_letters)
        language.m_letterCounts.push_back(counts[static_cast<unsigned char>(c)]);

    std::set<std::string> distinct;
    for (const std::string& word : words)
        if (word.size() >= kShortestWord && distinct.insert(word).second)
            language.m_words.push_back(word);

    const std::size_t states = language.Boundary() + 1;
    language.m_afterOne.assign(states * states, 0);
    language.m_afterTwo.assign(states * states * states, 0);
    for (const std::string& word : words) {
        std::size_t before = language.Boundary();
        std::size_t last = language.Boundary();
        for (std::size_t i = 0; i <= word.size(); ++i) {
            const std::size_t next =
                i < word.size() ? language.Index(word[i]) : language.Boundary();
            ++language.m_afterOne[last * states + next];
            ++language.m_afterTwo[(before * states + last) * states + next];
            before = last;
            last = next;
        }
    }
    return language;
}

std::size_t TextLanguage::Index(char letter) const
{
    const std::size_t at = m_letters.find(letter);
    return at == std::string::npos ? Boundary() : at;
}

std::string TextLanguage::Draw(const std::vector<bool>& allowed, std::size_t longest,
                               std::size_t favoured, RandomSource& random) const
{
    const std::size_t states = Boundary() + 1;
    std::string word;
    std::size_t before = Boundary();
    std::size_t last = Boundary();
    std::vector<std::uint64_t> weights(states);
    while (word.size() < longest) {
        const bool mayEnd = word.size() >= kShortestWord;
        // The two letters before, else the one before, else the text's
        // letter frequencies, whichever first allows any next letter.
        const std::uint32_t* tables[] = {&m_afterTwo[(before * states + last) * states],
                                         &m_afterOne[last * states], nullptr};
        bool found = false;
        for (const std::uint32_t* table : tables) {
            std::uint64_t letters = 0;
            for (std::size_t i = 0; i < Boundary(); ++i) {
                weights[i] = !allowed[i] ? 0 : table ? table[i] : m_letterCounts[i];
                letters += weights[i];
            }
            weights[Boundary()] = !mayEnd ? 0 : table ? table[Boundary()] : letters / 5;
            if (letters + weights[Boundary()] > 0) {
                found = true;
                break;
            }
        }
        if (!found)
            break;
        if (favoured != Boundary()) {
            weights[favoured] *= kFavour;
            weights[Boundary()] = 0; // unless no letter may follow: a full draw
            if (std::all_of(weights.begin(), weights.end(), [](auto w) { return w == 0; }))
                break;
        }
        const std::size_t next = PickWeighted(weights, random);
        if (next == Boundary())
            break;
        word.push_back(m_letters[next]);
        if (next == favoured)
            favoured = Boundary();
        before = last;
        last = next;
    }
    return word;
}

std::optional<std::string> TextLanguage::MakeWord(std::string_view allowed, char required,
                                                  std::size_t longest, RandomSource& random) const
{
    std::vector<bool> mask(Boundary(), false);
    bool any = false;
    for (char c : allowed) {
        const std::size_t i = Index(c);
        if (i != Boundary()) {
            mask[i] = true;
            any = true;
        }
    }
    if (!any || longest < kShortestWord)
        return std::nullopt;
    const std::size_t requiredIndex = Index(required);
    std::string word;
    for (int draw = 0; draw < kPlainDraws + kFavouringDraws; ++draw) {
        word = Draw(mask, longest, draw < kPlainDraws ? Boundary() : requiredIndex, random);
        if (word.size() >= kShortestWord && word.find(required) != std::string::npos)
            return word;
    }
    // A letter the text rarely puts among the allowed ones: place it in the
    // last draw.
    word[static_cast<std::size_t>(random.Next() * static_cast<double>(word.size()))] = required;
    return word;
}

} // namespace tarvelo
