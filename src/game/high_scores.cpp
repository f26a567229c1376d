#include "game/high_scores.h"

#include "profile/value_text.h"

#include <cmath>
#include <string_view>

namespace tarvelo {
namespace {

constexpr std::size_t kShownNameLength = 21;

constexpr std::array<std::string_view, 12> kMonths = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec",
};

std::string Details(const ScoreTexts& texts)
{
    return "Level: " + texts.startLevel + "-" + texts.level +
           "   Intelligence: " + texts.intelligence + "/100   Accuracy: " + texts.accuracy + "%";
}

std::string ShownName(const std::string& user)
{
    return user.substr(0, kShownNameLength);
}

} // namespace

std::string FormatScoreDate(CalendarDate date)
{
    const std::string_view month =
        date.month >= 1 && date.month <= 12 ? kMonths[date.month - 1] : std::string_view("???");
    return std::string(month) + " " + std::to_string(date.day) + ", " + std::to_string(date.year);
}

std::int32_t AccuracyPercent(float hundredths)
{
    const double percent = std::floor(static_cast<double>(hundredths) / 100 + 0.5);
    if (!(percent > -2147483648.0) || percent > 2147483647.0)
        return 0;
    return static_cast<std::int32_t>(percent);
}

HighScoreEntry MakeEntry(const GameResult& result, const std::string& user, CalendarDate date)
{
    return {result.score,
            user,
            FormatScoreDate(date),
            result.startLevel,
            result.level,
            result.intelligence,
            static_cast<float>(AccuracyPercent(result.accuracyHundredths)),
            result.letters};
}

ScoreTexts ToTexts(const HighScoreEntry& entry)
{
    using valuetext::FormatInteger;
    return {FormatInteger(entry.score),
            entry.user,
            entry.date,
            FormatInteger(entry.startLevel),
            FormatInteger(entry.level),
            FormatInteger(entry.intelligence),
            valuetext::FormatSingle(entry.accuracy),
            FormatInteger(entry.letters)};
}

void InsertSorted(std::vector<HighScoreEntry>& table, HighScoreEntry entry, std::size_t limit)
{
    table.push_back(std::move(entry));
    // Exchange passes until one makes no exchange: equal scores never swap.
    for (bool exchanged = true; exchanged;) {
        exchanged = false;
        for (std::size_t k = 0; k + 1 < table.size(); ++k) {
            if (table[k].score < table[k + 1].score) {
                std::swap(table[k], table[k + 1]);
                exchanged = true;
            }
        }
    }
    if (table.size() > limit)
        table.resize(limit);
}

std::array<HighScoreRow, kHighScoreRows> HighScoreRows(const std::vector<ScoreTexts>& stored,
                                                       const std::optional<ScoreTexts>& last)
{
    std::array<HighScoreRow, kHighScoreRows> rows;
    for (std::size_t k = 1; k <= stored.size() && k < rows.size(); ++k) {
        const ScoreTexts& entry = stored[k - 1];
        HighScoreRow& row = rows[k];
        row.scores = std::to_string(k) + " ) " + ShownName(entry.user) + ":  " + entry.score;
        // Entries from before the letters field was kept hold "0" there.
        if (entry.letters != "0" && !entry.letters.empty())
            row.scores += "  @ " + entry.letters + " letters";
        row.date = entry.date;
        row.details = Details(entry);
    }
    if (last && !last->score.empty()) {
        rows[0].scores =
            ShownName(last->user) + ":  " + last->score + "  @ " + last->letters + " letters";
        rows[0].details = Details(*last);
    }
    return rows;
}

} // namespace tarvelo
