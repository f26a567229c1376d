#pragma once

#include "history/run_history.h"

#include <span>
#include <string>
#include <string_view>

namespace tarvelo {

inline constexpr std::string_view kHistoryCsvName = "history.csv";

// One header line and one line per run, RFC 4180 quoting, UTF-8 names, times
// in ISO 8601 UTC, so a spreadsheet reads it as it stands.
std::string HistoryCsv(std::span<const RunRecord> runs);

// Writes HistoryCsv to `path` atomically; false when it could not be written.
bool ExportHistoryCsv(const std::string& path, std::span<const RunRecord> runs);

} // namespace tarvelo
