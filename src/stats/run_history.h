#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace tarvelo {

class UtcClock;

enum class RunMode
{
    Practice,
    Lesson,
};

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
    Unavailable,     // no history this run (see `message`); nothing is recorded
};

// What opening the history found. `message` is set for the last two states
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
// copies of the program may write at once (WAL, with a busy timeout). The
// settings file is never touched.
class RunHistory
{
public:
    static constexpr std::string_view kFileName = "Tarvelo History.sqlite";
    static constexpr int kSchemaVersion = 1;
    static constexpr int kBusyTimeoutMs = 10000;

    // Opens or creates the database at `path`. `clock` dates a damaged file
    // set aside.
    RunHistory(std::string path, const UtcClock& clock);
    ~RunHistory();
    RunHistory(const RunHistory&) = delete;
    RunHistory& operator=(const RunHistory&) = delete;

    const HistoryOpenResult& OpenResult() const { return m_open; }
    bool Available() const { return m_db != nullptr; }
    const std::string& Path() const { return m_path; }

    bool Record(const RunRecord& run);
    bool Record(const GameRecord& game);
    // Removes every run and game of the section.
    bool DeleteUser(std::string_view userSection);

    // Oldest first.
    std::vector<RunRecord> Runs(std::string_view userSection) const;
    std::vector<RunRecord> AllRuns() const;
    std::vector<GameRecord> Games(std::string_view userSection) const;

private:
    enum class Opening
    {
        Ok,
        Damaged, // not a database, or one that fails its check
        Failed,  // could not be opened or written (folder, permissions, locks)
        Newer,   // a schema this version does not know
    };
    Opening Open();
    Opening Migrate();
    bool SetAside();
    void Close();

    std::string m_path;
    const UtcClock& m_clock;
    sqlite3* m_db = nullptr;
    HistoryOpenResult m_open;
};

// The history's file in `appFolder`.
std::string HistoryPath(std::string_view appFolder);

} // namespace tarvelo
