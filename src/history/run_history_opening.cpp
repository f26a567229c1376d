#include "history/history_clock.h"
#include "history/run_history.h"
#include "history/sqlite_statement.h"
#include "profile/data_file.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <string>

// Opening the history: the schema and its migrations, the health check, and
// setting a damaged file aside.
namespace tarvelo {
namespace {

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
    "ALTER TABLE runs ADD COLUMN layout TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE runs ADD COLUMN keystrokes BLOB NOT NULL DEFAULT x'';",
    // A CHECK cannot be altered: the table is built again with 'drill' allowed.
    "CREATE TABLE runs_v3 ("
    " id INTEGER PRIMARY KEY,"
    " user_section TEXT NOT NULL,"
    " user_name BLOB NOT NULL,"
    " start_utc INTEGER NOT NULL,"
    " end_utc INTEGER NOT NULL,"
    " mode TEXT NOT NULL CHECK (mode IN ('practice', 'lesson', 'drill')),"
    " lesson INTEGER NOT NULL,"
    " characters INTEGER NOT NULL,"
    " errors INTEGER NOT NULL,"
    " ticks REAL NOT NULL,"
    " wpm INTEGER NOT NULL,"
    " accuracy INTEGER NOT NULL,"
    " detection INTEGER NOT NULL,"
    " layout TEXT NOT NULL DEFAULT '',"
    " keystrokes BLOB NOT NULL DEFAULT x'');"
    "INSERT INTO runs_v3 SELECT id, user_section, user_name, start_utc, end_utc, mode, lesson,"
    " characters, errors, ticks, wpm, accuracy, detection, layout, keystrokes FROM runs;"
    "DROP TABLE runs;"
    "ALTER TABLE runs_v3 RENAME TO runs;"
    "CREATE INDEX runs_by_user ON runs (user_section, start_utc);",
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

} // namespace

RunHistory::Opening RunHistory::OutcomeOf(int error) const
{
    switch (error & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return Opening::Damaged; // the file's own bytes are at fault
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Opening::Busy;
    default:
        return Opening::Failed; // the folder or permissions
    }
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
    sqlite3_busy_timeout(m_db, kWaitLimitMs);
    Opening outcome = Opening::Ok;
    if (!Exec(m_db, "PRAGMA journal_mode=WAL") || !Exec(m_db, "PRAGMA synchronous=FULL")) {
        outcome = OutcomeOf(sqlite3_errcode(m_db));
    } else {
        Statement check(m_db, "PRAGMA quick_check");
        if (!check)
            outcome = OutcomeOf(sqlite3_errcode(m_db));
        else if (const int step = sqlite3_step(check.get()); step != SQLITE_ROW)
            outcome = OutcomeOf(step);
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
    const auto readVersion = [this] {
        Statement read(m_db, "PRAGMA user_version");
        return read && sqlite3_step(read.get()) == SQLITE_ROW ? static_cast<int>(read.Int(0)) : -1;
    };
    // A current schema needs no write, so a copy writing just now does not
    // hold the opening up.
    if (const int version = readVersion(); version == kSchemaVersion)
        return Opening::Ok;
    if (!Exec(m_db, "BEGIN IMMEDIATE"))
        return OutcomeOf(sqlite3_errcode(m_db));
    const int version = readVersion();
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
    return OutcomeOf(error);
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

} // namespace tarvelo
