#include "history/history_queries.h"

#include "history/sqlite_statement.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <string>
#include <utility>

namespace tarvelo {

std::vector<RunRecord> SelectRuns(sqlite3* db, std::optional<std::string_view> section)
{
    std::vector<RunRecord> runs;
    if (!db)
        return runs;
    const std::string sql =
        std::string("SELECT user_section, user_name, start_utc, end_utc, mode, lesson,"
                    " characters, errors, ticks, wpm, accuracy, detection, layout FROM runs") +
        (section ? " WHERE user_section = ?1" : "") + " ORDER BY start_utc, id";
    Statement select(db, sql.c_str());
    if (!select)
        return runs;
    if (section)
        select.Bind(1, *section);
    while (sqlite3_step(select.get()) == SQLITE_ROW) {
        RunRecord run;
        run.userSection = select.Text(0);
        run.userName = select.Text(1);
        run.startUtc = select.Int(2);
        run.endUtc = select.Int(3);
        run.mode = RunModeNamed(select.Text(4));
        run.lessonNumber = static_cast<int>(select.Int(5));
        run.characters = static_cast<std::int32_t>(select.Int(6));
        run.errors = static_cast<std::int32_t>(select.Int(7));
        run.ticks = select.Real(8);
        run.wpm = static_cast<std::int32_t>(select.Int(9));
        run.accuracy = static_cast<std::int32_t>(select.Int(10));
        run.detection = select.Int(11) != 0;
        run.layout = select.Text(12);
        runs.push_back(std::move(run));
    }
    return runs;
}

// The rule of CountsInFigures, with ?1 the section.
#define TARVELO_COUNTED_RUNS                                                                       \
    " FROM runs WHERE user_section = ?1 AND start_utc BETWEEN ?2 AND ?3"                           \
    " AND end_utc BETWEEN ?2 AND ?4 AND characters >= ?5 AND ticks >= ?6"

namespace {

void BindCounted(Statement& select, std::string_view section, std::int64_t since,
                 std::int64_t until)
{
    select.Bind(1, section);
    select.Bind(2, since);
    select.Bind(3, until);
    select.Bind(4, kLatestFigureUtc);
    select.Bind(5, std::int64_t{kShortestTimedCharacters});
    select.Bind(6, kShortestTimedTicks);
}

// The UTC time of the local midnight that begins the day of `utc`, or an
// hour either side of it on a day the clocks change.
std::int64_t AroundLocalMidnight(std::int64_t utc)
{
    const auto time = static_cast<std::time_t>(utc);
    std::tm local{};
    localtime_r(&time, &local);
    return utc - (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

} // namespace

std::int64_t StartOfLastDays(sqlite3* db, std::string_view section, int days)
{
    if (!db)
        return kEarliestFigureUtc;
    Statement latest(db,
                     "SELECT start_utc" TARVELO_COUNTED_RUNS " ORDER BY start_utc DESC LIMIT 1");
    if (!latest)
        return kEarliestFigureUtc;
    // An hour's margin each way: a step may then skip a day (which only
    // reads more), never count one twice.
    constexpr std::int64_t kMargin = 3600;
    std::int64_t before = kLatestFigureUtc;
    for (int day = 0; day < days; ++day) {
        sqlite3_reset(latest.get());
        BindCounted(latest, section, kEarliestFigureUtc, before);
        if (sqlite3_step(latest.get()) != SQLITE_ROW)
            return kEarliestFigureUtc;
        before = AroundLocalMidnight(latest.Int(0)) - kMargin - 1;
        if (before < kEarliestFigureUtc)
            return kEarliestFigureUtc;
    }
    return before + 1 - kMargin;
}

std::vector<RunSlot> SelectRunSlots(sqlite3* db, std::string_view section, std::int64_t sinceUtc)
{
    std::vector<RunSlot> slots;
    if (!db)
        return slots;
    // Summed here rather than by GROUP BY: the index hands the rows over in
    // time order, so a slot is complete when the next begins, and no sort is
    // needed.
    Statement select(
        db, "SELECT start_utc, mode = 'lesson', characters, wpm, accuracy" TARVELO_COUNTED_RUNS
            " ORDER BY start_utc");
    if (!select)
        return slots;
    BindCounted(select, section, std::max(sinceUtc, kEarliestFigureUtc), kLatestFigureUtc);
    std::array<RunSlot, 2> open{RunSlot{.mode = RunMode::Practice},
                                RunSlot{.mode = RunMode::Lesson}};
    const auto close = [&] {
        for (RunSlot& slot : open)
            if (slot.runs > 0) {
                slots.push_back(slot);
                slot = RunSlot{.mode = slot.mode};
            }
    };
    while (sqlite3_step(select.get()) == SQLITE_ROW) {
        // As a RunRecord holds them, so both ways agree on any stored value.
        const auto characters = static_cast<std::int32_t>(select.Int(2));
        if (characters < kShortestTimedCharacters)
            continue;
        const std::int64_t number = select.Int(0) / RunSlot::kSeconds;
        if (number != open[0].slot) {
            close();
            open[0].slot = open[1].slot = number;
        }
        RunSlot& slot = open[select.Int(1) != 0 ? 1 : 0];
        slot.characters += characters;
        ++slot.runs;
        slot.wpmWeight +=
            static_cast<double>(static_cast<std::int32_t>(select.Int(3))) * characters;
        slot.accuracyWeight +=
            static_cast<double>(static_cast<std::int32_t>(select.Int(4))) * characters;
    }
    close();
    return slots;
}

#undef TARVELO_COUNTED_RUNS

bool HasRuns(sqlite3* db, std::string_view section)
{
    if (!db)
        return false;
    Statement select(db, "SELECT EXISTS (SELECT 1 FROM runs WHERE user_section = ?1)");
    if (!select)
        return false;
    select.Bind(1, section);
    return sqlite3_step(select.get()) == SQLITE_ROW && select.Int(0) != 0;
}

std::vector<std::string> SelectKeystrokeLogs(sqlite3* db, std::string_view section,
                                             std::string_view layout)
{
    std::vector<std::string> logs;
    if (!db)
        return logs;
    Statement select(db, "SELECT keystrokes FROM runs WHERE user_section = ?1 AND layout = ?2"
                         " AND length(keystrokes) > 0 ORDER BY start_utc, id");
    if (!select)
        return logs;
    select.Bind(1, section);
    select.Bind(2, layout);
    while (sqlite3_step(select.get()) == SQLITE_ROW)
        logs.push_back(select.Blob(0));
    return logs;
}

} // namespace tarvelo
