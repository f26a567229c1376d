#include "game/game_storage.h"

#include "game/game_keys.h"
#include "game/game_scoring.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "profile/value_text.h"

#include <cmath>
#include <limits>

namespace tarvelo {
namespace {

using settings::ScoreEntryKey;
using settings::ScoreField;

// A stored number of the entry, 0 when it is not a number or too wide.
template <typename Int> Int ReadEntryNumber(std::string_view text)
{
    const auto number = valuetext::ParseNumber(text);
    if (!number)
        return 0;
    const double rounded = valuetext::RoundHalfEven(*number);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return 0;
    return static_cast<Int>(rounded);
}

float ReadEntrySingle(std::string_view text)
{
    const auto number = valuetext::ParseNumber(text);
    if (!number || std::abs(*number) > std::numeric_limits<float>::max())
        return 0;
    return static_cast<float>(*number);
}

} // namespace

GameStorage::GameStorage(ProfileStore& profile, std::string userSection)
    : m_profile(profile), m_section(std::move(userSection))
{}

GameSettings GameStorage::Load() const
{
    GameSettings s;
    s.chosenLevel = m_profile.Read(m_section, settings::kGameLevel);
    s.soundOn = m_profile.Read(m_section, settings::kGameSound);
    s.playedGame = m_profile.Read(m_section, settings::kPlayedGame) != 0;
    s.gamesPlayed = m_profile.Read(m_section, settings::kGamesPlayed);
    s.letterCase = m_profile.Read(m_section, settings::kLetterCase);
    s.letterStream = m_profile.Read(m_section, settings::kLetterStream);
    return s;
}

void GameStorage::WriteGameLevel(std::int16_t level)
{
    m_profile.Write(m_section, settings::kGameLevel, level);
}

void GameStorage::WriteGameSound(bool on)
{
    m_profile.Write(m_section, settings::kGameSound, on);
}

void GameStorage::MarkPlayedGame()
{
    m_profile.Write(m_section, settings::kPlayedGame, 1);
}

void GameStorage::WriteLetterCase(int letterCase)
{
    m_profile.Write(m_section, settings::kLetterCase, letterCase);
}

void GameStorage::WriteLetterStream(const std::string& stream)
{
    m_profile.Write(m_section, settings::kLetterStream, stream);
}

GameAverages GameStorage::AddGameToAverages(std::int32_t intelligence, float accuracy)
{
    ProfileBatch batch(m_profile, ProfileBatch::ReadUnderLock);
    const GameAverages averages =
        scoring::WithGame(GameAverages::Load(m_profile, m_section), intelligence, accuracy);
    m_profile.Write(m_section, settings::kGamesPlayed, averages.GamesPlayed);
    m_profile.Write(m_section, settings::kIntelligence, averages.GameIntelligence);
    m_profile.Write(m_section, settings::kAccuracy, averages.GameAccuracy);
    (void)batch.Commit(); // a failure is reported by the store
    return averages;
}

int GameStorage::ReadScoreCount() const
{
    const std::string text = m_profile.Read(settings::kScores, settings::kNumScores);
    const auto number = valuetext::ParseNumber(text);
    if (!number || *number < 0)
        return 0;
    return *number > settings::kMaxScores ? settings::kMaxScores
                                          : static_cast<int>(valuetext::RoundHalfEven(*number));
}

std::vector<ScoreTexts> GameStorage::ReadHighScoreTexts() const
{
    const auto text = [&](int k, ScoreField field) {
        return m_profile.Read(settings::kScores, ScoreEntryKey(k, field).AsKey());
    };
    std::vector<ScoreTexts> entries;
    const int n = ReadScoreCount();
    for (int k = 1; k <= n; ++k) {
        entries.push_back({text(k, ScoreField::Score), text(k, ScoreField::User),
                           text(k, ScoreField::Date), text(k, ScoreField::StartLevel),
                           text(k, ScoreField::Level), text(k, ScoreField::Intelligence),
                           text(k, ScoreField::Accuracy), text(k, ScoreField::Letters)});
    }
    return entries;
}

std::vector<HighScoreEntry> GameStorage::ReadHighScores() const
{
    std::vector<HighScoreEntry> entries;
    for (const ScoreTexts& t : ReadHighScoreTexts()) {
        entries.push_back({ReadEntryNumber<std::int32_t>(t.score), t.user, t.date,
                           ReadEntryNumber<std::int16_t>(t.startLevel),
                           ReadEntryNumber<std::int16_t>(t.level),
                           ReadEntryNumber<std::int32_t>(t.intelligence),
                           ReadEntrySingle(t.accuracy), ReadEntryNumber<std::int16_t>(t.letters)});
    }
    return entries;
}

ScoreTexts GameStorage::InsertHighScore(const GameResult& result, const std::string& userName,
                                        CalendarDate today)
{
    // The table is read and rewritten whole: under the lock, so that a score
    // another copy inserted meanwhile is kept.
    ProfileBatch batch(m_profile, ProfileBatch::ReadUnderLock);
    const auto write = [&](int k, ScoreField field, std::string_view value) {
        m_profile.Write(settings::kScores, ScoreEntryKey(k, field).AsKey(), value);
    };

    // A table from before the levels, intelligence, accuracy and letters
    // were kept gets them as zeros.
    const std::string firstLevel = ScoreEntryKey(1, ScoreField::Level).name;
    if (m_profile.Read(settings::kScores, settings::TextKey{firstLevel, ""}).empty()) {
        for (int k = 1; k <= settings::kMaxScores; ++k) {
            for (const ScoreField field :
                 {ScoreField::StartLevel, ScoreField::Level, ScoreField::Intelligence,
                  ScoreField::Accuracy, ScoreField::Letters})
                write(k, field, "0");
        }
    }

    std::vector<HighScoreEntry> table = ReadHighScores();
    HighScoreEntry entry = MakeEntry(result, userName, today);
    const ScoreTexts last = ToTexts(entry);
    InsertSorted(table, std::move(entry), settings::kMaxScores);

    m_profile.Write(settings::kScores, settings::kNumScores, std::to_string(table.size()));
    for (int k = 1; k <= static_cast<int>(table.size()); ++k) {
        const ScoreTexts t = ToTexts(table[k - 1]);
        write(k, ScoreField::Score, t.score);
        write(k, ScoreField::User, t.user);
        write(k, ScoreField::Date, t.date);
        write(k, ScoreField::StartLevel, t.startLevel);
        write(k, ScoreField::Level, t.level);
        write(k, ScoreField::Intelligence, t.intelligence);
        write(k, ScoreField::Accuracy, t.accuracy);
        write(k, ScoreField::Letters, t.letters);
    }
    (void)batch.Commit(); // a failure is reported by the store
    return last;
}

} // namespace tarvelo
