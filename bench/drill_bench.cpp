#include "drill/drill_line.h"
#include "drill/keystroke_figures.h"
#include "drill/keystroke_log.h"
#include "drill/seeded_random.h"
#include "drill/text_language.h"
#include "history/history_clock.h"
#include "history/run_history.h"
#include "material/practice_text.h"
#include "stats/speed_report.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tarvelo;

const TextLanguage& ShippedLanguage()
{
    static const TextLanguage language = TextLanguage::Learn(
        ReadPracticeFile(std::string(TARVELO_DATA_DIR) + "/Tarvelo Text1.txt").bytes);
    return language;
}

// One drill line from the shipped practice text: the six first letters with
// a common focus, and every letter with the rarest one (few real words, most
// made-up words rejected for lacking it).
void MakeLine(benchmark::State& state, std::size_t openCount, char focus)
{
    const TextLanguage& language = ShippedLanguage();
    const std::string open = language.Letters().substr(0, openCount);
    SeededRandom random(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeDrillLine(language, open, focus, random));
}
BENCHMARK_CAPTURE(MakeLine, six_letters_focus_e, 6, 'e')->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MakeLine, all_letters_focus_z, 26, 'z')->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MakeLine, all_letters_focus_q, 26, 'q')->Unit(benchmark::kMicrosecond);

// A short text: most words of a line are made up, and the focus letter is
// in one word of the text.
void MakeLineFromShortText(benchmark::State& state)
{
    const std::string bytes =
        ReadPracticeFile(std::string(TARVELO_DATA_DIR) + "/Tarvelo Text1.txt").bytes;
    const TextLanguage language = TextLanguage::Learn(bytes.substr(0, 1500) + " zoo jquxv\r\n");
    SeededRandom random(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeDrillLine(language, language.Letters(), 'x', random));
}
BENCHMARK(MakeLineFromShortText)->Unit(benchmark::kMicrosecond);

// What a drill session does once per text: learn its language.
void LearnLanguage(benchmark::State& state)
{
    const std::string bytes =
        ReadPracticeFile(std::string(TARVELO_DATA_DIR) + "/Tarvelo Text1.txt").bytes;
    for (auto _ : state)
        benchmark::DoNotOptimize(TextLanguage::Learn(bytes));
}
BENCHMARK(LearnLanguage)->Unit(benchmark::kMillisecond);

// 1,000,000 keystrokes in the history (100 runs of 200 lines of 50) read
// back and folded into per-key figures, or into the statistics' report
// (pairs, confusions, trends); also reports the bytes each keystroke takes.
void ReadAndFoldKeystrokes(benchmark::State& state, bool report)
{
    std::string pattern = (std::filesystem::current_path() / "tarvelo-bench-XXXXXX").string();
    const std::string folder = std::string(::mkdtemp(pattern.data())) + "/";
    SystemUtcClock clock;
    std::size_t bytes = 0;
    {
        RunHistory history(HistoryPath(folder), clock);
        SeededRandom random(5);
        for (int runIndex = 0; runIndex < 100; ++runIndex) {
            KeystrokeLog log;
            for (int lineIndex = 0; lineIndex < 200; ++lineIndex) {
                std::vector<Keystroke> line;
                for (int i = 0; i < 50; ++i) {
                    const char c = i % 6 == 5 ? ' ' : static_cast<char>('a' + random.Next() * 26);
                    const bool error = random.Next() < 0.03;
                    line.push_back({c, error ? 'x' : c, 80 + random.Next() * 900, error,
                                    static_cast<std::uint8_t>(random.Next() < 0.05)});
                }
                log.AddLine(line);
            }
            RunRecord run;
            run.userSection = "user0";
            run.startUtc = 1'800'000'000 + runIndex * 1000;
            run.endUtc = run.startUtc + 900;
            run.layout = "English (US)";
            run.keystrokes = log.Bytes();
            bytes += run.keystrokes.size();
            history.Record(run);
        }
    }
    RunHistory history(HistoryPath(folder), clock);
    for (auto _ : state) {
        const std::vector<std::string> logs = history.KeystrokeLogs("user0", "English (US)");
        if (report) {
            benchmark::DoNotOptimize(
                MakeSpeedReport(logs, "Header\r\nthe quick brown fox\r\n", TargetSpeed()));
            continue;
        }
        KeySpeeds speeds;
        for (const std::string& log : logs)
            FoldLog(log, speeds);
        benchmark::DoNotOptimize(speeds.Of('e'));
    }
    state.counters["bytes_per_keystroke"] = static_cast<double>(bytes) / 1'000'000;
    std::filesystem::remove_all(folder);
}
BENCHMARK_CAPTURE(ReadAndFoldKeystrokes, speeds, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadAndFoldKeystrokes, statistics_report, true)->Unit(benchmark::kMillisecond);

} // namespace
