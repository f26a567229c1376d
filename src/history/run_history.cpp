#include "history/run_history.h"

#include "history/history_clock.h"
#include "history/history_queries.h"
#include "history/sqlite_statement.h"
#include "profile/app_folder.h"
#include "profile/code_page.h"
#include "profile/data_file.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <sqlite3.h>
#include <utility>

namespace tarvelo {
namespace {

// Each mode with its name in the history's "mode" column.
constexpr std::pair<RunMode, std::string_view> kModeNames[] = {
    {RunMode::Practice, "practice"},
    {RunMode::Lesson, "lesson"},
    {RunMode::Drill, "drill"},
};

} // namespace

std::string_view RunModeName(RunMode mode)
{
    for (const auto& [known, name] : kModeNames)
        if (known == mode)
            return name;
    return "practice";
}

RunMode RunModeNamed(std::string_view name)
{
    for (const auto& [mode, known] : kModeNames)
        if (known == name)
            return mode;
    return RunMode::Practice;
}

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
        // A file the program may read but not write opens read-only.
        if (sqlite3_db_readonly(m_db, "main") == 1)
            Tell(Problem::NotAllowed, "Tarvelo is not allowed to write it");
        return;
    case Opening::Busy:
        m_open.state = HistoryState::Busy;
        m_reopen = true;
        Tell(Problem::Busy, {});
        m_open.message = m_notice;
        return;
    case Opening::Newer:
        m_open.message = "The progress history \"" + name +
                         "\" was written by a newer Tarvelo; runs are not recorded this time.";
        m_notice = m_open.message;
        return;
    case Opening::Failed:
        m_open.message = "The progress history \"" + name +
                         "\" could not be opened for writing; runs are not recorded this time.";
        m_notice = m_open.message;
        return;
    case Opening::Damaged:
        break;
    }
    if (!SetAside() || Open() != Opening::Ok) {
        m_open.message = "The progress history \"" + name +
                         "\" is damaged and could not be set aside; runs are not recorded "
                         "this time.";
        m_notice = m_open.message;
        return;
    }
    m_open.state = HistoryState::DamagedSetAside;
    m_open.message = "The progress history was damaged. It has been kept as \"" +
                     FileNameOf(m_open.setAsidePath) + "\" and a new history has been started.";
    m_notice = m_open.message;
}

RunHistory::~RunHistory()
{
    (void)Flush(kClosingWaitMs);
    Close();
}

void RunHistory::Close()
{
    sqlite3_close(m_db);
    m_db = nullptr;
}

bool RunHistory::Save(RunKey key, const RunRecord& run)
{
    // A run not written yet is written once, with its latest figures.
    for (Pending& kept : m_pending) {
        if (kept.kind == Pending::Kind::Run && kept.key == key) {
            kept.run = run;
            return Flush();
        }
    }
    Pending item;
    item.key = key;
    item.run = run;
    return Keep(std::move(item));
}

bool RunHistory::Record(const GameRecord& game)
{
    Pending item;
    item.kind = Pending::Kind::Game;
    item.game = game;
    return Keep(std::move(item));
}

bool RunHistory::DeleteUser(std::string_view userSection)
{
    Pending item;
    item.kind = Pending::Kind::DeleteUser;
    item.section = std::string(userSection);
    return Keep(std::move(item));
}

bool RunHistory::Keep(Pending item)
{
    if (!m_db && !m_reopen)
        return false; // no history this run
    m_pending.push_back(std::move(item));
    return Flush();
}

bool RunHistory::Flush(int waitMs)
{
    if (m_pending.empty())
        return true;
    if (!m_db && m_reopen && Open() == Opening::Ok) {
        m_reopen = false;
        m_open.state = HistoryState::Opened;
    }
    if (!m_db)
        return false;
    sqlite3_busy_timeout(m_db, waitMs);
    while (!m_pending.empty()) {
        if (const int error = Write(m_pending.front()); error != SQLITE_OK) {
            TellFailure(error);
            break;
        }
        m_pending.pop_front();
        m_told.reset();
    }
    sqlite3_busy_timeout(m_db, kWaitLimitMs);
    return m_pending.empty();
}

int RunHistory::Write(const Pending& item)
{
    switch (item.kind) {
    case Pending::Kind::Run:
        return WriteRun(item.key, item.run);
    case Pending::Kind::Game:
        return WriteGame(item.game);
    case Pending::Kind::DeleteUser:
        return RemoveUser(item.section);
    }
    return SQLITE_MISUSE;
}

