// Opening the statistics window for a user with every letter tallied: from
// construction until the whole window has painted once, offscreen.

#include "state/program_state.h"
#include "stats/statistics_window.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

using namespace tarvelo;

void BM_StatisticsWindowToPixels(benchmark::State& state)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "tarvelo-bench-stats";
    fs::create_directories(folder);
    for (const char* name : {"Tarvelo.INI", "Masada.jpg"})
        fs::copy_file(fs::path(TARVELO_DATA_DIR) / name, folder / name,
                      fs::copy_options::overwrite_existing);

    ProgramState program(folder.string() + "/");
    program.layout.Load(program.profile);
    program.user.UserName = "Ada";
    program.totals = {48100, 96000, 2400};
    for (int code = 1; code <= 255; ++code)
        for (int i = 0; i < 20; ++i) {
            program.tallies.TallyLetterTyped(0, code);
            if (i < code % 7)
                program.tallies.TallyLetterError(0, code);
        }

    for (auto _ : state) {
        StatisticsWindow window(program);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        state.PauseTiming();
        window.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_StatisticsWindowToPixels)->Iterations(50)->Unit(benchmark::kMillisecond);

} // namespace
