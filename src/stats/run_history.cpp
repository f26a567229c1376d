#include "stats/run_history.h"

#include "profile/app_folder.h"
#include "profile/data_file.h"
#include "stats/history_clock.h"
#include "stats/history_queries.h"
#include "stats/sqlite_statement.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <utility>

namespace tarvelo {
namespace {

bool Exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Each step brings the schema from version i to i + 1. A later version adds a
// step here and raises kSchemaVersion; steps already run are never changed.
constexpr std::array<const char*, RunHistory::kSchemaVersion> kMigrations = {
    "CREATE TABLE runs ("
    " id INTEGER PRIMARY KEY,"
    " user_section TEXT NOT NULL,"
    " user_name BLOB NOT NULL,"
    " start_utc INTEGER NOT NULL,"
    " end_utc INTEGER NOT NULL,"
    " mode TEXT NOT NULL CHECK (mode IN ('practice', 'lesson')),"
    " lesson INTEGER NOT NULL,"
    " characters INTEGER NOT NULL,"
    " errors INTEGER NOT NULL,"
    " ticks REAL NOT NULL,"
    " wpm INTEGER NOT NULL,"
    " accuracy INTEGER NOT NULL,"
    " detection INTEGER NOT NULL);"
    "CREATE INDEX runs_by_user ON runs (user_section, start_utc);"
    "CREATE TABLE games ("
    " id INTEGER PRIMARY KEY,"
    " user_section TEXT NOT NULL,"
    " user_name BLOB NOT NULL,"
    " end_utc INTEGER NOT NULL,"
    " score INTEGER NOT NULL,"
    " start_level INTEGER NOT NULL,"
    " level_reached INTEGER NOT NULL,"
    " accuracy REAL NOT NULL,"
    " intelligence INTEGER NOT NULL);"
    "CREATE INDEX games_by_user ON games (user_section, end_utc);",
};

std::string LocalDate(std::int64_t utc)
{
    const std::time_t time = static_cast<std::time_t>(utc);
    std::tm local{};
    localtime_r(&time, &local);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text;
}

std::string FileNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string_view ModeName(RunMode mode)
{
    return mode == RunMode::Lesson ? "lesson" : "practice";
}

} // namespace

std::int64_t SystemUtcClock::NowUtc() const
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::string HistoryPath(std::string_view appFolder)
{
    return DataFilePath(appFolder, RunHistory::kFileName);
}

RunHistory::RunHistory(std::string path, const UtcClock& clock)
    : m_path(std::move(path)), m_clock(clock)
{
    const bool existed = FileExists(m_path);
    const std::string name = FileNameOf(m_path);
    switch (Open()) {
    case Opening::Ok:
        m_open.state = existed ? HistoryState::Opened : HistoryState::Created;
        return;
    case Opening::Newer:
        m_open.message = "The progress history \"" + name +
                         "\" was written by a newer Tarvelo; runs are not recorded this time.";
        return;
    case Opening::Failed:
        m_open.message = "The progress history \"" + name +
                         "\" could not be opened for writing; runs are not recorded this time.";
        return;
    case Opening::Damaged:
        break;
    }
    if (!SetAside() || Open() != Opening::Ok) {
        m_open.message = "The progress history \"" + name +
                         "\" is damaged and could not be set aside; runs are not recorded "
                         "this time.";
        return;
    }
    m_open.state = HistoryState::DamagedSetAside;
    m_open.message = "The progress history was damaged. It has been kept as \"" +
                     FileNameOf(m_open.setAsidePath) + "\" and a new history has been started.";
}

RunHistory::~RunHistory()
{
    Close();
}

void RunHistory::Close()
{
    sqlite3_close(m_db);
    m_db = nullptr;
}

// Opens, checks and migrates; anything but Ok leaves m_db closed.
RunHistory::Opening RunHistory::Open()
{
    constexpr int kFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(m_path.c_str(), &db, kFlags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return Opening::Failed;
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    Opening outcome = Opening::Ok;
    if (!Exec(m_db, "PRAGMA journal_mode=WAL") || !Exec(m_db, "PRAGMA synchronous=FULL")) {
        // The file's own bytes are at fault, or the folder or a lock.
        const int error = sqlite3_errcode(m_db);
        outcome =
            error == SQLITE_NOTADB || error == SQLITE_CORRUPT ? Opening::Damaged : Opening::Failed;
    } else {
        Statement check(m_db, "PRAGMA quick_check");
        if (!check || sqlite3_step(check.get()) != SQLITE_ROW)
            outcome = Opening::Failed;
        else if (check.Text(0) != "ok")
            outcome = Opening::Damaged;
    }
    if (outcome == Opening::Ok)
        outcome = Migrate();
    if (outcome != Opening::Ok)
        Close();
    return outcome;
}

RunHistory::Opening RunHistory::Migrate()
{
    if (!Exec(m_db, "BEGIN IMMEDIATE"))
        return Opening::Failed;
    int version = -1;
    {
        Statement read(m_db, "PRAGMA user_version");
        if (read && sqlite3_step(read.get()) == SQLITE_ROW)
            version = static_cast<int>(read.Int(0));
    }
    if (version > kSchemaVersion) {
        Exec(m_db, "ROLLBACK");
        return Opening::Newer;
    }
    bool ok = version >= 0;
    for (int step = version; ok && step < kSchemaVersion; ++step)
        ok = Exec(m_db, kMigrations[static_cast<std::size_t>(step)]);
    if (ok && version < kSchemaVersion)
        ok = Exec(m_db, ("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
    if (ok && Exec(m_db, "COMMIT"))
        return Opening::Ok;
    const int error = sqlite3_errcode(m_db); // before the rollback resets it
    Exec(m_db, "ROLLBACK");
    return error == SQLITE_NOTADB || error == SQLITE_CORRUPT ? Opening::Damaged : Opening::Failed;
}

// Renames the damaged file (and its journal files) to "<name>.damaged-DATE",
// numbered when that name is taken.
bool RunHistory::SetAside()
{
    const std::string base = m_path + ".damaged-" + LocalDate(m_clock.NowUtc());
    std::string target = base;
    for (int n = 2; FileExists(target); ++n)
        target = base + "-" + std::to_string(n);
    if (std::rename(m_path.c_str(), target.c_str()) != 0)
        return false;
    for (const char* suffix : {"-wal", "-shm"}) {
        const std::string from = m_path + suffix;
        if (FileExists(from))
            (void)std::rename(from.c_str(), (target + suffix).c_str());
    }
    m_open.setAsidePath = target;
    return true;
}

bool RunHistory::Record(const RunRecord& run)
{
    if (!m_db)
        return false;
    Statement insert(m_db, "INSERT INTO runs (user_section, user_name, start_utc, end_utc, mode,"
                           " lesson, characters, errors, ticks, wpm, accuracy, detection)"
                           " VALUES (?1, CAST(?2 AS BLOB), ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, "
                           "?12)");
    if (!insert)
        return false;
    insert.Bind(1, run.userSection);
    insert.Bind(2, run.userName);
    insert.Bind(3, run.startUtc);
    insert.Bind(4, run.endUtc);
    insert.Bind(5, ModeName(run.mode));
    insert.Bind(6, std::int64_t{run.lessonNumber});
    insert.Bind(7, std::int64_t{run.characters});
    insert.Bind(8, std::int64_t{run.errors});
    insert.Bind(9, run.ticks);
    insert.Bind(10, std::int64_t{run.wpm});
    insert.Bind(11, std::int64_t{run.accuracy});
    insert.Bind(12, std::int64_t{run.detection ? 1 : 0});
    return sqlite3_step(insert.get()) == SQLITE_DONE;
}

bool RunHistory::Record(const GameRecord& game)
{
    if (!m_db)
        return false;
    Statement insert(m_db, "INSERT INTO games (user_section, user_name, end_utc, score,"
                           " start_level, level_reached, accuracy, intelligence)"
                           " VALUES (?1, CAST(?2 AS BLOB), ?3, ?4, ?5, ?6, ?7, ?8)");
    if (!insert)
        return false;
    insert.Bind(1, game.userSection);
    insert.Bind(2, game.userName);
    insert.Bind(3, game.endUtc);
    insert.Bind(4, std::int64_t{game.score});
    insert.Bind(5, std::int64_t{game.startLevel});
    insert.Bind(6, std::int64_t{game.levelReached});
    insert.Bind(7, game.accuracy);
    insert.Bind(8, std::int64_t{game.intelligence});
    return sqlite3_step(insert.get()) == SQLITE_DONE;
}

bool RunHistory::DeleteUser(std::string_view userSection)
{
    if (!m_db || !Exec(m_db, "BEGIN IMMEDIATE"))
        return false;
    bool ok = true;
    for (const char* sql : {"DELETE FROM runs WHERE user_section = ?1",
                            "DELETE FROM games WHERE user_section = ?1"}) {
        Statement remove(m_db, sql);
        if (!remove)
            ok = false;
        else {
            remove.Bind(1, userSection);
            ok = ok && sqlite3_step(remove.get()) == SQLITE_DONE;
        }
    }
    if (ok && Exec(m_db, "COMMIT"))
        return true;
    Exec(m_db, "ROLLBACK");
    return false;
}

std::vector<RunRecord> RunHistory::Runs(std::string_view userSection) const
{
    return SelectRuns(m_db, userSection);
}

std::vector<RunRecord> RunHistory::AllRuns() const
{
    return SelectRuns(m_db, std::nullopt);
}

std::vector<GameRecord> RunHistory::Games(std::string_view userSection) const
{
    std::vector<GameRecord> games;
    if (!m_db)
        return games;
    Statement select(m_db, "SELECT user_section, user_name, end_utc, score, start_level,"
                           " level_reached, accuracy, intelligence FROM games"
                           " WHERE user_section = ?1 ORDER BY end_utc, id");
    if (!select)
        return games;
    select.Bind(1, userSection);
    while (sqlite3_step(select.get()) == SQLITE_ROW) {
        GameRecord game;
        game.userSection = select.Text(0);
        game.userName = select.Text(1);
        game.endUtc = select.Int(2);
        game.score = static_cast<std::int32_t>(select.Int(3));
        game.startLevel = static_cast<int>(select.Int(4));
        game.levelReached = static_cast<int>(select.Int(5));
        game.accuracy = select.Real(6);
        game.intelligence = static_cast<std::int32_t>(select.Int(7));
        games.push_back(std::move(game));
    }
    return games;
}

} // namespace tarvelo