// Returns SQLITE_OK or the error.
int RunHistory::WriteRun(RunKey key, const RunRecord& run)
{
    const auto row = m_rows.find(key);
    Statement write(m_db, row == m_rows.end()
                              ? "INSERT INTO runs (user_section, user_name, start_utc, end_utc,"
                                " mode, lesson, characters, errors, ticks, wpm, accuracy,"
                                " detection, layout, keystrokes) VALUES (?1, CAST(?2 AS BLOB),"
                                " ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)"
                              : "UPDATE runs SET user_section = ?1, user_name = CAST(?2 AS BLOB),"
                                " start_utc = ?3, end_utc = ?4, mode = ?5, lesson = ?6,"
                                " characters = ?7, errors = ?8, ticks = ?9, wpm = ?10,"
                                " accuracy = ?11, detection = ?12, layout = ?13,"
                                " keystrokes = ?14 WHERE id = ?15");
    if (!write)
        return sqlite3_errcode(m_db);
    write.BindAll(run.userSection, run.userName, run.startUtc, run.endUtc, RunModeName(run.mode),
                  run.lessonNumber, run.characters, run.errors, run.ticks, run.wpm, run.accuracy,
                  run.detection, run.layout);
    write.BindBlob(14, run.keystrokes);
    if (row != m_rows.end())
        write.Bind(15, row->second);
    if (const int step = sqlite3_step(write.get()); step != SQLITE_DONE)
        return step;
    if (row == m_rows.end())
        m_rows.emplace(key, sqlite3_last_insert_rowid(m_db));
    return SQLITE_OK;
}

int RunHistory::WriteGame(const GameRecord& game)
{
    Statement insert(m_db, "INSERT INTO games (user_section, user_name, end_utc, score,"
                           " start_level, level_reached, accuracy, intelligence)"
                           " VALUES (?1, CAST(?2 AS BLOB), ?3, ?4, ?5, ?6, ?7, ?8)");
    if (!insert)
        return sqlite3_errcode(m_db);
    insert.BindAll(game.userSection, game.userName, game.endUtc, game.score, game.startLevel,
                   game.levelReached, game.accuracy, game.intelligence);
    const int step = sqlite3_step(insert.get());
    return step == SQLITE_DONE ? SQLITE_OK : step;
}

int RunHistory::RemoveUser(std::string_view userSection)
{
    if (!Exec(m_db, "BEGIN IMMEDIATE"))
        return sqlite3_errcode(m_db);
    int result = SQLITE_OK;
    for (const char* sql : {"DELETE FROM runs WHERE user_section = ?1",
                            "DELETE FROM games WHERE user_section = ?1"}) {
        Statement remove(m_db, sql);
        if (!remove) {
            result = sqlite3_errcode(m_db);
            break;
        }
        remove.Bind(1, userSection);
        if (const int step = sqlite3_step(remove.get()); step != SQLITE_DONE) {
            result = step;
            break;
        }
    }
    if (result == SQLITE_OK && Exec(m_db, "COMMIT"))
        return SQLITE_OK;
    if (result == SQLITE_OK)
        result = sqlite3_errcode(m_db);
    Exec(m_db, "ROLLBACK");
    return result;
}

void RunHistory::TellFailure(int error)
{
    const int system = sqlite3_system_errno(m_db);
    switch (error & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Tell(Problem::Busy, {});
    case SQLITE_FULL:
        return Tell(Problem::DiskFull, "the disk is full");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_AUTH:
        return Tell(Problem::NotAllowed, "Tarvelo is not allowed to write it");
    default:
        break;
    }
    switch (system) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Tell(Problem::DiskFull, "the disk is full");
    case EACCES:
    case EPERM:
    case EROFS:
        return Tell(Problem::NotAllowed, "Tarvelo is not allowed to write it");
    default:
        return Tell(Problem::Other, system != 0 ? codepage::FromUtf8(std::strerror(system))
                                                : std::string(sqlite3_errstr(error)));
    }
}

void RunHistory::Tell(Problem problem, std::string why)
{
    if (m_told == problem)
        return;
    m_told = problem;
    const std::string name = "\"" + FileNameOf(m_path) + "\"";
    m_notice = problem == Problem::Busy
                   ? "The progress history " + name +
                         " is busy: another program is using it. Tarvelo keeps your runs and "
                         "records them as soon as it is free."
                   : "The progress history " + name + " could not be written: " + why +
                         ". Tarvelo tries again at the end of every line; runs it cannot write "
                         "before it ends are lost.";
}

std::string RunHistory::TakeNotice()
{
    return std::exchange(m_notice, {});
}

std::vector<RunRecord> RunHistory::Runs(std::string_view userSection) const
{
    return SelectRuns(m_db, userSection);
}

std::vector<RunRecord> RunHistory::AllRuns() const
{
    return SelectRuns(m_db, std::nullopt);
}

std::vector<std::string> RunHistory::KeystrokeLogs(std::string_view userSection,
                                                   std::string_view layout) const
{
    return SelectKeystrokeLogs(m_db, userSection, layout);
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
