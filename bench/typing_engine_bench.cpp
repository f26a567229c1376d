#include "menu/current_user.h"
#include "platform/beeper.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "session/fixed_lines.h"
#include "session/typing_engine.h"
#include "stats/complete_totals.h"
#include "stats/letter_tallies.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <random>
#include <vector>

namespace {

using namespace tarvelo;

class SilentBeeper : public Beeper
{
public:
    void Beep() override {}
};

const std::string kLine =
    "Typing is a skill that improves with practice, patience and a little care ";

// Times each of 499 random keystrokes on a 75-character line; reports the
// median and the slowest keystroke in microseconds.
void TypeRandomKeys(benchmark::State& state, bool ai)
{
    const std::string folder = std::filesystem::temp_directory_path() / "tarvelo-bench-engine/";
    std::filesystem::create_directories(folder);
    ProfileStore profile(folder);
    CurrentUser user; // lessons: a finished line writes nothing
    KeyboardLayout layout;
    layout.Load(profile);
    SilentBeeper beeper;
    std::mt19937 random(7);
    std::vector<double> micros;

    for (auto _ : state) {
        FixedLines lines({kLine});
        CompleteTotals totals;
        LetterTallies tallies;
        TypingEngine engine({profile, user, lines, layout, beeper}, totals, tallies);
        engine.AiOn = ai;
        engine.BeginOrNext();
        for (int key = 0; key < 499; ++key) {
            const int code = static_cast<unsigned char>(kLine[random() % kLine.size()]);
            const auto start = std::chrono::steady_clock::now();
            engine.TypeKey(code);
            const auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["p999_us"] = micros[micros.size() * 999 / 1000];
    state.counters["max_us"] = micros.back();
    std::filesystem::remove_all(folder);
}

void BM_KeystrokePlain(benchmark::State& state)
{
    TypeRandomKeys(state, false);
}
BENCHMARK(BM_KeystrokePlain)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeDetection(benchmark::State& state)
{
    TypeRandomKeys(state, true);
}
BENCHMARK(BM_KeystrokeDetection)->Unit(benchmark::kMicrosecond);

} // namespace
