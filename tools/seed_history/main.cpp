// Fills the run history of a user with some weeks of practice and lessons,
// improving day by day, for screenshots and for trying the progress chart.
// Usage: tarvelo-seed-history FOLDER SECTION NAME DAYS

#include "history/history_clock.h"
#include "history/run_history.h"

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    using namespace tarvelo;
    if (argc != 5) {
        std::cerr << "usage: tarvelo-seed-history FOLDER SECTION NAME DAYS\n";
        return 2;
    }
    const int days = std::atoi(argv[4]);
    SystemUtcClock clock;
    RunHistory history(HistoryPath(argv[1]), clock);
    if (!history.Available()) {
        std::cerr << history.OpenResult().message << '\n';
        return 1;
    }
    const std::int64_t now = clock.NowUtc();
    for (int day = days; day >= 1; --day) {
        const int progress = days - day; // 0 on the first day
        for (const RunMode mode : {RunMode::Practice, RunMode::Lesson}) {
            if (mode == RunMode::Lesson && day % 3 != 0)
                continue; // lessons on every third day
            RunRecord run;
            run.userSection = argv[2];
            run.userName = argv[3];
            run.startUtc = now - std::int64_t{day} * 86400;
            run.endUtc = run.startUtc + 600;
            run.mode = mode;
            run.lessonNumber = mode == RunMode::Lesson ? 1 + progress / 6 : 0;
            run.characters = 900 + 20 * (day % 5);
            run.wpm = 18 + progress / 2 + (day % 4) - (mode == RunMode::Lesson ? 4 : 0);
            run.accuracy = 86 + progress / 6 + (day % 3 == 0 ? 1 : 0);
            run.errors = run.characters * (100 - run.accuracy) / 100;
            run.ticks = run.characters * 240.0 / (run.wpm * 5);
            if (!history.Record(run))
                return 1;
        }
    }
    return 0;
}
