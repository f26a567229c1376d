#include "history/history_clock.h"
#include "history/progress_days.h"
#include "history/run_history.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tarvelo;

// A fresh folder on the disk the program would use: next to the build, not
// in a /tmp that may live in memory and make the sync free.
class BenchFolder
{
public:
    BenchFolder()
    {
        std::string pattern = (std::filesystem::current_path() / "tarvelo-bench-XXXXXX").string();
        m_path = std::string(::mkdtemp(pattern.data())) + "/";
    }
    ~BenchFolder() { std::filesystem::remove_all(m_path); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

RunRecord Run(std::int64_t start)
{
    RunRecord run;
    run.userSection = "user0";
    run.userName = "Bench";
    run.startUtc = start;
    run.endUtc = start + 600;
    run.characters = 900;
    run.errors = 30;
    run.ticks = 2400;
    run.wpm = 45;
    run.accuracy = 97;
    return run;
}

// One run recorded: one transaction, synced to disk.
void BM_RecordOneRun(benchmark::State& state)
{
    BenchFolder folder;
    SystemUtcClock clock;
    RunHistory history(HistoryPath(folder.Path()), clock);
    std::int64_t start = 1'780'000'000;
    for (auto _ : state)
        benchmark::DoNotOptimize(history.Record(Run(start += 60)));
}
BENCHMARK(BM_RecordOneRun)->Unit(benchmark::kMillisecond);

// Five years of daily runs (2,000) read for one user and grouped into the
// chart's days.
void BM_LoadFiveYearsIntoTheChart(benchmark::State& state)
{
    BenchFolder folder;
    SystemUtcClock clock;
    RunHistory history(HistoryPath(folder.Path()), clock);
    const std::int64_t first = 1'620'000'000;
    std::vector<RunRecord> runs;
    for (int i = 0; i < 2000; ++i)
        runs.push_back(Run(first + i * 86400 * 365 * 5 / 2000));
    {
        // Seeded once, outside the timing; the benchmark is the reading.
        RunHistory seeding(HistoryPath(folder.Path()), clock);
        for (const RunRecord& run : runs)
            (void)seeding.Record(run);
    }
    const std::int64_t now = first + 86400LL * 365 * 5;
    for (auto _ : state) {
        const auto loaded = history.Runs("user0");
        benchmark::DoNotOptimize(SummariseProgress(loaded, now));
    }
}
BENCHMARK(BM_LoadFiveYearsIntoTheChart)->Unit(benchmark::kMillisecond);

} // namespace
