#pragma once

#include "profile/data_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

class ProfileStore;

// The practice text file cut into sentences, and which sentence a user types
// next. Text is code-page bytes.
class PracticeText
{
public:
    static constexpr std::string_view kFileName = "Tarvelo Text1.txt";
    static constexpr std::string_view kBackupFileName = "Tarvelo Text1 Backup.txt";
    static constexpr std::size_t kMaxLines = 350;
    static constexpr std::size_t kMaxSentences = 1500;
    // A sentence holds at most this many characters including its final space:
    // the typing line shows 75, and the hint promises a space to type at the end.
    static constexpr std::size_t kMaxSentenceLength = 75;
    // A larger text is refused unread: a practice text is a few pages.
    static constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;

    // Reads and splits the file; a missing, unreadable or too large file
    // leaves no sentences. Returns whether the file was read.
    bool LoadPracticeText(const std::string& path);
    // How the last LoadPracticeText went.
    ReadStatus LastRead() const { return m_lastRead; }
    // What the user is told of a practice text that is there but cannot be
    // read (`status` Unreadable or TooLarge), without a closing full stop.
    static std::string CannotRead(ReadStatus status);
    // The same from file contents already in memory.
    void LoadFromBytes(std::string_view fileBytes);

    // The sentence to type next for the user of `userSection`, advancing the
    // stored "sentencenumber"; nullopt when the text holds no sentence.
    std::optional<std::string> NextSentence(ProfileStore& profile, std::string_view userSection);

    // Typing stopped: the next NextSentence shows the stored sentence again.
    void ResetCurrentSentence() { m_currentSentence = 0; }

    const std::vector<std::string>& PracticeSentences() const { return m_sentences; }
    // One more than the number of sentences.
    int SentenceCount() const { return static_cast<int>(m_sentences.size()) + 1; }
    std::int16_t CurrentSentence() const { return m_currentSentence; }

private:
    std::vector<std::string> m_sentences;
    std::int16_t m_currentSentence = 0;
    ReadStatus m_lastRead = ReadStatus::Missing;
};

// The practice text file's bytes, refused (TooLarge) above
// PracticeText::kMaxFileBytes.
FileContents ReadPracticeFile(const std::string& path);

// The non-blank lines after the header line, at most `PracticeText::kMaxLines`.
// Lines end with CR LF, a lone CR or a lone LF.
std::vector<std::string> ReadPracticeLines(std::string_view fileBytes);

// Cuts paragraphs into sentences of at most 75 characters, each ending with
// one space; stops at `PracticeText::kMaxSentences`.
std::vector<std::string> SplitIntoSentences(const std::vector<std::string>& lines);

} // namespace tarvelo
