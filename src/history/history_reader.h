#pragma once

#include "history/progress_days.h"
#include "history/run_history.h"

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace tarvelo {

// A connection of its own to the run history that only reads, for work away
// from the interface thread while the program's RunHistory goes on writing.
// It never creates, migrates or sets aside the file (RunHistory does): a
// missing, damaged or locked history reads as empty.
class HistoryReader
{
public:
    static constexpr int kBusyTimeoutMs = 5000;

    explicit HistoryReader(const std::string& path);
    ~HistoryReader();
    HistoryReader(const HistoryReader&) = delete;
    HistoryReader& operator=(const HistoryReader&) = delete;

    bool Available() const { return m_db != nullptr; }
    std::vector<RunRecord> Runs(std::string_view userSection) const;
    // The runs that count in the figures of the last `days` days that have
    // them, and maybe a few more, summed by slot and kind.
    std::vector<RunSlot> RecentSlots(std::string_view userSection, int days,
                                     std::int64_t nowUtc) const;
    bool HasRuns(std::string_view userSection) const;

private:
    sqlite3* m_db = nullptr;
};

// What the statistics window shows of a user's history.
struct LoadedProgress
{
    Progress progress;
    bool hasRuns = false; // any run at all, counted in the figures or not
};

// Reads the history at `historyPath`: only the days the chart keeps, and only
// the columns it needs.
LoadedProgress LoadProgress(const std::string& historyPath, std::string_view userSection,
                            std::int64_t nowUtc);

// Writes the user's runs as "history.csv" to `csvPath`; false when the
// history could not be read or the file not written.
bool ExportUserHistory(const std::string& historyPath, std::string_view userSection,
                       const std::string& csvPath);

} // namespace tarvelo
