// The game window offscreen: from a Timer1 tick to the repainted playfield,
// the accuracy of precise timers at the game's fastest and slowest
// intervals, and the CPU a game at level 10 with music takes.

#include "game/system_sources.h"
#include "platform/dialogs.h"
#include "state/program_state.h"
#include "support/game_fakes.h"
#include "ui/option_frame.h"
#include "ui/sdl_sound.h"
#include "windows/game/game_window.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <numeric>
#include <sys/resource.h>
#include <time.h>
#include <vector>

namespace {

using namespace tarvelo;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class QuietDialogs : public Dialogs
{
public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    bool AskYesNo(std::string_view, std::string_view, MessageIcon, DefaultAnswer) override
    {
        return false;
    }
    std::optional<std::string> AskText(std::string_view, std::string_view,
                                       std::string_view) override
    {
        return std::nullopt;
    }
};

// A played-before user at `level` in a temporary installation.
struct Installation
{
    explicit Installation(int level)
    {
        fs::create_directories(folder);
        for (const char* name :
             {"Tarvelo.INI", "Masada.jpg", "dw1_kng.mid", "Dalmor_NextLevel.wav"})
            fs::copy_file(fs::path(TARVELO_DATA_DIR) / name, folder / name,
                          fs::copy_options::overwrite_existing);
        program.user.SelectSlot(0);
        program.user.UserName = "Bench";
        program.layout.Load(program.profile);
        program.profile.Write(program.user.UserSection, settings::kPlayedGame, true);
        program.profile.Write(program.user.UserSection, settings::kGameLevel, level);
    }
    ~Installation() { fs::remove_all(folder); }

    GameWindow::Services Services(Sound& sound, RandomSource& random)
    {
        GameWindow::Services services;
        services.dialogs = &dialogs;
        services.sound = &sound;
        services.random = &random;
        services.clock = &clock;
        services.showRules = [] {};
        services.showScores = [](const GameWindow::ScoreRows&) {};
        return services;
    }

    fs::path folder = fs::temp_directory_path() / "tarvelo-bench-game";
    ProgramState program{folder.string() + "/"};
    std::optional<ScoreTexts> lastResult;
    QuietDialogs dialogs;
    test::FixedClock clock;
};

void Press(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent down(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &down);
}

void Begin(GameWindow& window)
{
    Press(window.findChild<ui::OptionFrame*>("lOption0"));
}

void BM_TickToPixels(benchmark::State& state)
{
    Installation install(1);
    test::RecordingSound sound;
    test::ScriptedRandom random; // no new letters: the scene stays as set
    GameWindow window(install.program, install.lastResult, install.Services(sound, random));
    window.resize(1000, 700);
    window.open();
    QApplication::processEvents();
    Begin(window);
    QTimer* drop = window.findChild<QTimer*>("Timer1");
    FallingBoard& board = window.menu().SceneBoard();
    const unsigned char pile[] = {'A', 'B'};

    // Wall time, and the thread's own CPU time: on a loaded machine the
    // difference is the time the scheduler gave to other processes.
    std::vector<double> micros;
    std::vector<double> cpuMicros;
    const auto threadCpu = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
    };
    int tick = 0;
    for (auto _ : state) {
        // Twenty letters, each one row further down, never landing.
        for (int column = 0; column < FallingBoard::kColumns; ++column) {
            const auto row = static_cast<std::int16_t>((tick + column) % (FallingBoard::kRows - 1));
            board.SetColumn(
                column,
                {static_cast<unsigned char>('A' + column), LetterColour::Falling, true, row},
                column % 3 == 0 ? std::span(pile) : std::span<const unsigned char>());
        }
        ++tick;
        const double cpuStart = threadCpu();
        const auto start = Clock::now();
        QMetaObject::invokeMethod(drop, "timeout");
        QApplication::processEvents(); // paints the changed cells
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        cpuMicros.push_back(threadCpu() - cpuStart);
    }
    std::sort(micros.begin(), micros.end());
    std::sort(cpuMicros.begin(), cpuMicros.end());
    state.counters["p99_cpu_us"] = cpuMicros[cpuMicros.size() * 99 / 100];
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p90_us"] = micros[micros.size() * 90 / 100];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
}
BENCHMARK(BM_TickToPixels)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// A precise timer of `interval` ms for `ticks` ticks, while a game runs at
// level 10 in the same event loop.
void BM_TimerAccuracy(benchmark::State& state)
{
    const int interval = static_cast<int>(state.range(0));
    const int ticks = static_cast<int>(state.range(1));
    Installation install(10);
    test::RecordingSound sound;
    SystemRandom random;
    GameWindow window(install.program, install.lastResult, install.Services(sound, random));
    window.resize(1000, 700);
    window.open();
    Begin(window);

    for (auto _ : state) {
        std::vector<Clock::time_point> times;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        QEventLoop loop;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            times.push_back(Clock::now());
            if (static_cast<int>(times.size()) > ticks)
                loop.quit();
            if (!window.menu().Game().Running())
                Begin(window);
        });
        timer.start(interval);
        loop.exec();
        const double total =
            std::chrono::duration<double, std::milli>(times.back() - times[0]).count();
        std::vector<double> late;
        for (std::size_t k = 1; k < times.size(); ++k) {
            const double due = interval * static_cast<double>(k);
            late.push_back(std::chrono::duration<double, std::milli>(times[k] - times[0]).count() -
                           due);
        }
        std::sort(late.begin(), late.end());
        state.counters["mean_interval_ms"] = total / ticks;
        state.counters["mean_error_pct"] = (total / ticks - interval) * 100.0 / interval;
        state.counters["p99_late_ms"] = late[late.size() * 99 / 100];
    }
}
BENCHMARK(BM_TimerAccuracy)
    ->Args({12, 1000})
    ->Args({500, 1000})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// A player who types the falling letters every 150 ms keeps a level-10 game
// with music going for `seconds`; the CPU time of the process against the
// wall time.
void BM_GameCpu(benchmark::State& state)
{
    const int seconds = static_cast<int>(state.range(0));
    Installation install(10);
    SdlSound sound;
    SystemRandom random;
    GameWindow window(install.program, install.lastResult, install.Services(sound, random));
    window.resize(1000, 700);
    window.open();
    Begin(window);
    QWidget* box = window.findChild<QWidget*>("ControlBox");

    const auto cpuSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
               (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    for (auto _ : state) {
        QTimer player;
        QObject::connect(&player, &QTimer::timeout, [&] {
            if (!window.menu().Game().Running()) {
                Begin(window);
                return;
            }
            for (const FallingGlyph& glyph : window.menu().Board().FallingArea()) {
                const QString text(QChar(glyph.character));
                QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text);
                QApplication::sendEvent(box, &key);
            }
        });
        player.start(150);
        QEventLoop loop;
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        const double cpuBefore = cpuSeconds();
        const auto wallBefore = Clock::now();
        loop.exec();
        const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
        state.counters["cpu_pct_of_core"] = (cpuSeconds() - cpuBefore) * 100.0 / wall;
        state.counters["audio_open"] = sound.AudioOpen() ? 1 : 0;
        state.counters["music"] = sound.MusicAvailable() ? 1 : 0;
        state.counters["level"] = window.menu().Game().Level();
    }
}
BENCHMARK(BM_GameCpu)->Arg(30)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
