#include "platform/beeper.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "session/typing_engine.h"
#include "state/complete_totals.h"
#include "state/current_user.h"
#include "state/letter_tallies.h"
#include "support/fixed_lines.h"

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
// median, the 99th and 99.9th percentiles and the slowest keystroke in
// microseconds. Each sequence is typed three times and every keystroke keeps
// its fastest time, so a preempted run does not pass for a slow keystroke.
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
        std::vector<int> keys;
        for (int key = 0; key < 499; ++key)
            keys.push_back(static_cast<unsigned char>(kLine[random() % kLine.size()]));
        std::vector<double> fastest(keys.size(), 1e12);
        for (int repeat = 0; repeat < 3; ++repeat) {
            FixedLines lines({kLine});
            CompleteTotals totals;
            LetterTallies tallies;
            TypingEngine engine({profile, user, lines, layout, beeper}, totals, tallies);
            engine.SetOptions({.detection = ai});
            engine.BeginOrNext();
            for (std::size_t i = 0; i < keys.size(); ++i) {
                const auto start = std::chrono::steady_clock::now();
                engine.TypeKey(keys[i]);
                const auto end = std::chrono::steady_clock::now();
                fastest[i] = std::min(
                    fastest[i], std::chrono::duration<double, std::micro>(end - start).count());
            }
        }
        micros.insert(micros.end(), fastest.begin(), fastest.end());
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
