#include "history/history_reader.h"

#include "history/history_csv.h"
#include "history/history_queries.h"

#include <algorithm>
#include <sqlite3.h>

namespace tarvelo {

HistoryReader::HistoryReader(const std::string& path)
{
    // Read-write without create: a missing file stays missing, and the WAL's
    // shared-memory file may be made if no writer has made it yet.
    constexpr int kFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &m_db, kFlags, nullptr) != SQLITE_OK ||
        sqlite3_exec(m_db, "PRAGMA query_only=1", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return;
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
}

HistoryReader::~HistoryReader()
{
    sqlite3_close(m_db);
}

std::vector<RunRecord> HistoryReader::Runs(std::string_view userSection) const
{
    return SelectRuns(m_db, userSection);
}

std::vector<RunSlot> HistoryReader::RecentSlots(std::string_view userSection, int days,
                                                std::int64_t nowUtc) const
{
    // The last seven days may lie before the last days with runs when
    // some runs are dated in the future.
    constexpr std::int64_t kDay = 86400;
    const std::int64_t lastWeek = nowUtc - (Progress::kRecentDays + 1) * kDay;
    return SelectRunSlots(m_db, userSection,
                          std::min(StartOfLastDays(m_db, userSection, days), lastWeek));
}

bool HistoryReader::HasRuns(std::string_view userSection) const
{
    return tarvelo::HasRuns(m_db, userSection);
}

LoadedProgress LoadProgress(const std::string& historyPath, std::string_view userSection,
                            std::int64_t nowUtc)
{
    const HistoryReader reader(historyPath);
    LoadedProgress loaded;
    loaded.progress =
        SummariseSlots(reader.RecentSlots(userSection, Progress::kMaxDays, nowUtc), nowUtc);
    loaded.hasRuns = reader.HasRuns(userSection);
    return loaded;
}

bool ExportUserHistory(const std::string& historyPath, std::string_view userSection,
                       const std::string& csvPath)
{
    const HistoryReader reader(historyPath);
    return reader.Available() && ExportHistoryCsv(csvPath, reader.Runs(userSection));
}

} // namespace tarvelo
