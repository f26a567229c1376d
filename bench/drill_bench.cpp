#include "drill/drill_line.h"
#include "drill/seeded_random.h"
#include "drill/text_language.h"
#include "material/practice_text.h"

#include <benchmark/benchmark.h>
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

// What a drill session does once per text: learn its language.
void LearnLanguage(benchmark::State& state)
{
    const std::string bytes =
        ReadPracticeFile(std::string(TARVELO_DATA_DIR) + "/Tarvelo Text1.txt").bytes;
    for (auto _ : state)
        benchmark::DoNotOptimize(TextLanguage::Learn(bytes));
}
BENCHMARK(LearnLanguage)->Unit(benchmark::kMillisecond);

} // namespace
