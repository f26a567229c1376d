#include "material/practice_text.h"

#include "material/text_file_lines.h"
#include "profile/data_file.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"

#include <algorithm>
#include <limits>

namespace tarvelo {
namespace {

constexpr char kTab = '\t';
// A piece of this length is too long for the typing line and is cut.
constexpr std::size_t kCutLength = PracticeText::kMaxSentenceLength + 1;

char TabAsSpace(char c)
{
    return c == kTab ? ' ' : c;
}

bool IsSentenceMark(char c)
{
    return c == '.' || c == '?' || c == '!';
}

// Appends a space if missing and collapses runs of spaces; a line of spaces
// becomes "blank line ".
std::string PrepareLine(std::string s)
{
    if (!s.empty() && s.back() != ' ')
        s.push_back(' ');
    if (s.size() > 1) {
        std::string collapsed;
        collapsed.reserve(s.size());
        for (char c : s) {
            if (c == ' ' && !collapsed.empty() && collapsed.back() == ' ')
                continue;
            collapsed.push_back(c);
        }
        s.swap(collapsed);
    }
    if (s == " ")
        s = "blank line ";
    return s;
}

// The text left of a sentence mark at `p` names a title or an initial.
// `at(i)` gives the character at 1-based position i, or 0 outside the text.
template <typename At> bool IsAbbreviation(At at, std::size_t p)
{
    const char a = at(p - 2);
    const char b = at(p - 1);
    if (b == 'r' && (a == 'D' || a == 'M' || a == 'S' || a == 'J'))
        return true; // Dr. Mr. Sr. Jr.
    if (a == 'M' && b == 's')
        return true; // Ms.
    if (at(p - 3) == 'M' && a == 'r' && b == 's')
        return true;                                     // Mrs.
    return a == ' ' && b >= 'A' && b <= 'Z' && b != 'I'; // an initial
}

// Removes the last character and then everything back to the last space, so
// a word crossing the limit moves to the next sentence whole. A piece without
// such a space is cut so that it and the appended space fill the line, so no
// character is lost.
void CutAtWordBoundary(std::string& piece)
{
    const std::size_t firstWord = piece.find_first_not_of(' ');
    const std::size_t lastSpace = piece.find_last_of(' ', piece.size() - 2);
    if (lastSpace != std::string::npos && firstWord != std::string::npos && lastSpace > firstWord)
        piece.resize(lastSpace + 1);
    else
        piece.resize(PracticeText::kMaxSentenceLength - 1);
}

// The next piece of `rest`: up to and including a sentence end, or up to the
// last word that fits the typing line.
std::string NextPiece(std::string_view rest)
{
    const auto at = [rest](std::size_t i) -> char {
        return (i >= 1 && i <= rest.size()) ? rest[i - 1] : '\0';
    };
    std::string piece;
    std::size_t p = 1;
    for (;;) {
        const char c = at(p);
        piece.push_back(TabAsSpace(c));
        bool ends = false;
        if (IsSentenceMark(c) && p > 3) {
            ends =
                at(p + 1) == ' ' && at(p - 2) != '.' && at(p + 2) != '.' && !IsAbbreviation(at, p);
            if (p + 1 <= rest.size())
                piece.push_back(TabAsSpace(at(p + 1)));
            ++p;
        }
        ++p;
        if (piece.size() >= kCutLength) {
            CutAtWordBoundary(piece);
            return piece;
        }
        if (ends || p > rest.size())
            return piece;
    }
}

std::string TrimSpaces(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// Keeps `number` a valid 16-bit running number that selects the same
// sentence of a list of `count`.
std::int64_t WrapRunningNumber(std::int64_t number, std::int64_t count)
{
    if (number > std::numeric_limits<std::int16_t>::max())
        number = (number - 1) % count + 1;
    return number;
}

} // namespace

std::vector<std::string> ReadPracticeLines(std::string_view fileBytes)
{
    std::vector<std::string> lines;
    for (std::string& line : LinesAfterHeader(fileBytes)) {
        if (lines.size() == PracticeText::kMaxLines)
            break;
        if (!line.empty())
            lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> SplitIntoSentences(const std::vector<std::string>& lines)
{
    std::vector<std::string> sentences;
    for (const std::string& line : lines) {
        const std::string s = PrepareLine(line);
        std::string_view rest = s;
        while (!rest.empty() && sentences.size() < PracticeText::kMaxSentences) {
            const std::string piece = NextPiece(rest);
            rest.remove_prefix(piece.size());
            if (rest.find_first_not_of(' ') == std::string_view::npos)
                rest = {}; // only the line's closing space is left
            std::string sentence = TrimSpaces(piece);
            if (sentence.empty())
                continue;
            sentence.push_back(' ');
            sentences.push_back(std::move(sentence));
        }
    }
    return sentences;
}

FileContents ReadPracticeFile(const std::string& path)
{
    return ReadDataFile(path, PracticeText::kMaxFileBytes);
}

bool PracticeText::LoadPracticeText(const std::string& path)
{
    const FileContents file = ReadPracticeFile(path);
    LoadFromBytes(file.bytes);
    m_lastRead = file.status;
    return file.status == ReadStatus::Ok;
}

std::string PracticeText::CannotRead(ReadStatus status)
{
    std::string text = "The practice file \"" + std::string(kFileName) + "\" could not be read";
    if (status == ReadStatus::TooLarge)
        text += ": it is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) + " MB";
    return text;
}

void PracticeText::LoadFromBytes(std::string_view fileBytes)
{
    m_currentSentence = 0;
    m_sentences = SplitIntoSentences(ReadPracticeLines(fileBytes));
}

std::optional<std::string> PracticeText::NextSentence(ProfileStore& profile,
                                                      std::string_view userSection)
{
    if (m_sentences.empty())
        return std::nullopt;
    const auto count = static_cast<std::int64_t>(m_sentences.size());
    const auto storedNumber = [&] {
        const std::int32_t n = profile.Read(userSection, settings::kSentenceNumber);
        return std::max<std::int64_t>(n, 1);
    };

    std::int64_t current = 0;
    if (m_currentSentence != 0) {
        current = m_currentSentence + 1;
        const std::int64_t sentenceNumber = storedNumber();
        const std::int64_t next = sentenceNumber < std::numeric_limits<std::int32_t>::max()
                                      ? sentenceNumber + 1
                                      : (sentenceNumber - 1) % count + 2;
        profile.Write(userSection, settings::kSentenceNumber, next);
    } else {
        current = storedNumber();
    }
    m_currentSentence = static_cast<std::int16_t>(WrapRunningNumber(current, count));
    return m_sentences[static_cast<std::size_t>((m_currentSentence - 1) % count)];
}

} // namespace tarvelo
