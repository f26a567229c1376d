// Opening the statistics window, offscreen: from construction until the whole
// window has painted once, for a user with every letter tallied, and for one
// with a million runs in the history.

#include "history/history_clock.h"
#include "history/run_history.h"
#include "history/shared_history.h"
#include "state/program_state.h"
#include "windows/stats/statistics_window.h"

#include <QApplication>
#include <QEventLoop>
#include <QThreadPool>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <sqlite3.h>

namespace {

using namespace tarvelo;
namespace fs = std::filesystem;

// A folder with the settings file and the picture; removed at the end.
class BenchFolder
{
public:
    explicit BenchFolder(const char* name) : m_path(fs::temp_directory_path() / name)
    {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
        for (const char* file : {"Tarvelo.INI", "Masada.jpg"})
            fs::copy_file(fs::path(TARVELO_DATA_DIR) / file, m_path / file);
    }
    ~BenchFolder() { fs::remove_all(m_path); }
    std::string Path() const { return m_path.string() + "/"; }

private:
    fs::path m_path;
};

void TallyEveryLetter(ProgramState& program)
{
    program.user.UserName = "Ada";
    program.totals = {48100, 96000, 2400};
    for (int code = 1; code <= 255; ++code)
        for (int i = 0; i < 20; ++i) {
            program.tallies.TallyLetterTyped(0, code);
            if (i < code % 7)
                program.tallies.TallyLetterError(0, code);
        }
}

// `count` runs of user0 over the last `days` days, practice and lessons in
// turn, written in one transaction (the program writes one at a time).
void SeedRuns(const std::string& folder, int count, std::int64_t days)
{
    const std::string path = HistoryPath(folder);
    const SystemUtcClock clock;
    (void)RunHistory(path, clock); // the schema
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO runs (user_section, user_name, start_utc, end_utc, mode,"
                       " lesson, characters, errors, ticks, wpm, accuracy, detection)"
                       " VALUES ('user0', CAST('Ada' AS BLOB), ?1, ?1 + 300, ?2, ?3, ?4, ?5,"
                       " 1200, ?6, ?7, 0)",
                       -1, &insert, nullptr);
    const std::int64_t now = clock.NowUtc();
    const std::int64_t span = days * 86400;
    for (int i = 0; i < count; ++i) {
        const bool lesson = i % 2 == 1;
        sqlite3_bind_int64(insert, 1, now - span + span * i / count);
        sqlite3_bind_text(insert, 2, lesson ? "lesson" : "practice", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, 3, lesson ? 1 + i % 13 : 0);
        sqlite3_bind_int(insert, 4, 300 + i % 700);
        sqlite3_bind_int(insert, 5, i % 30);
        sqlite3_bind_int(insert, 6, 20 + i % 40);
        sqlite3_bind_int(insert, 7, 85 + i % 15);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// Construction, showing and one whole paint; the window is torn down
// outside the timing.
void OpenAndPaint(benchmark::State& state, ProgramState& program)
{
    for (auto _ : state) {
        auto window = std::make_unique<StatisticsWindow>(program);
        window->show();
        benchmark::DoNotOptimize(window->grab());
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_StatisticsWindowToPixels(benchmark::State& state)
{
    BenchFolder folder("tarvelo-bench-stats");
    ProgramState program(folder.Path());
    program.layout.Load(program.profile);
    TallyEveryLetter(program);
    OpenAndPaint(state, program);
}
BENCHMARK(BM_StatisticsWindowToPixels)->Iterations(50)->Unit(benchmark::kMillisecond);

// A million runs over the argument's number of days (the chart keeps 90), and
// the program's history not yet opened in this run, as when the statistics
// are the first thing looked at after the start. With `filled`, until the
// progress chart has been filled in and painted too.
void MillionRuns(benchmark::State& state, bool filled)
{
    BenchFolder folder("tarvelo-bench-stats-million");
    SeedRuns(folder.Path(), 1'000'000, state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<ProgramState>(folder.Path());
        program->layout.Load(program->profile);
        TallyEveryLetter(*program);
        state.ResumeTiming();
        auto window = std::make_unique<StatisticsWindow>(*program);
        window->show();
        benchmark::DoNotOptimize(window->grab());
        if (filled) {
            QEventLoop loading;
            QObject::connect(window.get(), &StatisticsWindow::progressLoaded, &loading,
                             &QEventLoop::quit);
            loading.exec();
            benchmark::DoNotOptimize(window->grab());
        }
        state.PauseTiming();
        window.reset();
        program.reset();
        QThreadPool::globalInstance()->waitForDone();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_StatisticsWindowToPixelsMillionRuns(benchmark::State& state)
{
    MillionRuns(state, false);
}
BENCHMARK(BM_StatisticsWindowToPixelsMillionRuns)
    ->Arg(2000)
    ->Arg(80)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void BM_StatisticsWindowFilledInMillionRuns(benchmark::State& state)
{
    MillionRuns(state, true);
}
BENCHMARK(BM_StatisticsWindowFilledInMillionRuns)
    ->Arg(2000)
    ->Arg(80)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
