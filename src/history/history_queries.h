#pragma once

#include "history/progress_days.h"
#include "history/run_history.h"

#include <optional>
#include <string_view>
#include <vector>

struct sqlite3;

namespace tarvelo {

// The history's reading queries, for the program's connection and for a
// reader's own. An empty result also stands for a query that failed.

// Oldest first; every user's when `section` is not given.
std::vector<RunRecord> SelectRuns(sqlite3* db, std::optional<std::string_view> section);

// The section's runs that count in the figures (CountsInFigures) from
// `sinceUtc` on, summed by slot and kind as they are read.
std::vector<RunSlot> SelectRunSlots(sqlite3* db, std::string_view section, std::int64_t sinceUtc);

// A time before which none of the section's last `days` local days with
// counted runs begins (the process's time zone), found by stepping back one
// day at a time through the index rather than reading every run.
std::int64_t StartOfLastDays(sqlite3* db, std::string_view section, int days);

bool HasRuns(sqlite3* db, std::string_view section);

// The packed keystrokes of the section's runs on `layout`, oldest first;
// runs without any are left out.
std::vector<std::string> SelectKeystrokeLogs(sqlite3* db, std::string_view section,
                                             std::string_view layout);

} // namespace tarvelo
