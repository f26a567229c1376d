#pragma once

#include "history/run_mode.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace tarvelo {

class UtcClock;

// The mode's name in the history and its export; an unknown name reads as
// practice.
std::string_view RunModeName(RunMode mode);
RunMode RunModeNamed(std::string_view name);

// One typing run, from Begin to its end, as it is kept in the history.
struct RunRecord
{
    std::string userSection; // the row belongs to the section, not the name
    std::string userName;    // the display name at the time, code-page bytes
    std::int64_t startUtc = 0;
    std::int64_t endUtc = 0;
    RunMode mode = RunMode::Practice;
    int lessonNumber = 0; // 0 in practice
    std::int32_t characters = 0;
    std::int32_t errors = 0;
    double ticks = 0; // 250 ms statistics ticks spent typing
    std::int32_t wpm = 0;
    std::int32_t accuracy = 100;
    bool detection = false;
    std::string layout; // the keyboard layout typed on; empty in older runs
    // The run's timed keystrokes, packed by the drills' keystroke log; the
    // history keeps them as they are. Not read back with the run (see
    // RunHistory::KeystrokeLogs).
    std::string keystrokes;
};

// One finished game.
struct GameRecord
{
    std::string userSection;
    std::string userName;
    std::int64_t endUtc = 0;
    std::int32_t score = 0;
    int startLevel = 1;
    int levelReached = 1;
    double accuracy = 100;
    std::int32_t intelligence = 0;
};

enum class HistoryState
{
    Created,         // there was no database; a new one was started
    Opened,          // the database was there and sound
    DamagedSetAside, // a damaged database was renamed aside, a new one started
    Busy,            // another program holds it; it is opened again at the next write
    Unavailable,     // no history this run (see `message`); nothing is recorded
};

// What opening the history found. `message` is set for the last three states
// and is meant to be shown once.
struct HistoryOpenResult
{
    HistoryState state = HistoryState::Unavailable;
    std::string setAsidePath;
    std::string message;
};

// The history of typing runs and finished games, an SQLite database in the
// application folder. Each record is its own transaction, committed with a
// sync to disk, so a crash loses at most the record being written and two
// copies of the program may write at once (WAL). The settings file is never
// touched.
//
// Writes come from the window thread, so a history another program holds is
// waited for at most kWaitLimitMs: what cannot be written then is kept in
// memory and written by the next write or Flush, in order.
class RunHistory
{
public:
    static constexpr std::string_view kFileName = "Tarvelo History.sqlite";
    static constexpr int kSchemaVersion = 3;
    // SQLite sleeps in steps: the wait and the write stay within 100 ms.
    static constexpr int kWaitLimitMs = 80;
    // At the end of the program no window waits any more.
    static constexpr int kClosingWaitMs = 2000;

    // Opens or creates the database at `path`. `clock` dates a damaged file
    // set aside.
    RunHistory(std::string path, const UtcClock& clock);
    // Writes what is kept, waiting up to kClosingWaitMs.
    ~RunHistory();
    RunHistory(const RunHistory&) = delete;
    RunHistory& operator=(const RunHistory&) = delete;

    const HistoryOpenResult& OpenResult() const { return m_open; }
    bool Available() const { return m_db != nullptr; }
    const std::string& Path() const { return m_path; }

    // Names one run across its saves.
    using RunKey = std::uint64_t;
    RunKey NewRun() { return ++m_lastKey; }

    // Each write returns whether it and everything kept before it are on
    // disk now. A run saved again under its key updates its one row.
    bool Save(RunKey key, const RunRecord& run);
    bool Record(const RunRecord& run) { return Save(NewRun(), run); }
    bool Record(const GameRecord& game);
    // Removes every run and game of the section.
    bool DeleteUser(std::string_view userSection);
    // Writes what is kept, waiting up to `waitMs` for another program.
    bool Flush(int waitMs = kWaitLimitMs);
    bool AllWritten() const { return m_pending.empty(); }

    // What the user should hear of the history (what opening found, a write
    // that failed), once per problem: the same problem is told again only
    // after a write has worked. Empty when there is nothing new.
    std::string TakeNotice();

    // Oldest first.
    std::vector<RunRecord> Runs(std::string_view userSection) const;
    std::vector<RunRecord> AllRuns() const;
    std::vector<GameRecord> Games(std::string_view userSection) const;
    // The packed keystrokes of the section's runs on `layout`, oldest first.
    std::vector<std::string> KeystrokeLogs(std::string_view userSection,
                                           std::string_view layout) const;

private:
    enum class Opening
    {
        Ok,
        Damaged, // not a database, or one that fails its check
        Busy,    // another program holds it
        Failed,  // could not be opened or written (folder, permissions)
        Newer,   // a schema this version does not know
    };
    enum class Problem
    {
        Busy,
        DiskFull,
        NotAllowed,
        Other,
    };
    // One write waiting for its turn.
    struct Pending
    {
        enum class Kind
        {
            Run,
            Game,
            DeleteUser,
        };
        Kind kind = Kind::Run;
        RunKey key = 0;
        RunRecord run;
        GameRecord game;
        std::string section;
    };

    Opening Open();
    Opening Migrate();
    Opening OutcomeOf(int error) const;
    bool Keep(Pending item);
    int Write(const Pending& item);
    int WriteRun(RunKey key, const RunRecord& run);
    int WriteGame(const GameRecord& game);
    int RemoveUser(std::string_view userSection);
    void Tell(Problem problem, std::string why);
    void TellFailure(int error);
    bool SetAside();
    void Close();

    std::string m_path;
    const UtcClock& m_clock;
    sqlite3* m_db = nullptr;
    HistoryOpenResult m_open;
    bool m_reopen = false; // opening found it busy

    std::deque<Pending> m_pending;
    std::map<RunKey, std::int64_t> m_rows; // the row each saved run has
    RunKey m_lastKey = 0;
    std::string m_notice;
    std::optional<Problem> m_told; // since the last write that worked
};

// The history's file in `appFolder`.
std::string HistoryPath(std::string_view appFolder);

} // namespace tarvelo
