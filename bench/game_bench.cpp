#include "game/game_storage.h"
#include "game/typing_game.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/random_source.h"
#include "platform/sound.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "state/current_user.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <vector>

namespace {

using namespace tarvelo;

class QuietDialogs : public Dialogs
{
public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    bool AskYesNo(std::string_view, std::string_view, MessageIcon, DefaultAnswer) override
    {
        return yes;
    }
    std::optional<std::string> AskText(std::string_view, std::string_view,
                                       std::string_view) override
    {
        return std::nullopt;
    }
    bool yes = false;
};

class SilentSound : public Sound
{
public:
    bool PlayWave(const std::string&) override { return true; }
    bool OpenMusic(const std::string&) override { return true; }
    void PlayMusic() override {}
    void StopMusic() override {}
    void CloseMusic() override {}
    double MusicLength() override { return 0; }
    double MusicPosition() override { return 0; }
};

// Half of the tosses won, the same sequence every run.
class AlternatingRandom : public RandomSource
{
public:
    double Next() override { return (m_next++ % 2) ? 0.75 : 0.25; }

private:
    unsigned m_next = 0;
};

class FixedClock : public Clock
{
public:
    CalendarDate Today() const override { return {2026, 1, 1}; }
};

class Folder
{
public:
    explicit Folder(const char* name)
        : m_path((std::filesystem::temp_directory_path() / name).string() + "/")
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~Folder() { std::filesystem::remove_all(m_path); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Twenty letters falling in every column over full piles: the heaviest tick
// the board can see. Twenty letter keys make the pool, so a won toss places
// nothing; the letters are lifted back to the top before they would land.
// Each of the 100,000 ticks keeps its fastest of three runs, so a preempted
// run does not pass for a slow tick.
void BM_GameTickFullBoard(benchmark::State& state)
{
    constexpr int kTicks = 100000;
    constexpr std::string_view kStream = "0102030405060708091011121314151617181922";
    Folder folder("tarvelo-bench-game");
    ProfileStore profile(folder.Path());
    CurrentUser user;
    user.UserName = "Bench";
    profile.Write(user.UserSection, settings::kLetterStream, kStream);
    KeyboardLayout layout;
    layout.Load(profile);
    QuietDialogs dialogs;
    SilentSound sound;
    FixedClock clock;
    GameAverages averages;
    std::optional<ScoreTexts> lastResult;
    std::vector<double> micros;

    for (auto _ : state) {
        std::vector<double> fastest(kTicks, 1e12);
        for (int repeat = 0; repeat < 3; ++repeat) {
            AlternatingRandom random;
            TypingGame game({profile, user, layout, dialogs, sound, random, clock, averages,
                             lastResult, folder.Path()});
            game.Load();
            game.StartGame();
            FallingBoard& board = game.SceneBoard();
            const std::array<unsigned char, 3> pile = {'1', '2', '3'};
            for (int tick = 0; tick < kTicks; ++tick) {
                if (tick % (FallingBoard::kRows - 1) == 0) {
                    for (int c = 0; c < FallingBoard::kColumns; ++c) {
                        const auto letter = static_cast<unsigned char>('A' + c);
                        board.SetColumn(c, {letter, LetterColour::Falling, true, 0}, pile);
                    }
                }
                const auto start = std::chrono::steady_clock::now();
                game.GameTick();
                const auto end = std::chrono::steady_clock::now();
                fastest[tick] = std::min(
                    fastest[tick], std::chrono::duration<double, std::micro>(end - start).count());
            }
            if (!game.Running())
                state.SkipWithError("the game ended");
        }
        micros.insert(micros.end(), fastest.begin(), fastest.end());
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p999_us"] = micros[micros.size() * 999 / 1000];
    state.counters["max_us"] = micros.back();
}
BENCHMARK(BM_GameTickFullBoard)->Unit(benchmark::kMillisecond)->Iterations(1);

// One game result into a full table of ten, with the one atomic replacement
// of the settings file. The file also holds a user's usual keys and the
// keyboard layout, as on a machine in use.
void BM_InsertHighScoreFullTable(benchmark::State& state)
{
    Folder folder("tarvelo-bench-scores");
    ProfileStore profile(folder.Path());
    KeyboardLayout layout;
    layout.Load(profile);
    layout.ResetToDefault(profile); // writes the whole layout
    GameStorage storage(profile, "user0");
    for (int k = 0; k < 10; ++k)
        storage.InsertHighScore({1000 + k, 3, 9, 40, 9000, 26}, "Player", {2026, 1, 1});
    std::int32_t score = 0;
    for (auto _ : state)
        storage.InsertHighScore({score++ % 2000, 1, 5, 30, 8750, 26}, "Bench", {2026, 1, 2});
}
BENCHMARK(BM_InsertHighScoreFullTable)->Unit(benchmark::kMicrosecond);

} // namespace
